#include "desktoptest.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

#include <functional>
#include <memory>

namespace zorv::testing {
namespace {

// This application's windows on the simulated window server of a laptop.
class AppWindowsTest : public DesktopTest {
protected:
    AppWindowsTest() { addLaptop(); }

    // A window at `level`, at the frame (top-left convention), not yet ordered front.
    AppWindow &window(int level, const QRectF &frame = QRectF(100, 100, 300, 200)) {
        qtWindows.push_back(std::make_unique<QWindow>());
        adopted.push_back(desktop.appWindows().adopt(*qtWindows.back()));
        AppWindow &made = *adopted.back();
        WindowStyle style;
        style.level = level;
        made.setStyle(style);
        made.setContentSize(frame.size());
        made.setFrameTopLeftPoint(frame.topLeft());
        return made;
    }

    [[nodiscard]] int indexOf(const SimAppWindow *window) const {
        for (std::size_t index = 0; index < adopted.size(); ++index) {
            if (adopted[index].get() == window) {
                return int(index);
            }
        }
        return -1;
    }

    // Qt's focus window once the platform's pending activations are in.
    static QWindow *focused() {
        QCoreApplication::processEvents();
        return QGuiApplication::focusWindow();
    }

    [[nodiscard]] QList<int> stacking() {
        QList<int> order;
        for (const SimAppWindow *window : desktop.appWindows().stackingOrder()) {
            order.append(indexOf(window));
        }
        return order;
    }

