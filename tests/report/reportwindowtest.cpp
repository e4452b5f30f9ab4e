#include "reportfixture.h"

#include "appearance/simsystemappearance.h"
#include "desktopapp.h"
#include "kit/zorvkit.h"
#include "look/zorvpalette.h"
#include "reportviewmodel.h"
#include "reportwindowcontroller.h"
#include "scenario/scenarioloader.h"
#include "simulatedplatform.h"
#include "zorvreportconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QQmlEngine>
#include <QQuickItem>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

using namespace ReportProblem;
using Behaviour = LoopbackHttpServer::Behaviour;

class ReportWindowTest : public ReportTest {
protected:
    ReportWindowTest() : controller(engine, services(), desktop.pasteboard()) {
        ZorvKit::install(engine, appearance, clock);
        EXPECT_TRUE(QDir().mkpath(pictures));
    }

    [[nodiscard]] Config zorvConfig() {
        Config config = this->config();
        config.content = QUrl(ZorvReportConfig::contentUrl);
        config.contentSize = QSize(560, 470);
        return config;
    }
    static void deleteRetired() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Saves a picture of the window in the build folder for people to look at.
    [[nodiscard]] QImage draw(const QString &name) const {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(controller.window()));
        const QImage picture = controller.window()->grabWindow();
        EXPECT_TRUE(picture.save(pictures + u"/report-"_s + name + u".png"_s));
        return picture;
    }

    const QString pictures = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    SimSystemAppearance appearance;
    QQmlEngine engine;
    ReportWindowController controller;
};

TEST_F(ReportWindowTest, oneWindowAtATimeKeepsWhatTheUserWrote) {
    controller.show(zorvConfig());
    QQuickWindow *first = controller.window();
    ASSERT_TRUE(first && first->isVisible());
    EXPECT_EQ(first->title(), u"Report a Problem"_s);
    EXPECT_EQ(first->maximumSize(), QSize(560, 470));
    const QPointer<Model> firstModel = controller.model();
    // Any character hides the hint, but blank text cannot be sent.
    const auto item = [&](const QString &name) {
        return controller.window()->findChild<QQuickItem *>(name);
    };
    ASSERT_TRUE(item(u"reportHint"_s) && item(u"reportSend"_s));
    EXPECT_TRUE(item(u"reportHint"_s)->isVisible());
    firstModel->setText(u" "_s);
    EXPECT_FALSE(item(u"reportHint"_s)->isVisible());
    EXPECT_FALSE(item(u"reportSend"_s)->isEnabled());
    firstModel->setText(u"Two icons stayed hidden."_s);
    EXPECT_TRUE(item(u"reportSend"_s)->isEnabled());
    controller.show(zorvConfig());
    EXPECT_EQ(controller.window(), first);
    EXPECT_EQ(controller.model(), firstModel);

    // Closed, the window goes with its model; the next one starts from the draft.
    firstModel->close();
    EXPECT_FALSE(first->isVisible());
    controller.show(zorvConfig());
    deleteRetired();
    EXPECT_FALSE(firstModel);
    EXPECT_EQ(controller.model()->text(), u"Two icons stayed hidden."_s);

    // A preview replaces even a visible window, starting empty and leaving the draft alone.
    controller.show(zorvConfig(), Sent{u"R-7K3QXM"_s});
    EXPECT_TRUE(controller.model()->text().isEmpty());
    EXPECT_EQ(controller.draft().text, u"Two icons stayed hidden."_s);
    ASSERT_TRUE(item(u"reportNumber"_s));
    EXPECT_EQ(item(u"reportNumber"_s)->property("text").toString(), u"R-7K3QXM"_s);
}

TEST_F(ReportWindowTest, aSentReportLeavesNoDraftAndAFailedOneIsSavedAfterItsWindowWent) {
    server.setBehaviour(Behaviour::Answer, 201, R"({"id":"R-9"})");
    controller.show(zorvConfig());
    controller.model()->setText(u"It broke."_s);
    controller.model()->send();
    ASSERT_TRUE(waitWhileSending(*controller.model()));
    controller.model()->close();
    controller.show(zorvConfig());
    EXPECT_TRUE(controller.model()->text().isEmpty());

    server.setBehaviour(Behaviour::Hold, 500, R"({"error":"busy"})");
    const QPointer<Model> sending = controller.model();
    sending->setText(u"It broke again."_s);
    sending->send();
    ASSERT_TRUE(server.waitForRequests(2));
    sending->close();
    controller.show(zorvConfig());
    deleteRetired();
    ASSERT_TRUE(sending);
    EXPECT_EQ(controller.modelsSendingAfterClose(), 1);
    server.answerHeld();
    // The model is released once its send ends, so the wait looks through the guarded pointer.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return !sending || !std::holds_alternative<ReportProblem::Sending>(sending->phase());
        },
        5000));
    EXPECT_EQ(desktopFiles(), QStringList{fallbackName});
    deleteRetired();
    EXPECT_FALSE(sending);
}

