#include "appinput.h"
#include "desktopsnapshot.h"
#include "input/keylayout.h"
#include "scenariomac.h"
#include "settingswindowcontroller.h"
#include "updates/simupdater.h"
#include "updates/updaterwindowcontent.h"
#include "wholeapptest.h"
#include "windows/simappwindows.h"
#include "windows/titlebar.h"

#include <QGuiApplication>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// Made before the app, which reads the feed written there.
struct FeedFolder {
    const QTemporaryDir folder;
};

// Zorv on the laptop with a feed offering 1.2, Settings open on About, driven through the
// simulated Mac's mouse and keyboard: how the update framework's windows share the screen and
// the keyboard with Zorv's own.
class UpdateWindowsAppTest : public FeedFolder, public WholeAppTest {
protected:
    UpdateWindowsAppTest() : WholeAppTest(laptopOfferingAnUpdate(folder.path())) {}

    void SetUp() override {
        // The About pane's guide card is seen: it would cover Settings a moment after it opens.
        ASSERT_NO_FATAL_FAILURE(
            launch(R"({"onboardingCompleted": true, "seenPaneGuides": ["about"]})", 5));
        ASSERT_NO_FATAL_FAILURE(finishCheck());
        ASSERT_NO_FATAL_FAILURE(chooseStatusMenuRow(u"Version 1.2 Available"_s));
        ASSERT_NE(app.settingsWindow(), nullptr);
        settings = app.settingsWindow()->window();
        ASSERT_TRUE(serverOf(settings)->isKeyWindow());
    }

    void finishCheck() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !platform.updater().isChecking(); }, 5000));
        drain();
    }
    void chooseStatusMenuRow(const QString &title) {
        clickIcon();
        const std::optional<QPointF> row = statusMenuRowCentre(mac().menus(), title);
        ASSERT_TRUE(row) << title.toStdString();
        click(*row);
    }
    // Clicks a row of one of Zorv's menus in the bar.
    void chooseMainMenuRow(const QString &menu, const QString &title) {
        const ScreenSnapshot screen = DesktopSnapshot::take(mac()).screens.value(0);
        for (const MenuTitle &shown : screen.look.menus) {
            if (shown.text == menu) {
                click(shown.rect.translated(screen.globalFrame.topLeft()).center());
            }
        }
        const std::optional<QPointF> row = statusMenuRowCentre(mac().menus(), title);
        ASSERT_TRUE(row) << title.toStdString();
        click(*row);
    }
    // Settings' Install button, and the framework's window it brings up.
    [[nodiscard]] QQuickWindow *install() {
        clickControl(settings, u"install"_s);
        finishCheck();
        return app.updaterWindows().window();
    }
    void clickTitleBar(QWindow *window) {
        const WindowRecord &record = serverOf(window)->record();
        click(TitleBar::rect(record)->center());
    }
    void pressCommand(QChar key, quint64 more = EventFlags::none) {
        press(KeyLayout::stroke(key)->keyCode, EventFlags::command | more);
    }
    // The window has the keyboard and stands in front of Zorv's other windows at its level.
    void expectInFrontWithTheKeyboard(QWindow *window) {
        const SimAppWindow *server = serverOf(window);
        ASSERT_NE(server, nullptr);
        EXPECT_TRUE(server->isVisible());
        EXPECT_TRUE(server->isKeyWindow());
        for (const SimAppWindow *other : mac().appWindows().windows()) {
            if (other != server && other->isVisible() &&
                other->record().style.level == server->record().style.level) {
                EXPECT_LT(other->record().frontOrder, server->record().frontOrder)
                    << other->title().toStdString();
            }
        }
        EXPECT_EQ(frontApplication(), u"Zorv"_s);
    }

    QQuickWindow *settings = nullptr;
};

// Whatever brings Settings over the update window, asking for the update again brings the window
// back in front with the keyboard and starts no other check.
TEST_F(UpdateWindowsAppTest, AskingAgainBringsTheOpenWindowForward) {
    QQuickWindow *window = install();
    ASSERT_NE(window, nullptr);
    ASSERT_NO_FATAL_FAILURE(expectInFrontWithTheKeyboard(window));
    const int started = platform.updater().checksStarted();

    const struct {
        const char *name;
        std::function<void()> askAgain;
    } asks[] = {
        {"Settings' Install", [&] { clickControl(settings, u"install"_s); }},
        {"the status menu's update row", [&] { chooseStatusMenuRow(u"Version 1.2 Available"_s); }},
    };
    for (const auto &ask : asks) {
        SCOPED_TRACE(ask.name);
        clickTitleBar(settings);
        ASSERT_TRUE(serverOf(settings)->isKeyWindow()) << "Settings came forward over it";
        ask.askAgain();
        drain();
        EXPECT_EQ(app.updaterWindows().window(), window);
        expectInFrontWithTheKeyboard(window);
        EXPECT_EQ(platform.updater().checksStarted(), started);
    }
    // Keys go to it: Escape answers it.
    EXPECT_EQ(QGuiApplication::focusWindow(), window);
    press(KeyCode::escape);
    EXPECT_EQ(app.updaterWindows().window(), nullptr);
    EXPECT_FALSE(platform.updater().sessionInProgress());
}

