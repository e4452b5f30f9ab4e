#include "reportfixture.h"

#include "appearance/simsystemappearance.h"
#include "appicon/zorvappicon.h"
#include "appwindow.h"
#include "controls/mackeys.h"
#include "desktopapp.h"
#include "kit/zorvkit.h"
#include "look/zorvstyle.h"
#include "reportviewmodel.h"
#include "reportwindowcontroller.h"
#include "scenario/scenarioloader.h"
#include "settings/keyshortcut.h"
#include "simulatedplatform.h"
#include "zorvreportconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlEngine>
#include <QQuickItem>
#include <QTest>
#include <QTextLayout>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

using namespace ReportProblem;
using Behaviour = LoopbackHttpServer::Behaviour;

class ReportWindowTest : public ReportTest {
protected:
    ReportWindowTest()
        : controller(engine, services(), desktop.pasteboard(),
                     {desktop.appWindows(), [this] { desktop.application().activate(true); }}) {
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

    [[nodiscard]] QQuickItem *item(const QString &name) const {
        return controller.window()->findChild<QQuickItem *>(name);
    }
    // The window's visible text items (Text, Label, TextEdit, TextArea).
    [[nodiscard]] QList<QQuickItem *> texts() const {
        QList<QQuickItem *> found;
        for (QQuickItem *item : controller.window()->findChildren<QQuickItem *>()) {
            if (item->isVisible() && item->metaObject()->indexOfProperty("textFormat") >= 0) {
                found.append(item);
            }
        }
        return found;
    }
    [[nodiscard]] static QRectF sceneRect(const QQuickItem *item) {
        return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
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

// The window is one of the window server's: shown key and in front with this application
// active, at its configuration's size and style, and closed from its model or its title bar.
TEST_F(ReportWindowTest, isAWindowOfTheWindowServerWithItsContentsTitleBar) {
    WindowStyle plain;
    plain.titled = true;
    plain.closable = true;
    WindowStyle strip = plain;
    strip.closeButtonOnly = true;
    strip.fullSizeContentView = true;
    strip.titlebarTransparent = true;
    strip.titleHidden = true;
    strip.movableByWindowBackground = true;
    const struct {
        const char *name;
        Config config;
        QSizeF size;
        WindowStyle style;
    } cases[] = {
        {"own content", zorvConfig(), QSizeF(560, 470), strip},
        {"built-in screens", config(), QSizeF(ReportWindowController::builtInSize), plain},
    };
    const qint32 finder = desktop.applications().launch(
        AppDescription{.bundleIdentifier = u"com.apple.finder"_s, .localizedName = u"Finder"_s});
    for (const auto &[name, config, size, style] : cases) {
        SCOPED_TRACE(name);
        desktop.applications().activate(finder);
        EXPECT_FALSE(desktop.application().isActive());
        controller.show(config);
        AppWindow *window = controller.appWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible() && window->isKeyWindow());
        EXPECT_TRUE(desktop.application().isActive());
        EXPECT_EQ(window->contentSize(), size);
        EXPECT_EQ(window->style(), style);
        EXPECT_EQ(desktop.appWindows().stackingOrder().last(), window);

        // Shown again while visible: the same window comes forward with the application.
        desktop.applications().activate(finder);
        controller.show(config);
        EXPECT_EQ(controller.appWindow(), window);
        EXPECT_TRUE(desktop.application().isActive());

        controller.model()->close();
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(controller.window()->isVisible());
        controller.show(config);
        ASSERT_NE(controller.appWindow(), nullptr);
        // Closed by the window system: the window server hears of it.
        controller.window()->close();
        EXPECT_FALSE(controller.appWindow()->isVisible());
        deleteRetired();
    }
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

// No answer reaches a report still being sent once the process ends: at the quit each is saved
// as a failed send is, the one whose window went as well as the one on screen, and an answer
// that still comes changes nothing.
TEST_F(ReportWindowTest, reportsStillBeingSentAtTheQuitAreSaved) {
    server.setBehaviour(Behaviour::Hold, 201, R"({"id":"R-9"})");
    controller.show(zorvConfig());
    controller.model()->setText(u"It broke."_s);
    controller.model()->send();
    ASSERT_TRUE(server.waitForRequests(1));
    controller.model()->close();
    controller.show(zorvConfig());
    const QPointer<Model> shown = controller.model();
    shown->setText(u"It broke again."_s);
    shown->send();
    ASSERT_TRUE(server.waitForRequests(2));

    controller.saveUnansweredReports();
    const QString second = u"Zorv-report-2026-03-07-0915-2.txt"_s;
    const Phase saved =
        Saved{desktopFolder.filePath(second), u"Zorv quit before Brindlecot answered."_s};
    EXPECT_EQ(desktopFiles(), (QStringList{second, fallbackName}));
    EXPECT_EQ(shown->phase(), saved);
    EXPECT_TRUE(readDesktopFile(second).contains("It broke again."));
    server.answerHeld();
    QTest::qWait(50);
    EXPECT_EQ(shown->phase(), saved);
    EXPECT_EQ(desktopFiles().size(), 2);
}

// The sheet as the user works it: typed text, its buttons clicked and its keys pressed. Escape
// and Cancel close without sending, Send and Command-Return send, Copy puts the number on the
// pasteboard, and Return closes the result screens.
TEST_F(ReportWindowTest, theButtonsAndKeysDoWhatTheySay) {
    const auto click = [&](const QString &name) {
        QQuickItem *button = item(name);
        ASSERT_TRUE(button) << name.toStdString();
        ASSERT_TRUE(button->isVisible() && button->isEnabled()) << name.toStdString();
        const QPointF centre =
            button->mapToScene(QPointF(button->width() / 2, button->height() / 2));
        QTest::mouseClick(controller.window(), Qt::LeftButton, {}, centre.toPoint());
        QCoreApplication::processEvents();
    };
    const auto typeReport = [&](const QString &text) {
        controller.show(zorvConfig());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(controller.window()));
        QQuickItem *editor = item(u"reportEditor"_s);
        ASSERT_TRUE(editor);
        editor->forceActiveFocus();
        for (const QChar c : text) {
            QTest::keyClick(controller.window(), c.toLatin1());
        }
        QCoreApplication::processEvents();
        ASSERT_EQ(controller.model()->text(), text);
    };
    const auto shown = [&] { return controller.window() && controller.window()->isVisible(); };

    typeReport(u"Escape keeps this."_s);
    QTest::keyClick(controller.window(), Qt::Key_Escape);
    EXPECT_FALSE(shown());
    controller.show(zorvConfig());
    EXPECT_EQ(controller.model()->text(), u"Escape keeps this."_s);
    click(u"reportCancel"_s);
    EXPECT_FALSE(shown());
    EXPECT_EQ(server.requests().size(), 0) << "neither sent anything";

    server.setBehaviour(Behaviour::Answer, 201, R"({"id":"R-42"})");
    controller.show(zorvConfig());
    click(u"reportSend"_s);
    ASSERT_TRUE(waitWhileSending(*controller.model()));
    EXPECT_EQ(server.requests().size(), 1);
    ASSERT_TRUE(std::holds_alternative<Sent>(controller.model()->phase()));
    click(u"reportCopy"_s);
    EXPECT_EQ(desktop.pasteboard().plainText(), u"R-42"_s);
    EXPECT_EQ(item(u"reportCopy"_s)->property("text").toString(), u"Copied"_s);
    QTest::keyClick(controller.window(), Qt::Key_Return);
    EXPECT_FALSE(shown());

    server.setBehaviour(Behaviour::Answer, 500, R"({"error":"busy"})");
    typeReport(u"Sent with the keys."_s);
    // Command-Return, with Command as a Mac's Qt delivers it.
    QTest::keyClick(controller.window(), Qt::Key_Return,
                    MacKeys::qtModifiers(KeyShortcut::kCommand));
    ASSERT_TRUE(waitWhileSending(*controller.model()));
    EXPECT_EQ(server.requests().size(), 2);
    ASSERT_TRUE(std::holds_alternative<Saved>(controller.model()->phase()));
    EXPECT_EQ(desktopFiles(), QStringList{fallbackName});
    QTest::keyClick(controller.window(), Qt::Key_Return);
    EXPECT_FALSE(shown());
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
        const qreal ratio = controller.window()->devicePixelRatio();
        EXPECT_EQ(picture.size(), QSize(560, 470) * ratio);
        // The dark strip across the top and the honey rule under it, in device pixels.
        EXPECT_EQ(picture.pixelColor((QPointF(2, 2) * ratio).toPoint()), QColor(u"#1B1410"_s))
            << name.toStdString();
        EXPECT_EQ(picture.pixelColor((QPointF(280, 33) * ratio).toPoint()), QColor(u"#E79A2B"_s))
            << name.toStdString();
    }
    appearance.setDark(true);
    EXPECT_EQ(draw(u"saved-dark"_s).pixelColor(2, 2),
              ZorvStyle::resolve(ZorvStyle::Role::Espresso, AppearanceName::darkAqua));
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
    // An e-mailed report says where it is, its file name held together, and offers the way back.
    auto *view = controller.window()->findChild<ReportViewModel *>();
    controller.model()->emailInstead();
    EXPECT_TRUE(view->goingBackOffered());
    EXPECT_EQ(view->savedText(), u"A new mail to help@example.com has the report attached. "
                                 u"Everything you wrote, and what Zorv attached, is in "
                                 u"Zorv-\u2060report-\u20602026-\u206003-\u206007-\u20600915.txt "
                                 u"on your Desktop."_s);
    view->openReportPage();
    EXPECT_EQ(workspace.openedUrls().last(), QUrl(u"https://example.com/r"_s));
    (void)draw(u"builtin-emailed"_s);
    view->backToWriting();
    EXPECT_EQ(view->screen(), ReportViewModel::Screen::Writing);
}

// A reply's error text arrives as it was sent and is drawn as it was sent: no heading, no link,
// and no picture fetched from another host.
TEST_F(ReportWindowTest, outsideTextIsShownAsPlainText) {
    LoopbackHttpServer elsewhere;
    const QString html = u"<h1 style='color:red'>Down</h1><a href='https://example.com'>here</a>"
                         u"<img src='%1'>"_s.arg(elsewhere.url(u"/pixel.png"_s).toString());
    server.setBehaviour(
        Behaviour::Answer, 500,
        QJsonDocument(QJsonObject{{u"error"_s, html}}).toJson(QJsonDocument::Compact));
    for (const bool builtIn : {false, true}) {
        controller.show(builtIn ? config() : zorvConfig());
        controller.model()->setText(u"<b>It broke.</b>"_s);
        controller.model()->send();
        ASSERT_TRUE(waitWhileSending(*controller.model()));
        const auto *saved = std::get_if<Saved>(&controller.model()->phase());
        ASSERT_TRUE(saved);
        EXPECT_EQ(saved->why, u"Brindlecot said: "_s + html + u"."_s);
        (void)draw(builtIn ? u"builtin-saved-html"_s : u"saved-html"_s);
        int shown = 0;
        for (const QQuickItem *text : texts()) {
            if (text->property("text").toString().contains(u"<h1"_s)) {
                ++shown;
                EXPECT_EQ(text->property("textFormat").toInt(), 0)
                    << text->objectName().toStdString();
            }
        }
        EXPECT_EQ(shown, 1) << builtIn;
        controller.model()->close();
    }
    QTest::qWait(50);
    EXPECT_TRUE(elsewhere.requests().isEmpty());
}

// A 242-character report number and a reason of one long word wrap inside their card; the
// buttons stay in the window.
TEST_F(ReportWindowTest, longTextsWrapAndTheButtonsStayInTheWindow) {
    const QString number = u"R-"_s + QString(240, u'W');
    const QString why = u"Brindlecot said: "_s + QString(1500, u'x') + u"."_s;
    struct Case {
        QString name;
        bool builtIn;
        Phase phase;
        QString text;
    };
    const Case cases[] = {
        {u"sent-long"_s, false, Sent{number}, u"reportNumber"_s},
        {u"saved-long"_s, false, Saved{desktopFolder.filePath(fallbackName), why}, u"reportWhy"_s},
        {u"builtin-sent-long"_s, true, Sent{number}, u"reportDoneText"_s},
        {u"builtin-saved-long"_s, true, Saved{desktopFolder.filePath(fallbackName), why},
         u"reportSavedText"_s},
    };
    for (const Case &c : cases) {
        controller.show(c.builtIn ? config() : zorvConfig(), c.phase);
        (void)draw(c.name);
        const QRectF window(QPointF(0, 0), controller.window()->size());
        const QQuickItem *text = item(c.text);
        const QQuickItem *close = item(u"reportClose"_s);
        ASSERT_TRUE(text && close) << c.name.toStdString();
        EXPECT_TRUE(window.contains(sceneRect(close))) << c.name.toStdString();
        EXPECT_LE(sceneRect(text).right(), window.width() - 22) << c.name.toStdString();
        EXPECT_LE(text->property("contentWidth").toReal(), text->width() + 0.5)
            << c.name.toStdString();
        EXPECT_GT(text->property("lineCount").toInt(), 2) << c.name.toStdString();
        if (const QQuickItem *copy = item(u"reportCopy"_s); copy && !c.builtIn) {
            EXPECT_TRUE(window.contains(sceneRect(copy))) << c.name.toStdString();
        }
    }
}

// The example stands where the caret of the empty editor blinks, in the editor's font.
TEST_F(ReportWindowTest, theWritingHintSitsAtTheCaret) {
    for (const bool builtIn : {false, true}) {
        controller.show(builtIn ? config() : zorvConfig());
        (void)draw(builtIn ? u"builtin-writing-empty"_s : u"writing-empty"_s);
        const QQuickItem *editor = item(u"reportEditor"_s);
        const QQuickItem *hint = item(u"reportHint"_s);
        ASSERT_TRUE(editor && hint);
        const QRectF caret = editor->property("cursorRectangle").toRectF();
        const QPointF caretAt = editor->mapToScene(caret.topLeft());
        const QPointF hintAt = hint->mapToScene(QPointF(0, 0));
        EXPECT_NEAR(hintAt.x(), caretAt.x(), 1) << builtIn;
        EXPECT_NEAR(hintAt.y(), caretAt.y(), 1) << builtIn;
        EXPECT_EQ(hint->property("font").value<QFont>(), editor->property("font").value<QFont>());
        controller.model()->close();
    }
}

// The strip shows this application's icon.
TEST_F(ReportWindowTest, theStripShowsTheApplicationIcon) {
    workspace.install({u"app.zorv.Zorv"_s, u"/Applications/Zorv.app"_s,
                       ApplicationIcon{.artwork = ZorvAppIcon::image(512)}});
    controller.show(zorvConfig());
    const QQuickItem *icon = item(u"reportAppIcon"_s);
    ASSERT_TRUE(icon);
    // Image.Ready
    ASSERT_TRUE(QTest::qWaitFor([&] { return icon->property("status").toInt() == 1; }, 2000));
    const QImage picture = draw(u"strip-icon"_s);
    const qreal ratio = controller.window()->devicePixelRatio();
    const QRect area = QRectF(sceneRect(icon).topLeft() * ratio, icon->size() * ratio).toRect();
    int letterPixels = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            letterPixels += std::abs(pixel.red() - 0xf0) + std::abs(pixel.green() - 0xb2) +
                                        std::abs(pixel.blue() - 0x4a) <
                                    24
                                ? 1
                                : 0;
        }
    }
    // The icon's honey letter, scaled down smoothly from the bundle's artwork.
    EXPECT_GT(letterPixels, area.width() * area.height() / 16);
}

