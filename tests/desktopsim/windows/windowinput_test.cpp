#include "desktoptest.h"

#include <QWindow>

#include <memory>

namespace zorv::testing {
namespace {

constexpr quint16 wKey = 13;

// One titled window of this application at (100, 100), 400 x 300, its content taking presses
// as `contentTakes` says, and what the user's hands do to it.
struct WindowInputCase {
    const char *name;
    WindowStyle style;
    bool contentTakes;
    std::function<void(UserInput &)> hands;
    // What then holds.
    bool visible;
    bool miniaturized;
    QPointF topLeft;
    // The content events it got, by type.
    QList<EventType> content;
};

void PrintTo(const WindowInputCase &c, std::ostream *out) {
    *out << c.name;
}

WindowStyle titled(bool closable, bool fullSize = false, bool movableByBackground = false) {
    WindowStyle style;
    style.titled = true;
    style.closable = closable;
    style.miniaturizable = true;
    style.fullSizeContentView = fullSize;
    style.movableByWindowBackground = movableByBackground;
    return style;
}

void drag(UserInput &hands, QPointF from, QPointF to) {
    hands.mouseDown(from);
    hands.mouseDragged((from + to) / 2);
    hands.mouseDragged(to);
    hands.mouseUp(to);
}

// The title bar of a window that is not full-size lies above its content, from y 72 to 100:
// the close button's centre at (114, 86), the minimise button's at (134, 86).
const QPointF closeButton(114, 86);
const QPointF minimizeButton(134, 86);
const QPointF onTitle(300, 86);
const QPointF inContent(300, 250);

class WindowInputTest : public DesktopTest, public ::testing::WithParamInterface<WindowInputCase> {
protected:
    WindowInputTest() { addLaptop(); }
};

TEST_P(WindowInputTest, TheWindowServerWorksTheTitleBarAndHandsOnTheRest) {
    const WindowInputCase &c = GetParam();
    QWindow qtWindow;
    std::unique_ptr<AppWindow> window = desktop.appWindows().adopt(qtWindow);
    window->setStyle(c.style);
    window->setContentSize(QSizeF(400, 300));
    window->setFrameTopLeftPoint(QPointF(100, 100));
    window->makeKeyAndOrderFront();
    QList<EventType> content;
    desktop.appWindows().setContentInput(
        [&](SimAppWindow &, const SimAppWindows::ContentEvent &event) {
            content.append(event.type);
            return c.contentTakes;
        });

    c.hands(desktop.userInput());
    const auto &record = static_cast<SimAppWindow &>(*window).record();
    EXPECT_EQ(record.visible, c.visible);
    EXPECT_EQ(record.miniaturized, c.miniaturized);
    EXPECT_EQ(record.frame.topLeft(), c.topLeft);
    EXPECT_EQ(content, c.content);
}

using Hands = std::function<void(UserInput &)>;

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowInputTest,
    ::testing::Values(
        WindowInputCase{"CloseButton", titled(true), true,
                        [](UserInput &hands) { hands.click(closeButton); }, false, false,
                        QPointF(100, 100), {}},
        WindowInputCase{"CloseButtonOfAWindowThatIsNotClosable", titled(false), true,
                        [](UserInput &hands) { hands.click(closeButton); }, true, false,
                        QPointF(100, 100), {}},
        WindowInputCase{"CloseButtonLeftBeforeTheRelease", titled(true), true,
                        [](UserInput &hands) { drag(hands, closeButton, QPointF(160, 90)); },
                        true, false, QPointF(100, 100), {}},
        // A button acts only when the release comes back over the button pressed.
        WindowInputCase{"CloseButtonReleasedOverTheMinimiseButton", titled(true), true,
                        [](UserInput &hands) { drag(hands, closeButton, minimizeButton); }, true,
                        false, QPointF(100, 100), {}},
        WindowInputCase{"MinimiseButtonReleasedOverTheCloseButton", titled(true), true,
                        [](UserInput &hands) { drag(hands, minimizeButton, closeButton); }, true,
                        false, QPointF(100, 100), {}},
        WindowInputCase{"MinimiseButton", titled(true), true,
                        [](UserInput &hands) { hands.click(minimizeButton); }, false, true,
                        QPointF(100, 100), {}},
        WindowInputCase{"DragOnTheTitleBar", titled(true), true,
                        [](UserInput &hands) { drag(hands, onTitle, onTitle + QPointF(50, 40)); },
                        true, false, QPointF(150, 140), {}},
        WindowInputCase{"ButtonsOverFullSizeContent", titled(true, true), true,
                        [](UserInput &hands) { hands.click(QPointF(114, 114)); }, false, false,
                        QPointF(100, 100), {}},
        WindowInputCase{"ClickOnTheContent", titled(true), true,
                        [](UserInput &hands) { hands.click(inContent); }, true, false,
                        QPointF(100, 100), {EventType::LeftMouseDown, EventType::LeftMouseUp}},
        WindowInputCase{"DragOnAControlOfAWindowMovableByItsBackground", titled(true, true, true),
                        true,
                        [](UserInput &hands) {
                            drag(hands, inContent, inContent + QPointF(10, 10));
                        },
                        true, false, QPointF(100, 100),
                        {EventType::LeftMouseDown, EventType::LeftMouseDragged,
                         EventType::LeftMouseDragged, EventType::LeftMouseUp}},
        // The content sees the release of the press that moved the window, and no drag.
        WindowInputCase{"DragOnTheBackground", titled(true, true, true), false,
                        [](UserInput &hands) {
                            drag(hands, inContent, inContent + QPointF(-30, 20));
                        },
                        true, false, QPointF(70, 120),
                        {EventType::LeftMouseDown, EventType::LeftMouseUp}},
        WindowInputCase{"ClickOnTheBackgroundOfAWindowMovableByIt", titled(true, true, true),
                        false, [](UserInput &hands) { hands.click(inContent); }, true, false,
                        QPointF(100, 100), {EventType::LeftMouseDown, EventType::LeftMouseUp}},
        WindowInputCase{"RightPressReleasedOutsideTheWindow", titled(true), true,
                        [](UserInput &hands) {
                            hands.mouseDown(inContent, MouseButton::Right);
                            hands.mouseUp(QPointF(900, 700), MouseButton::Right);
                        },
                        true, false, QPointF(100, 100),
                        {EventType::RightMouseDown, EventType::RightMouseUp}},
        WindowInputCase{"DragOnTheBackgroundOfAWindowNotMovableByIt", titled(true), false,
                        [](UserInput &hands) {
                            drag(hands, inContent, inContent + QPointF(-30, 20));
                        },
                        true, false, QPointF(100, 100),
                        {EventType::LeftMouseDown, EventType::LeftMouseDragged,
                         EventType::LeftMouseDragged, EventType::LeftMouseUp}},
        WindowInputCase{"CommandW", titled(true), true,
                        [](UserInput &hands) {
                            hands.pressKeyHolding(wKey, EventFlags::command);
                        },
                        false, false, QPointF(100, 100),
                        // The Command key going down; it comes up when no window is key.
                        {EventType::KeyDown}},
        WindowInputCase{"CommandWOnAWindowThatIsNotClosable", titled(false), true,
                        [](UserInput &hands) {
                            hands.pressKeyHolding(wKey, EventFlags::command);
                        },
                        true, false, QPointF(100, 100), {EventType::KeyDown, EventType::KeyUp}},
        WindowInputCase{"TypedText", titled(true), true,
                        [](UserInput &hands) { EXPECT_TRUE(hands.type(QStringLiteral("aB"))); },
                        true, false, QPointF(100, 100),
                        // a; then Shift, b and Shift again.
                        {EventType::KeyDown, EventType::KeyUp, EventType::KeyDown,
                         EventType::KeyDown, EventType::KeyUp, EventType::KeyUp}}),
    [](const auto &info) { return std::string(info.param.name); });

// One press of Command-W closes the key window alone, whether or not the main menu was asked
// first and left it: the window behind, which then has the keyboard, stays.
TEST_F(DesktopTest, OneCommandWClosesOneWindow) {
    addLaptop();
    for (const bool menuAsked : {false, true}) {
        SCOPED_TRACE(menuAsked ? "main menu asked" : "no main menu");
        QWindow backQt;
        QWindow frontQt;
        std::unique_ptr<AppWindow> back = desktop.appWindows().adopt(backQt);
        std::unique_ptr<AppWindow> front = desktop.appWindows().adopt(frontQt);
        for (AppWindow *window : {back.get(), front.get()}) {
            window->setStyle(titled(true));
            window->setContentSize(QSizeF(400, 300));
            window->setFrameTopLeftPoint(QPointF(100, 100));
            window->makeKeyAndOrderFront();
        }
        if (menuAsked) {
            desktop.appWindows().setMainMenuKeys([](quint16, quint64) { return false; });
        }
        desktop.userInput().pressKeyHolding(wKey, EventFlags::command);
        EXPECT_FALSE(front->isVisible());
        EXPECT_TRUE(back->isVisible());
        EXPECT_TRUE(back->isKeyWindow());
    }
}

// Escape that the content leaves asks the key window to cancel; Escape it takes does not.
TEST_F(DesktopTest, EscapeCancelsOnlyWhenTheContentLeavesIt) {
    addLaptop();
    QWindow qtWindow;
    std::unique_ptr<AppWindow> window = desktop.appWindows().adopt(qtWindow);
    window->makeKeyAndOrderFront();
    int cancels = 0;
    QObject::connect(window.get(), &AppWindow::cancelRequested, [&] { ++cancels; });
    for (const bool takes : {true, false}) {
        desktop.appWindows().setContentInput(
            [&](SimAppWindow &, const SimAppWindows::ContentEvent &) { return takes; });
        desktop.userInput().pressKey(KeyCode::escape);
    }
    EXPECT_EQ(cancels, 1);
}

// A global hot key reaches its holder and not the key window; other keys reach the key window
// with their modifier flags.
TEST_F(DesktopTest, AGlobalHotKeyDoesNotReachTheKeyWindow) {
    addLaptop();
    QWindow qtWindow;
    std::unique_ptr<AppWindow> window = desktop.appWindows().adopt(qtWindow);
    window->makeKeyAndOrderFront();
    QList<SimAppWindows::ContentEvent> content;
    desktop.appWindows().setContentInput(
        [&](SimAppWindow &, const SimAppWindows::ContentEvent &event) {
            content.append(event);
            return true;
        });
    const quint64 optionCommand = EventFlags::option | EventFlags::command;
    QList<HotKeyID> pressed;
    QObject::connect(&desktop.model(), &DesktopModel::hotKeyPressed,
                     [&](const HotKeyID &id) { pressed.append(id); });
    ASSERT_EQ(desktop.hotKeys().registerHotKey(1, HotKeys::modifiersFor(optionCommand),
                                               HotKeyID{7, 1}),
              0);
    desktop.userInput().pressKey(1, optionCommand);
    desktop.userInput().pressKey(2, optionCommand);
    EXPECT_EQ(pressed.size(), 1);
    EXPECT_EQ(content, (QList<SimAppWindows::ContentEvent>{
                           {EventType::KeyDown, {}, 2, optionCommand},
                           {EventType::KeyUp, {}, 2, optionCommand}}));
}

} // namespace
} // namespace zorv::testing
