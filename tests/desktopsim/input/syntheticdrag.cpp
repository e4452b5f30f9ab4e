#include "input/syntheticdrag.h"

namespace zorv::testing {

void postCommandDrag(InputEvents &input, Clock &clock, QPointF from, QPointF to,
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
