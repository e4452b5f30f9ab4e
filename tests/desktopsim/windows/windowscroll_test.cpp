#include "desktoptest.h"

#include <QWindow>

#include <memory>

namespace zorv::testing {
namespace {

// Two windows of this application: the key one at (100, 100), 400 x 300, in front of another at
// (300, 200), 400 x 300, whose lower right part it leaves uncovered.
class WindowScrollTest : public DesktopTest {
protected:
    WindowScrollTest() {
        addLaptop();
        back = adopt(backQt, QPointF(300, 200));
        front = adopt(frontQt, QPointF(100, 100));
        desktop.appWindows().setContentInput(
            [this](SimAppWindow &window, const SimAppWindows::ContentEvent &event) {
                content.append({&window == front.get() ? "front" : "back", event});
                return true;
            });
        std::ignore = desktop.eventMonitors().addGlobalMonitor(
            eventMaskBit(EventType::ScrollWheel),
            [this](const MonitoredEvent &event) { monitored.append(event.type); });
    }

    std::unique_ptr<AppWindow> adopt(QWindow &qtWindow, QPointF topLeft) {
        std::unique_ptr<AppWindow> window = desktop.appWindows().adopt(qtWindow);
        window->setStyle(WindowStyle{});
        window->setContentSize(QSizeF(400, 300));
        window->setFrameTopLeftPoint(topLeft);
        window->makeKeyAndOrderFront();
        return window;
    }

    void scrollAt(QPointF at, const std::function<void(UserInput &)> &scroll) {
        desktop.userInput().moveMouse(at);
        content.clear();
        scroll(desktop.userInput());
    }

    QWindow backQt;
    QWindow frontQt;
    std::unique_ptr<AppWindow> back;
    std::unique_ptr<AppWindow> front;
    QList<std::pair<std::string, SimAppWindows::ContentEvent>> content;
    QList<EventType> monitored;
};

struct ScrollCase {
    const char *name;
    QPointF at;
    // The window the scroll reaches and where in its content, or none.
    std::string window;
    QPointF inContent;
    // The user's scroll, and the lines and flags the window has it with: the wheel turned two
    // and a half lines down unless told.
    std::function<void(UserInput &)> scroll = [](UserInput &hands) { hands.scroll(-2.5); };
    QPointF lines{0, -2.5};
    quint64 flags = EventFlags::none;
};

void PrintTo(const ScrollCase &c, std::ostream *out) {
    *out << c.name;
}

class WindowScrollCases : public WindowScrollTest,
                          public ::testing::WithParamInterface<ScrollCase> {};

// A scroll reaches the frontmost window under the pointer, at the point in its content and with
// the lines scrolled, brings nothing forward and is not seen by global monitors; one outside
// every window reaches none of them and is seen.
TEST_P(WindowScrollCases, AScrollGoesToTheWindowUnderThePointer) {
    const ScrollCase &c = GetParam();
    scrollAt(c.at, c.scroll);
    if (c.window.empty()) {
        EXPECT_TRUE(content.isEmpty());
        EXPECT_EQ(monitored, QList<EventType>{EventType::ScrollWheel});
        return;
    }
    const QList<std::pair<std::string, SimAppWindows::ContentEvent>> expected{
        {c.window, {EventType::ScrollWheel, c.inContent, 0, c.flags, c.lines}}};
    EXPECT_EQ(content, expected);
    EXPECT_TRUE(monitored.isEmpty());
    EXPECT_EQ(desktop.appWindows().keyWindow(), front.get()) << "the key window stays key";
    EXPECT_EQ(desktop.appWindows().stackingOrder().last(), front.get());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowScrollCases,
    ::testing::Values(
        ScrollCase{"OverTheKeyWindow", QPointF(150, 120), "front", QPointF(50, 20)},
        ScrollCase{"WhereTheKeyWindowCoversTheOther", QPointF(450, 350), "front",
                   QPointF(350, 250)},
        ScrollCase{"OverTheWindowBehind", QPointF(600, 450), "back", QPointF(300, 250)},
        ScrollCase{"OutsideEveryWindow", QPointF(900, 700), "", {}},
        ScrollCase{"ASwipeSidewaysAndALittleUp", QPointF(150, 120), "front", QPointF(50, 20),
                   [](UserInput &hands) { hands.swipe(QPointF(-4, 0.5)); }, QPointF(-4, 0.5)},
        ScrollCase{"TheWheelWithShiftHeldScrollsSideways", QPointF(600, 450), "back",
                   QPointF(300, 250),
                   [](UserInput &hands) { hands.scroll(-2.5, EventFlags::shift); },
                   QPointF(-2.5, 0), EventFlags::shift}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv::testing