// When any of the framework's windows closes, the keyboard goes back to Settings: Command-W and
// typing reach it again.
TEST_F(UpdateWindowsAppTest, EveryAnswerHandsTheKeyboardBack) {
    const struct {
        const char *name;
        SimUpdater::Outcome outcome;
        std::function<void(QQuickWindow *)> answer;
    } answers[] = {
        {"Remind Me Later", SimUpdater::Outcome::Decide,
         [&](QQuickWindow *window) { clickControl(window, u"updateRemindLater"_s); }},
        {"Escape", SimUpdater::Outcome::Decide, [&](QQuickWindow *) { press(KeyCode::escape); }},
        {"Return on the up-to-date alert", SimUpdater::Outcome::UpToDate,
         [&](QQuickWindow *) { press(KeyCode::returnKey); }},
        {"Escape on the error alert", SimUpdater::Outcome::FeedError,
         [&](QQuickWindow *) { press(KeyCode::escape); }},
        // Last: quiet checks no longer find the version skipped.
        {"Skip This Version", SimUpdater::Outcome::Decide,
         [&](QQuickWindow *window) { clickControl(window, u"updateSkip"_s); }},
    };
    for (const auto &answer : answers) {
        SCOPED_TRACE(answer.name);
        if (!findIn(settings->contentItem(), u"install"_s)) {
            // An alert's check left nothing to install: Check Now finds the update again.
            platform.updater().setOutcome(SimUpdater::Outcome::Decide);
            clickControl(settings, u"checkNow"_s);
            finishCheck();
        }
        platform.updater().setOutcome(answer.outcome);
        QQuickWindow *window = install();
        ASSERT_NE(window, nullptr);
        expectInFrontWithTheKeyboard(window);
        answer.answer(window);
        drain();
        EXPECT_EQ(app.updaterWindows().window(), nullptr);
        EXPECT_TRUE(serverOf(settings)->isKeyWindow());
        EXPECT_EQ(QGuiApplication::focusWindow(), settings);
    }
    EXPECT_EQ(mac().systemFacts().bundleInfoString(u"CFBundleShortVersionString"_s),
              std::optional<QString>(u"0.1.0"_s));
    pressCommand(u'w');
    EXPECT_FALSE(serverOf(settings)->isVisible()) << "Command-W closes Settings";
}

// Hidden with Command-H and opened again, Zorv's windows come back, Settings in front with the
// keyboard; the offer still waits for an answer, and once Settings closes the update window has
// the keyboard.
TEST_F(UpdateWindowsAppTest, HiddenAndShownAgainTheFrontWindowHasTheKeyboard) {
    QQuickWindow *window = install();
    ASSERT_NE(window, nullptr);
    pressCommand(u'h');
    ASSERT_TRUE(mac().application().isHidden());
    EXPECT_FALSE(serverOf(window)->isVisible());

    app.openedByAnotherLaunch({});
    drain();
    ASSERT_FALSE(mac().application().isHidden());
    expectInFrontWithTheKeyboard(settings);
    EXPECT_TRUE(serverOf(window)->isVisible());
    EXPECT_TRUE(platform.updater().offeredUpdate());
    pressCommand(u'w');
    EXPECT_FALSE(serverOf(settings)->isVisible());
    expectInFrontWithTheKeyboard(window);
    press(KeyCode::escape);
    EXPECT_FALSE(platform.updater().sessionInProgress());
}

// Windows that cannot be resized have no zoom and no full screen, and minimising does not answer
// one: the update window, its alert and the about panel stay as they are, while Settings zooms.
TEST_F(UpdateWindowsAppTest, FixedSizeWindowsKeepTheirSize) {
    const auto triesToResize = [&](QWindow *window) {
        SCOPED_TRACE(window->title().toStdString());
        const SimAppWindow *server = serverOf(window);
        const QRectF frame = server->record().frame;
        chooseMainMenuRow(u"Window"_s, u"Zoom"_s);
        pressCommand(u'f', EventFlags::control);
        run(2);
        pressCommand(u'm');
        drain();
        EXPECT_EQ(server->record().frame, frame);
        EXPECT_FALSE(server->isFullScreen());
        EXPECT_FALSE(server->isZoomed());
        EXPECT_FALSE(server->isMiniaturized());
        EXPECT_TRUE(server->isVisible());
        EXPECT_TRUE(server->isKeyWindow());
    };
    QQuickWindow *window = install();
    ASSERT_NE(window, nullptr);
    triesToResize(window);
    EXPECT_EQ(app.updaterWindows().window(), window) << "no answer";
    EXPECT_TRUE(platform.updater().offeredUpdate());
    press(KeyCode::escape);

    platform.updater().setOutcome(SimUpdater::Outcome::UpToDate);
    window = install();
    ASSERT_NE(window, nullptr);
    triesToResize(window);
    press(KeyCode::returnKey);

    chooseMainMenuRow(u"Zorv"_s, u"About Zorv"_s);
    QQuickWindow *about = shownWindowWith(u"aboutVersion"_s);
    ASSERT_NE(about, nullptr);
    triesToResize(about);

    clickTitleBar(settings);
    const QRectF before = serverOf(settings)->record().frame;
    chooseMainMenuRow(u"Window"_s, u"Zoom"_s);
    EXPECT_NE(serverOf(settings)->record().frame, before) << "Settings can be resized";
}

} // namespace
} // namespace zorv