// The built-in screens title their results with the kit's symbols, not with text characters, and
// keep a file name on one line.
TEST_F(ReportWindowTest, builtInResultScreensUseTheKitSymbols) {
    const std::tuple<QString, Phase, QString> screens[] = {
        {u"reportSentTitle"_s, Sent{u"R-7K3QXM"_s}, u"checkmark.circle.fill"_s},
        {u"reportSavedTitle"_s,
         Saved{desktopFolder.filePath(fallbackName), u"Brindlecot answered 500."_s},
         u"tray.and.arrow.down.fill"_s},
    };
    for (const auto &[name, phase, symbol] : screens) {
        controller.show(config(), phase);
        (void)draw(u"builtin-"_s + name);
        const QQuickItem *title = item(name);
        ASSERT_TRUE(title);
        const auto *image = title->findChild<QQuickItem *>();
        ASSERT_TRUE(image);
        EXPECT_TRUE(image->property("source").toUrl().toString().startsWith(
            u"image://zorvsymbol/"_s + symbol + u'/'))
            << image->property("source").toUrl().toString().toStdString();
        for (const QQuickItem *text : texts()) {
            const QString shown = text->property("text").toString();
            EXPECT_FALSE(shown.contains(QChar(0x2714)) || shown.contains(QChar(0x2913)));
        }
    }
    // However narrow the line, the sentence breaks around the file name, never inside it.
    const QQuickItem *label = item(u"reportSavedText"_s);
    ASSERT_TRUE(label);
    const QString sentence = label->property("text").toString();
    const QString joined = u"Zorv-\u2060report-\u20602026-\u206003-\u206007-\u20600915.txt"_s;
    const qsizetype start = sentence.indexOf(joined);
    ASSERT_GE(start, 0);
    for (int width = 220; width <= 480; width += 5) {
        QTextLayout layout(sentence, label->property("font").value<QFont>());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            const qsizetype end = line.textStart() + line.textLength();
            EXPECT_FALSE(end > start && end < start + joined.size()) << width;
        }
        layout.endLayout();
    }
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