TEST_F(ReportWindowTest, drawsEveryScreen) {
    const QString text = u"I turned on my Home rule and two icons stayed hidden.\n\n"
                         u"It happens after every wake from sleep."_s;
    const std::tuple<QString, std::optional<Phase>, QString> screens[] = {
        {u"writing-empty"_s, std::nullopt, QString()},
        {u"writing"_s, std::nullopt, text},
        {u"sending"_s, Sending{}, text},
        {u"sent"_s, Sent{u"R-7K3QXM"_s}, QString()},
        {u"saved"_s,
         Saved{desktopFolder.filePath(fallbackName),
               u"Could not reach Brindlecot (The request timed out.)."_s},
         QString()},
    };
    for (const auto &[name, preview, screenText] : screens) {
        controller.show(zorvConfig(), preview);
        controller.model()->setText(screenText);
        const QImage picture = draw(name);
        EXPECT_EQ(picture.size(), QSize(560, 470) * controller.window()->devicePixelRatio());
        // The dark strip across the top and the honey rule under it.
        EXPECT_EQ(picture.pixelColor(2, 2), QColor(u"#1B1410"_s)) << name.toStdString();
        EXPECT_EQ(picture.pixelColor(280, 33), QColor(u"#E79A2B"_s)) << name.toStdString();
    }
    appearance.setDark(true);
    EXPECT_EQ(draw(u"saved-dark"_s).pixelColor(2, 2),
              ZorvPalette::resolve(ZorvPalette::Role::Espresso, AppearanceName::darkAqua));
}

TEST_F(ReportWindowTest, builtInScreensOfferOnlyWhatIsConfigured) {
    for (const bool configured : {false, true}) {
        if (controller.model()) {
            controller.model()->close();
        }
        consent =
            configured ? std::optional(Consent{[] { return false; }, [](bool) {}}) : std::nullopt;
        supportEmail = configured ? std::optional(u"help@example.com"_s) : std::nullopt;
        Config config = this->config();
        config.accent = QColor::fromRgb(231, 154, 43);
        config.example = u"EX: two icons stayed hidden."_s;
        config.fallbackPage =
            configured ? std::optional(QUrl(u"https://example.com/r"_s)) : std::nullopt;
        controller.show(config);
        EXPECT_EQ(controller.window()->size(), QSize(520, 400));
        auto *view = controller.window()->findChild<ReportViewModel *>();
        ASSERT_TRUE(view);
        EXPECT_EQ(view->consentOffered(), configured);
        EXPECT_EQ(view->emailOffered(), configured);
        EXPECT_EQ(view->reportPageOffered(), configured);
        controller.model()->setText(u"It broke."_s);
        EXPECT_EQ(view->canSend(), !configured);
        EXPECT_TRUE(view->canEmail());
        (void)draw(configured ? u"builtin-consent"_s : u"builtin-writing"_s);
    }
    // An e-mailed report says where it is and offers the way back.
    auto *view = controller.window()->findChild<ReportViewModel *>();
    controller.model()->emailInstead();
    EXPECT_TRUE(view->goingBackOffered());
    EXPECT_EQ(view->savedText(), u"A new mail to help@example.com has the report attached. "
                                 u"Everything you wrote, and what Zorv attached, is in "
                                 u"Zorv-report-2026-03-07-0915.txt on your Desktop."_s);
    view->openReportPage();
    EXPECT_EQ(workspace.openedUrls().last(), QUrl(u"https://example.com/r"_s));
    (void)draw(u"builtin-emailed"_s);
    view->backToWriting();
    EXPECT_EQ(view->screen(), ReportViewModel::Screen::Writing);
}

// The application's one call for the shell opens its own window, with this build's facts.
TEST(ZorvReportWindowTest, theApplicationShowsItsReportWindow) {
    ManualClock clock;
    SimulatedPlatform platform(clock,
                               ScenarioLoader::parse(R"({"name": "bare", "screens": [{"name":
                                   "S", "frame": {"x": 0, "y": 0, "width": 900, "height": 600}}]})",
                                                     u"bare"_s),
                               false);
    DesktopApp app(platform, SimOptions());
    app.showReport(Sent{u"R-7K3QXM"_s});
    QQuickWindow *window = app.reports().window();
    ASSERT_TRUE(window && window->isVisible());
    EXPECT_EQ(app.reports().model()->phase(), Phase(Sent{u"R-7K3QXM"_s}));
    app.showReport();
    EXPECT_EQ(app.reports().window(), window);

    const Config config = app.reports().model()->config();
    EXPECT_EQ(config.appToken.size(), 33);
    EXPECT_EQ(config.endpoint.scheme() + config.endpoint.path(), u"https/report"_s);
    EXPECT_FALSE(config.supportEmail);
    EXPECT_NE(Facts::current(platform.desktop().systemFacts()).version, u"?"_s);
}

} // namespace
} // namespace zorv::testing
