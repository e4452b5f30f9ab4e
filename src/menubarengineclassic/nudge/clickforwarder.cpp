#include "clickforwarder.h"

#include "clock.h"
#include "inputevents.h"

#include <QList>
#include <QPointF>

namespace zorv {

namespace {

// Just below the top edge first, then jiggling along it by a point or two.
QList<QPointF> nudgePositions(double x) {
    QList<QPointF> positions{QPointF(x, 2.0)};
    for (int step = 1; step < ClickForwarder::nudgeEvents; ++step) {
        positions.append(QPointF(x + step % 3, 0.0));
    }
    return positions;
}

} // namespace

void ClickForwarder::nudgeMenuBarReveal(InputEvents &input, Clock &clock, double x) {
    const std::unique_ptr<EventSource> source =
        input.createEventSource(EventSourceState::CombinedSession);
    for (const QPointF position : nudgePositions(x)) {
        input.warpCursor(position);
        if (source) {
            // An event that cannot be posted is skipped; the pause keeps the timing.
            (void)source->post(MouseEvent{EventType::MouseMoved, position, MouseButton::Left,
                                          EventFlags::none, 0});
        }
        // Only the clock going away cuts a pause short; it must not be touched after that.
        if (clock.blockingSleep(seconds(nudgeIntervalSeconds)) == SleepOutcome::Cancelled) {
            return;
        }
    }
}

} // namespace zorv
