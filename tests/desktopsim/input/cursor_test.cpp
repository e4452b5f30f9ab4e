#include "desktoptest.h"

namespace zorv::testing {
namespace {

using namespace std::chrono_literals;

class CursorTest : public DesktopTest {
protected:
    void SetUp() override {
        display = addLaptop();
        settle();
    }

    double idle(EventType type) {
        return desktop.inputEvents().secondsSinceLastEvent(EventSourceState::CombinedSession, type);
    }

    DisplayId display = 0;
};

TEST_F(CursorTest, WarpMovesTheCursorWithoutAnEvent) {
    InputEvents &input = desktop.inputEvents();
    input.warpCursor(QPointF(300, 200));
    EXPECT_EQ(input.cursorLocation(), QPointF(300, 200));
    EXPECT_EQ(desktop.readout().cursor().warps, 1);
    EXPECT_TRUE(desktop.readout().events().isEmpty());
    EXPECT_GE(idle(EventType::MouseMoved), 3600.0);

    desktop.readout().setCursorReadable(false);
    EXPECT_FALSE(input.cursorLocation());
}

TEST_F(CursorTest, HidesAndShowsAreCountedPerDisplay) {
    InputEvents &input = desktop.inputEvents();
    EXPECT_EQ(input.mainDisplayId(), display);
    input.hideCursor(display);
    input.hideCursor(display);
    input.hideCursor(77);
    input.showCursor(display);
    CursorState cursor = desktop.readout().cursor();
    EXPECT_EQ(cursor.hideCounts.value(display), 1);
    EXPECT_EQ(cursor.hideCounts.value(77), 1);
    input.showCursor(display);
    input.showCursor(77);
    input.showCursor(77);
    cursor = desktop.readout().cursor();
    EXPECT_TRUE(cursor.hideCounts.isEmpty()) << "an extra show does not go below zero";
    EXPECT_EQ(cursor.hideCalls, 3);
    EXPECT_EQ(cursor.showCalls, 4);
}

TEST_F(CursorTest, DetachedCursorIgnoresTheUsersMouse) {
    InputEvents &input = desktop.inputEvents();
    input.warpCursor(QPointF(100, 100));
    input.associateMouseAndCursor(false);
    desktop.userInput().moveMouse(QPointF(600, 600));
    EXPECT_EQ(input.cursorLocation(), QPointF(100, 100));
    EXPECT_FALSE(desktop.readout().cursor().mouseAssociated);
    EXPECT_EQ(idle(EventType::MouseMoved), 0.0) << "the user's input still counts";

    const auto source = input.createEventSource(EventSourceState::CombinedSession);
    source->post(MouseEvent{EventType::MouseMoved, QPointF(200, 5)});
    EXPECT_EQ(input.cursorLocation(), QPointF(200, 5)) << "posted events still move it";

    input.associateMouseAndCursor(true);
    desktop.userInput().moveMouse(QPointF(600, 600));
    EXPECT_EQ(input.cursorLocation(), QPointF(600, 600));
}

TEST_F(CursorTest, UserAndPostedInputResetTheIdleTimers) {
    EXPECT_GE(idle(EventType::KeyDown), 3600.0);
    desktop.userInput().moveMouse(QPointF(10, 10));
    clock.advance(2s);
    desktop.userInput().scroll(-3.0);
    const auto source = desktop.inputEvents().createEventSource(EventSourceState::CombinedSession);
    source->post(KeyEvent{KeyCode::command, true, EventFlags::command});
    clock.advance(500ms);
    source->post(KeyEvent{KeyCode::command, false, EventFlags::none});

    EXPECT_DOUBLE_EQ(idle(EventType::MouseMoved), 2.5);
    EXPECT_DOUBLE_EQ(idle(EventType::ScrollWheel), 0.5);
    EXPECT_DOUBLE_EQ(idle(EventType::KeyDown), 0.5) << "posted events count like the user's";
    EXPECT_DOUBLE_EQ(idle(EventType::KeyUp), 0.0);
    EXPECT_GE(idle(EventType::LeftMouseDown), 3600.0);
    EXPECT_EQ(
        desktop.inputEvents().secondsSinceLastEvent(EventSourceState::HIDSystem, EventType::KeyUp),
        0.0);

    const QList<LoggedEvent> events = desktop.readout().events();
    ASSERT_EQ(events.size(), 4);
    QList<std::tuple<EventType, EventOrigin, std::chrono::nanoseconds>> logged;
    for (const LoggedEvent &event : events) {
        logged.append({event.type, event.origin, event.at - events.front().at});
    }
    EXPECT_EQ(logged, (QList<std::tuple<EventType, EventOrigin, std::chrono::nanoseconds>>{
                          {EventType::MouseMoved, EventOrigin::User, 0s},
                          {EventType::ScrollWheel, EventOrigin::User, 2s},
                          {EventType::KeyDown, EventOrigin::Synthetic, 2s},
                          {EventType::KeyUp, EventOrigin::Synthetic, 2500ms}}));
    EXPECT_EQ(events[2].keyCode, KeyCode::command);
}

} // namespace
} // namespace zorv::testing