    std::vector<std::unique_ptr<QWindow>> qtWindows;
    std::vector<std::unique_ptr<AppWindow>> adopted;
};

// Windows at levels, ordered front in a sequence, and the stacking back to front (as indices of
// the windows made).
struct StackingCase {
    const char *name;
    QList<int> levels;
    QList<int> orderedFront;
    QList<int> backToFront;
};

void PrintTo(const StackingCase &c, std::ostream *out) {
    *out << c.name;
}

class StackingTest : public AppWindowsTest, public ::testing::WithParamInterface<StackingCase> {};

TEST_P(StackingTest, LevelComesFirstThenTheLastOrderedFront) {
    const StackingCase &c = GetParam();
    for (int level : c.levels) {
        window(level);
    }
    for (int index : c.orderedFront) {
        adopted[std::size_t(index)]->orderFrontRegardless();
    }
    EXPECT_EQ(stacking(), c.backToFront);
    // The window taking a click in the shared area is the top one that is shown.
    const auto top = std::find_if(c.backToFront.crbegin(), c.backToFront.crend(),
                                  [&](int index) { return c.orderedFront.contains(index); });
    const SimAppWindow *hit = desktop.appWindows().windowAt(QPointF(200, 200));
    EXPECT_EQ(indexOf(hit), top == c.backToFront.crend() ? -1 : *top);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, StackingTest,
    ::testing::Values(
        StackingCase{"SameLevelLastFrontOnTop", {0, 0, 0}, {2, 0, 1}, {2, 0, 1}},
        StackingCase{"NeverOrderedFrontStayBehindInAdoptionOrder", {0, 0, 0}, {1}, {0, 2, 1}},
        StackingCase{"HigherLevelAboveALaterFront",
                     {WindowLevel::popUpMenu, WindowLevel::normal, WindowLevel::floating},
                     {0, 2, 1},
                     {1, 2, 0}},
        StackingCase{"BarLevelsOverFloating",
                     {WindowLevel::floating, WindowLevel::statusBar, WindowLevel::mainMenu + 1},
                     {1, 2, 0},
                     {0, 1, 2}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(AppWindowsTest, ClickThroughAndHiddenWindowsTakeNoClicks) {
    AppWindow &below = window(WindowLevel::normal);
    AppWindow &tint = window(WindowLevel::mainMenu + 1);
    below.orderFrontRegardless();
    tint.orderFrontRegardless();
    WindowStyle style = tint.style();
    style.ignoresMouseEvents = true;
    tint.setStyle(style);
    EXPECT_EQ(indexOf(desktop.appWindows().windowAt(QPointF(200, 200))), 0);
    below.orderOut();
    EXPECT_EQ(desktop.appWindows().windowAt(QPointF(200, 200)), nullptr);
    EXPECT_EQ(desktop.appWindows().windowAt(QPointF(50, 50)), nullptr);
}

// The keyboard: who may take it, Escape asking the key window to cancel, and what a press
// elsewhere (another application coming forward) does.
TEST_F(AppWindowsTest, OnlyAWindowThatMayBecomeKeyTakesTheKeyboard) {
    AppWindow &panel = window(WindowLevel::floating);
    AppWindow &strip = window(WindowLevel::statusBar, QRectF(600, 30, 200, 30));
    WindowStyle style = strip.style();
    style.canBecomeKey = false;
    strip.setStyle(style);

    strip.makeKeyAndOrderFront();
    EXPECT_FALSE(strip.isKeyWindow());
    EXPECT_TRUE(strip.isVisible()) << "shown in front all the same";

    int resigned = 0;
    int cancels = 0;
    QObject::connect(&panel, &AppWindow::didResignKey, [&] { ++resigned; });
    QObject::connect(&panel, &AppWindow::cancelRequested, [&] { ++cancels; });
    panel.makeKeyAndOrderFront();
    ASSERT_TRUE(panel.isKeyWindow());
    desktop.userInput().pressKey(KeyCode::escape);
    EXPECT_EQ(cancels, 1);

    desktop.userInput().click(QPointF(650, 40));
    EXPECT_TRUE(panel.isKeyWindow()) << "a click in one of its own windows keeps the keyboard";
    desktop.userInput().click(QPointF(1000, 700));
    EXPECT_FALSE(panel.isKeyWindow());
    EXPECT_EQ(resigned, 1);
    desktop.userInput().pressKey(KeyCode::escape);
    EXPECT_EQ(cancels, 1);
}

TEST_F(AppWindowsTest, APressElsewhereOrdersOutWindowsThatHideOnDeactivation) {
    AppWindow &search = window(WindowLevel::floating);
    AppWindow &about = window(WindowLevel::normal, QRectF(500, 300, 200, 200));
    WindowStyle style = search.style();
    style.hidesOnDeactivate = true;
    search.setStyle(style);
    search.makeKeyAndOrderFront();
    about.orderFrontRegardless();

    desktop.userInput().click(QPointF(550, 350));
    EXPECT_TRUE(search.isVisible()) << "a press on its own window";
    desktop.userInput().click(QPointF(1200, 800));
    EXPECT_FALSE(search.isVisible());
    EXPECT_TRUE(about.isVisible());
}

// When the key window leaves the screen (closed, minimised or ordered out) the frontmost of the
// other visible windows that can take the keyboard takes it; with none left, no window has it, so
// keys reach no window that is gone.
TEST_F(AppWindowsTest, TheNextWindowTakesTheKeyboardWhenTheKeyWindowGoes) {
    AppWindow &back = window(WindowLevel::normal);
    AppWindow &strip = window(WindowLevel::statusBar, QRectF(600, 30, 200, 30));
    AppWindow &front = window(WindowLevel::normal, QRectF(500, 300, 200, 200));
    WindowStyle style = strip.style();
    style.canBecomeKey = false;
    strip.setStyle(style);
    style = front.style();
    style.titled = style.closable = true;
    front.setStyle(style);
    back.makeKeyAndOrderFront();
    strip.orderFrontRegardless();
    front.makeKeyAndOrderFront();

    int resigned = 0;
    QObject::connect(&front, &AppWindow::didResignKey, [&] { ++resigned; });
    desktop.userInput().pressKey(13, EventFlags::command);
    EXPECT_FALSE(front.isVisible()) << "Command-W";
    EXPECT_EQ(resigned, 1);
    EXPECT_TRUE(back.isKeyWindow()) << "not the strip above it, which cannot take the keyboard";

    front.makeKeyAndOrderFront();
    front.orderOut();
    EXPECT_TRUE(back.isKeyWindow());
    back.orderOut();
    EXPECT_EQ(desktop.appWindows().keyWindow(), nullptr);
    EXPECT_FALSE(strip.isKeyWindow());
    int cancels = 0;
    QObject::connect(&back, &AppWindow::cancelRequested, [&] { ++cancels; });
    desktop.userInput().pressKey(KeyCode::escape);
    EXPECT_EQ(cancels, 0) << "a window that is gone takes no keys";

    back.makeKeyAndOrderFront();
    front.orderFrontRegardless();
    back.orderOut();
    EXPECT_TRUE(front.isKeyWindow()) << "a window shown without the keyboard takes it next";

    back.makeKeyAndOrderFront();
    adopted[0].reset();
    EXPECT_TRUE(front.isKeyWindow()) << "the key window's end hands the keyboard on too";
}

// A window that cannot be resized is neither zoomed nor put in full screen, and one that cannot be
// minimised stays, whether the title bar, the Window menu or the application asks; a resizable one
// does all of it.
TEST_F(AppWindowsTest, FixedSizeWindowsKeepTheirSizeAndStay) {
    const struct {
        const char *name;
        std::function<void(SimAppWindow &)> act;
    } asks[] = {
        {"zoom", [](SimAppWindow &w) { w.userZooms(); }},
        {"zoomed by the application", [](SimAppWindow &w) { w.setZoomed(true); }},
        {"full screen", [](SimAppWindow &w) { w.userEntersFullScreen(); }},
        {"full screen by the application", [](SimAppWindow &w) { w.toggleFullScreen(); }},
        {"minimise", [](SimAppWindow &w) { w.userMinimizes(); }},
    };
    for (const bool fixed : {true, false}) {
        for (const auto &ask : asks) {
            SCOPED_TRACE(std::string(ask.name) + (fixed ? ", fixed size" : ", resizable"));
            AppWindow &made = window(WindowLevel::normal, QRectF(500, 300, 240, 180));
            WindowStyle style = made.style();
            style.titled = style.closable = true;
            style.resizable = style.miniaturizable = !fixed;
            made.setStyle(style);
            made.makeKeyAndOrderFront();
            auto &shown = static_cast<SimAppWindow &>(made);
            ask.act(shown);
            clock.advance(seconds(SimAppWindow::fullScreenTransition));
            settle();
            const bool changed = shown.record().frame != QRectF(500, 300, 240, 180) ||
                                 shown.isMiniaturized() || shown.isFullScreen();
            EXPECT_EQ(changed, !fixed);
            EXPECT_EQ(shown.isVisible(), fixed || !shown.isMiniaturized());
            adopted.back().reset();
        }
    }
}

// Qt's keyboard focus follows the key window: windows that cannot take the keyboard (a strip
// over the bar, a menu) leave it with the key window when they are shown, hidden or shown again,
// and a window that takes the keyboard takes Qt's focus too.
TEST_F(AppWindowsTest, WindowsThatCannotBecomeKeyLeaveQtsFocusWithTheKeyWindow) {
    AppWindow &settings = window(WindowLevel::normal);
    AppWindow &strip = window(WindowLevel::mainMenu + 1, QRectF(0, 0, 1440, 24));
    AppWindow &report = window(WindowLevel::normal, QRectF(500, 300, 200, 200));
    WindowStyle style = strip.style();
    style.canBecomeKey = false;
    strip.setStyle(style);

    settings.makeKeyAndOrderFront();
    ASSERT_EQ(focused(), qtWindows[0].get());
    for (int round = 0; round < 2; ++round) {
        strip.orderFrontRegardless();
        EXPECT_EQ(focused(), qtWindows[0].get()) << "round " << round;
        strip.orderOut();
        EXPECT_EQ(focused(), qtWindows[0].get()) << "round " << round;
    }
    strip.orderFrontRegardless();
    report.makeKeyAndOrderFront();
    EXPECT_EQ(focused(), qtWindows[2].get());
}

// While another program has the keyboard Qt has no focus window, and a window that takes the
// keyboard from the window server then asks for nothing.
TEST_F(AppWindowsTest, AWindowMadeKeyLeavesTheFocusWithAnotherProgram) {
    AppWindow &settings = window(WindowLevel::normal);
    AppWindow &report = window(WindowLevel::normal, QRectF(500, 300, 200, 200));
    settings.makeKeyAndOrderFront();
    report.orderFrontRegardless();
    {
        // The last window focused going leaves Qt with none, as a platform does when another
        // program's window comes forward.
        QWindow elsewhere;
        elsewhere.show();
        elsewhere.requestActivate();
        ASSERT_EQ(focused(), &elsewhere);
    }
    ASSERT_EQ(focused(), nullptr);
    settings.orderOut();
    ASSERT_TRUE(report.isKeyWindow());
    EXPECT_EQ(focused(), nullptr);
}

// A window shown for the first time and another made key in the same turn, before Qt takes in
// the activation the platform gives the first: the one made key last keeps Qt's focus.
TEST_F(AppWindowsTest, TheWindowMadeKeyLastInOneTurnKeepsQtsFocus) {
    AppWindow &settings = window(WindowLevel::normal);
    AppWindow &welcome = window(WindowLevel::normal, QRectF(500, 300, 200, 200));
    settings.makeKeyAndOrderFront();
    QCoreApplication::processEvents();
    ASSERT_EQ(QGuiApplication::focusWindow(), qtWindows[0].get());

    welcome.makeKeyAndOrderFront();
    settings.makeKeyAndOrderFront();
    QCoreApplication::processEvents();
    EXPECT_TRUE(settings.isKeyWindow());
    EXPECT_EQ(QGuiApplication::focusWindow(), qtWindows[0].get());
}

} // namespace
} // namespace zorv::testing
