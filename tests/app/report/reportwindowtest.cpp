#include "reportfixture.h"

#include "desktopapp.h"
#include "reportviewmodel.h"
#include "reportwindowcontroller.h"
#include "scenario/scenarioloader.h"
#include "simulatedplatform.h"
#include "zorvreportconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

using namespace ReportProblem;

class ReportWindowTest : public ReportTest {
protected:
    ReportWindowTest() : controller(engine, services(), desktop.pasteboard()) {}

    [[nodiscard]] Config zorvConfig() {
        Config config = this->config();
        config.content = QUrl(ZorvReportConfig::contentUrl);
        config.contentSize = QSize(560, 470);
        return config;
    }
    // Lets deferred deletions run.
    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    [[nodiscard]] QQuickItem *item(const QString &objectName) const {
        return controller.window()->findChild<QQuickItem *>(objectName);
    }

    QQmlEngine engine;
    ReportWindowController controller;
};

TEST_F(ReportWindowTest, oneWindowAtATimeKeepsWhatTheUserWrote) {
    controller.show(zorvConfig());
    QQuickWindow *first = controller.window();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->title(), u"Report a Problem"_s);
    EXPECT_EQ(first->size(), QSize(560, 470));
    EXPECT_EQ(first->maximumSize(), QSize(560, 470));
    const QPointer<Model> firstModel = controller.model();
    firstModel->setText(u"Two icons stayed hidden."_s);

    controller.show(zorvConfig());
    EXPECT_EQ(controller.window(), first);
    EXPECT_EQ(controller.model(), firstModel);

    // The screens' close button hides the window; the next show starts over from the draft.
    firstModel->close();
    EXPECT_FALSE(first->isVisible());
    controller.show(zorvConfig());
    flush();
    EXPECT_FALSE(firstModel);
    EXPECT_TRUE(controller.window()->isVisible());
    EXPECT_EQ(controller.model()->text(), u"Two icons stayed hidden."_s);
    EXPECT_EQ(controller.model()->phase(), Phase(Writing{}));

    // A preview replaces even a visible window, starting empty and leaving the draft alone.
    const QPointer<Model> writingModel = controller.model();
    controller.show(zorvConfig(), Sent{u"R-7K3QXM"_s});
    flush();
    EXPECT_FALSE(writingModel);
    EXPECT_EQ(controller.model()->phase(), Phase(Sent{u"R-7K3QXM"_s}));
    EXPECT_TRUE(controller.model()->text().isEmpty());
    EXPECT_EQ(controller.draft().text, u"Two icons stayed hidden."_s);
    ASSERT_TRUE(item(u"reportNumber"_s));
    EXPECT_EQ(item(u"reportNumber"_s)->property("text").toString(), u"R-7K3QXM"_s);
}

TEST_F(ReportWindowTest, aSentReportLeavesNothingToReopenWith) {
    server.answerWith(201, R"({"id":"R-9"})");
    controller.show(zorvConfig());
    controller.model()->setText(u"It broke."_s);
    controller.model()->send();
    ASSERT_TRUE(waitWhileSending(*controller.model()));
    controller.model()->close();
    controller.show(zorvConfig());
    EXPECT_TRUE(controller.model()->text().isEmpty());
    EXPECT_EQ(controller.model()->phase(), Phase(Writing{}));
}

TEST_F(ReportWindowTest, aSendOutlivesItsWindowAndStillSavesTheReport) {
    server.holdAnswers();
    controller.show(zorvConfig());
    const QPointer<Model> sending = controller.model();
    sending->setText(u"It broke."_s);
    sending->send();
    ASSERT_TRUE(server.waitForRequests(1));
    sending->close();
    controller.show(zorvConfig());
    flush();
    ASSERT_TRUE(sending);
    EXPECT_NE(controller.model(), sending);
    EXPECT_EQ(controller.modelsSendingAfterClose(), 1);

    server.answerWith(500, R"({"error":"busy"})");
    server.answerHeld();
    ASSERT_TRUE(waitWhileSending(*sending));
    EXPECT_EQ(desktopFiles(), QStringList{u"Zorv-report-2026-03-07-0915.txt"_s});
    EXPECT_EQ(records.last(),
              u"report not sent (Brindlecot said: busy.); saved Zorv-report-2026-03-07-0915.txt"_s);
    flush();
    EXPECT_FALSE(sending);
    EXPECT_EQ(controller.modelsSendingAfterClose(), 0);
}

