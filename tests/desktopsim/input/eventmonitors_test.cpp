#include "desktoptest.h"

#include <QWindow>

namespace zorv::testing {
namespace {

// Global event monitors on a laptop (982 points high) where this application shows one window.
class EventMonitorsTest : public DesktopTest {
protected:
    EventMonitorsTest() {
        addLaptop();
        own = desktop.appWindows().adopt(qtWindow);
        own->setContentSize(QSizeF(300, 200));
        own->setFrameTopLeftPoint(QPointF(100, 100));
    }

    // Installs a monitor that records what it sees under `name`.
    EventMonitors::Token listen(const QString &name, quint64 mask) {
        const auto token = desktop.eventMonitors().addGlobalMonitor(
            mask, [this, name](const MonitoredEvent &event) {
                seen.append({name, event});
            });
        EXPECT_TRUE(token.has_value());
        return token.value_or(0);
    }

    QWindow qtWindow;
    std::unique_ptr<AppWindow> own;
    QList<std::pair<QString, MonitoredEvent>> seen;
};

// One of the user's events and whether a monitor of every kind sees it.
struct MonitoredCase {
    const char *name;
    std::function<void(UserInput &)> input;
    bool ownWindowShown;
    bool ownWindowKey;
    QList<MonitoredEvent> expected;
};

void PrintTo(const MonitoredCase &c, std::ostream *out) {
    *out << c.name;
}

class MonitoredEventTest : public EventMonitorsTest,
                           public ::testing::WithParamInterface<MonitoredCase> {};

TEST_P(MonitoredEventTest, OnlyEventsAimedAtOtherApplicationsAreSeen) {
    const MonitoredCase &c = GetParam();
    if (c.ownWindowKey) {
        own->makeKeyAndOrderFront();
    } else if (c.ownWindowShown) {
        own->orderFrontRegardless();
    }
    listen(QStringLiteral("all"), EventMask::leftMouseDown | EventMask::rightMouseDown |
                                      EventMask::mouseMoved | EventMask::keyDown |
                                      EventMask::scrollWheel);
    c.input(desktop.userInput());
    QList<MonitoredEvent> events;
    for (const auto &[name, event] : seen) {
        events.append(event);
    }
    EXPECT_EQ(events, c.expected);
}

// Locations are seen in the bottom-left convention: y = 982 - top-left y.
INSTANTIATE_TEST_SUITE_P(
    Events, MonitoredEventTest,
    ::testing::Values(
        MonitoredCase{"MoveOverTheDesktop",
                      [](UserInput &input) { input.moveMouse(QPointF(700, 500)); },
                      true,
                      false,
                      {MonitoredEvent{EventType::MouseMoved, QPointF(700, 482), 0, 0}}},
        MonitoredCase{"MoveOverOwnWindow",
                      [](UserInput &input) { input.moveMouse(QPointF(200, 200)); },
                      true,
                      false,
                      {}},
        MonitoredCase{"MoveWhereAHiddenWindowWas",
                      [](UserInput &input) { input.moveMouse(QPointF(200, 200)); },
                      false,
                      false,
                      {MonitoredEvent{EventType::MouseMoved, QPointF(200, 782), 0, 0}}},
        MonitoredCase{
            "RightClickElsewhereSeesOnlyTheDown",
            [](UserInput &input) {
                input.click(QPointF(700, 500), MouseButton::Right, EventFlags::control);
            },
            true,
            false,
            {MonitoredEvent{EventType::RightMouseDown, QPointF(700, 482), 0, EventFlags::control}}},
        MonitoredCase{
            "KeyWithoutKeyWindow",
            [](UserInput &input) { input.pressKey(3, EventFlags::command); },
            true,
            false,
            {MonitoredEvent{EventType::KeyDown, QPointF(0, 982), 3, EventFlags::command}}},
        MonitoredCase{"KeyWhileOwnWindowIsKey",
                      [](UserInput &input) { input.pressKey(3, EventFlags::command); },
                      true,
                      true,
                      {}},
        MonitoredCase{"Scroll",
                      [](UserInput &input) { input.scroll(-2.0); },
                      true,
                      false,
                      {MonitoredEvent{EventType::ScrollWheel, QPointF(0, 982), 0, 0}}}),
    [](const auto &info) { return std::string(info.param.name); });

// A click this application's own status item takes is its own: its monitors see none of it,
// while a click on another application's item is seen.
TEST_F(EventMonitorsTest, ClicksOnOwnStatusItemsAreNotSeen) {
    const quint64 mine = addItem(self(), 24, QStringLiteral("mine"));
    const quint64 theirs = addItem(launch(QStringLiteral("com.example.other")), 24,
                                   QStringLiteral("theirs"));
    settle();
    listen(QStringLiteral("clicks"), EventMask::leftMouseDown);
    desktop.userInput().click(entry(mine).frame.center());
    EXPECT_TRUE(seen.isEmpty());
    desktop.userInput().click(entry(theirs).frame.center());
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen[0].second.type, EventType::LeftMouseDown);
    EXPECT_EQ(desktop.readout().clicks().size(), 2) << "both items were clicked";
}

TEST_F(EventMonitorsTest, EachMonitorSeesItsMaskInInstallationOrder) {
    listen(QStringLiteral("keys"), EventMask::keyDown);
    listen(QStringLiteral("clicks"), EventMask::leftMouseDown);
    listen(QStringLiteral("both"), EventMask::keyDown | EventMask::leftMouseDown);
    desktop.userInput().click(QPointF(700, 500));
    desktop.userInput().pressKey(12);
    QStringList order;
    for (const auto &[name, event] : seen) {
        order.append(name);
    }
    EXPECT_EQ(order, (QStringList{QStringLiteral("clicks"), QStringLiteral("both"),
                                  QStringLiteral("keys"), QStringLiteral("both")}));
}

TEST_F(EventMonitorsTest, AHandlerMayRemoveMonitorsWhileTheEventGoesRound) {
    EventMonitors::Token second = 0;
    int firstCalls = 0;
    const auto first = desktop.eventMonitors().addGlobalMonitor(
        EventMask::mouseMoved, [&](const MonitoredEvent &) {
            ++firstCalls;
            desktop.eventMonitors().removeMonitor(second);
        });
    ASSERT_TRUE(first.has_value());
    second = listen(QStringLiteral("second"), EventMask::mouseMoved);
    desktop.userInput().moveMouse(QPointF(700, 500));
    EXPECT_EQ(firstCalls, 1);
    EXPECT_TRUE(seen.isEmpty()) << "removed before its turn";
    EXPECT_EQ(desktop.eventMonitors().count(), 1);
}

TEST_F(EventMonitorsTest, RefusedMonitorsAreNotInstalled) {
    auto &monitors = desktop.eventMonitors();
    EXPECT_FALSE(monitors.addGlobalMonitor(0, [](const MonitoredEvent &) {}));
    EXPECT_FALSE(monitors.addGlobalMonitor(EventMask::keyDown, {}));
    monitors.refuseNextMonitor();
    EXPECT_FALSE(monitors.addGlobalMonitor(EventMask::keyDown, [](const MonitoredEvent &) {}));
    EXPECT_TRUE(monitors.addGlobalMonitor(EventMask::keyDown, [](const MonitoredEvent &) {}));
    EXPECT_EQ(monitors.count(), 1);
}

TEST_F(EventMonitorsTest, ThePointerIsTheCursorInTheBottomLeftConvention) {
    desktop.userInput().moveMouse(QPointF(321, 100));
    EXPECT_EQ(desktop.eventMonitors().mouseLocation(), QPointF(321, 882));
}

} // namespace
} // namespace zorv::testing
