#pragma once

#include "clock.h"
#include "inputevents.h"

#include <QPointF>

#include <chrono>

namespace zorv::testing {

// How a program paces a synthetic Command-drag: the hold before the first dragged event, whether
// it also holds Command on the keyboard, and the number of dragged events and their spacing.
struct DragPacing {
    std::chrono::microseconds hold{30000};
    bool commandKey = false;
    int steps = 10;
    std::chrono::microseconds step{3000};
    std::chrono::microseconds settle{15000};

    static DragPacing standard() { return {}; }
    static DragPacing slow() {
        return {std::chrono::microseconds(130000), true, 20, std::chrono::microseconds(8000),
                std::chrono::microseconds(45000)};
    }
    // Just over the shortest hold a posted drag needs, for tests that run on the real clock.
    static DragPacing brisk() {
        return {std::chrono::microseconds(25000), false, 3, std::chrono::microseconds(1000), {}};
    }
    // Everything posted back to back.
    static DragPacing hurried() { return {{}, false, 1, {}, {}}; }
};

// Posts a Command-drag from `from` to `to` through the input-event interface, sleeping on the
// clock between events as a drag running on a worker thread does.
inline void postCommandDrag(InputEvents &input, Clock &clock, QPointF from, QPointF to,
                            const DragPacing &pacing) {
    const auto source = input.createEventSource(EventSourceState::CombinedSession);
    input.warpCursor(from);
    clock.blockingSleep(pacing.settle);
    if (pacing.commandKey) {
        source->post(KeyEvent{KeyCode::command, true, EventFlags::command});
    }
    clock.blockingSleep(pacing.settle);
    source->post(
        MouseEvent{EventType::LeftMouseDown, from, MouseButton::Left, EventFlags::command, 1});
    clock.blockingSleep(pacing.hold);
    for (int step = 1; step <= pacing.steps; ++step) {
        const QPointF at(from.x() + (to.x() - from.x()) * step / pacing.steps, from.y());
        source->post(
            MouseEvent{EventType::LeftMouseDragged, at, MouseButton::Left, EventFlags::command, 1});
        clock.blockingSleep(pacing.step);
    }
    clock.blockingSleep(pacing.settle);
    source->post(MouseEvent{EventType::LeftMouseUp, to, MouseButton::Left, EventFlags::command, 1});
    clock.blockingSleep(pacing.settle);
    if (pacing.commandKey) {
        source->post(KeyEvent{KeyCode::command, false, EventFlags::none});
    }
}

} // namespace zorv::testing