// Draws each screen of the report window offscreen and keeps the pictures in the build folder
// (tests/app/report/screenshots/report-<screen>.png) for people to look at.
TEST_F(ReportWindowTest, drawsEveryScreen) {
    struct Screen {
        const char *name;
        std::optional<Phase> preview;
        QString text;
    };
    const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    ASSERT_TRUE(QDir().mkpath(folder));
    const Screen screens[] = {
        {"writing-empty", std::nullopt, QString()},
        {"writing", std::nullopt,
         u"I turned on my Home rule and two icons stayed hidden.\n\n"
         u"It happens after every wake from sleep."_s},
        {"sending", Sending{}, u"I turned on my Home rule and two icons stayed hidden."_s},
        {"sent", Sent{u"R-7K3QXM"_s}, QString()},
        {"saved",
         Saved{desktopFolder.filePath(u"Zorv-report-2026-03-07-0915.txt"_s),
               u"Could not reach Brindlecot (The request timed out.)."_s},
         QString()},
    };
    for (const Screen &screen : screens) {
        controller.show(zorvConfig(), screen.preview);
        controller.model()->setText(screen.text);
        QQuickWindow *window = controller.window();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << screen.name;
        const QImage picture = window->grabWindow();
        EXPECT_EQ(picture.size(), QSize(560, 470) * window->devicePixelRatio()) << screen.name;
        // The dark strip across the top and the honey rule under it.
        EXPECT_EQ(picture.pixelColor(2, 2), QColor(u"#1B1410"_s)) << screen.name;
        EXPECT_EQ(picture.pixelColor(picture.width() / 2, 33), QColor(u"#E79A2B"_s)) << screen.name;
        EXPECT_TRUE(
            picture.save(folder + u"/report-"_s + QString::fromUtf8(screen.name) + u".png"_s))
            << screen.name;
    }
}

TEST_F(ReportWindowTest, builtInScreensOfferOnlyWhatIsConfigured) {
    const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const bool configured : {false, true}) {
        consent =
            configured ? std::optional(Consent{[] { return false; }, [](bool) {}}) : std::nullopt;
        supportEmail = configured ? std::optional(u"help@example.com"_s) : std::nullopt;
        Config config = this->config();
        config.accent = QColor::fromRgb(231, 154, 43);
        config.onAccent = QColor::fromRgb(27, 20, 16);
        config.example = u"EX: two icons stayed hidden."_s;
        if (configured) {
            config.fallbackPage = QUrl(u"https://example.com/report"_s);
        }
        controller.show(config);
        QQuickWindow *window = controller.window();
        ASSERT_TRUE(window);
        EXPECT_EQ(window->size(), QSize(520, 400));
        EXPECT_EQ(window->title(), u"Report a Problem"_s);
        auto *view = window->findChild<ReportViewModel *>();
        ASSERT_TRUE(view);
        EXPECT_EQ(view->consentOffered(), configured);
        EXPECT_EQ(view->emailOffered(), configured);
        EXPECT_EQ(view->reportPageOffered(), configured);
        EXPECT_EQ(view->canSend(), false);

        controller.model()->setText(u"It broke."_s);
        EXPECT_EQ(view->canSend(), !configured);
        EXPECT_TRUE(view->canEmail());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        const QString name = configured ? u"builtin-consent"_s : u"builtin-writing"_s;
        EXPECT_TRUE(window->grabWindow().save(folder + u"/report-"_s + name + u".png"_s));
        window->close();
    }

    // An e-mailed report shows where it is and offers the way back; the page opens on request.
    {
        Config config = this->config();
        config.fallbackPage = QUrl(u"https://example.com/report"_s);
        controller.show(config);
        auto *view = controller.window()->findChild<ReportViewModel *>();
        controller.model()->setText(u"It broke."_s);
        controller.model()->emailInstead();
        EXPECT_EQ(view->screen(), ReportViewModel::Screen::Saved);
        EXPECT_TRUE(view->goingBackOffered());
        EXPECT_EQ(view->savedText(),
                  u"A new mail to help@example.com has the report attached. Everything you "
                  u"wrote, and what Zorv attached, is in Zorv-report-2026-03-07-0915.txt on "
                  u"your Desktop."_s);
        view->openReportPage();
        EXPECT_EQ(workspace.openedUrls().last(), QUrl(u"https://example.com/report"_s));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.window()));
        EXPECT_TRUE(
            controller.window()->grabWindow().save(folder + u"/report-builtin-emailed.png"_s));
        view->backToWriting();
        EXPECT_EQ(view->screen(), ReportViewModel::Screen::Writing);
    }
}

// The application's one call for the shell opens its own report window, with this build's facts.
TEST(ZorvReportWindowTest, theApplicationShowsItsReportWindow) {
    ManualClock clock;
    SimulatedPlatform platform(
        clock,
        ScenarioLoader::parse(R"({"name": "bare", "screens": [{"name": "Screen", "frame":
                                 {"x": 0, "y": 0, "width": 1000, "height": 700}}]})",
                              u"bare"_s),
        false);
    DesktopApp app(platform, SimOptions());
    app.showReport(Sent{u"R-7K3QXM"_s});
    QQuickWindow *window = app.reports().window();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(560, 470));
    EXPECT_EQ(app.reports().model()->phase(), Phase(Sent{u"R-7K3QXM"_s}));
    app.showReport();
    EXPECT_EQ(app.reports().window(), window);

    const Config config = app.reports().model()->config();
    EXPECT_EQ(config.appToken.size(), 33);
    EXPECT_EQ(config.endpoint.scheme(), u"https"_s);
    EXPECT_EQ(config.endpoint.path(), u"/report"_s);
    EXPECT_FALSE(config.supportEmail);
    EXPECT_EQ(Facts::current(platform.desktop().systemFacts()).bundleID, u"app.zorv.Zorv"_s);
    EXPECT_NE(Facts::current(platform.desktop().systemFacts()).version, u"?"_s);
}

} // namespace
} // namespace zorv::testing
