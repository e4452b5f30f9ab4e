#include "itemclick.h"

#include "clock.h"
#include "discovery/ax.h"
#include "eventsource.h"
#include "inputevents.h"

#include <chrono>
#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr auto kWarpSettle = std::chrono::microseconds(60000);
constexpr auto kHeld = std::chrono::microseconds(90000);
// How far apart the posting of an event and the idle timer's record of it may lie.
constexpr double kTimerTolerance = 0.002;

// Whether an item of the application stands at the point, carrying the identifier when there is
// one.
bool standsAt(const AX &ax, const QList<AXElement> &elements,
              const std::optional<QString> &identifier, QPointF point) {
    for (const AXElement element : elements) {
        const QRectF frame = ax.frame(element);
        if (frame.width() > 0.0 && frame.left() <= point.x() && point.x() < frame.right()) {
            return !identifier || ax.identifier(element) == identifier;
        }
    }
    return false;
}

} // namespace

ItemClick::Outcome ItemClick::post(InputEvents &input, Clock &clock, Accessibility &accessibility,
                                   const Target &target, ClickKind click) {
    const std::unique_ptr<EventSource> source =
        input.createEventSource(EventSourceState::CombinedSession);
    if (!source) {
        return Outcome::notPosted;
    }
    input.warpCursor(target.point);
    clock.blockingSleep(kWarpSettle);
    const AX ax(accessibility);
    bool answered = true;
    const QList<AXElement> elements = ax.extrasItems(target.processId, &answered);
    if (!answered) {
        return Outcome::notAnswering;
    }
    if (!standsAt(ax, elements, target.identifier, target.point)) {
        return Outcome::moved;
    }

    const bool right = click == ClickKind::right;
    const EventType down = right ? EventType::RightMouseDown : EventType::LeftMouseDown;
    const EventType up = right ? EventType::RightMouseUp : EventType::LeftMouseUp;
    MouseEvent event;
    event.location = target.point;
    event.button = right ? MouseButton::Right : MouseButton::Left;
    event.flags = click == ClickKind::option ? EventFlags::option : EventFlags::none;
    event.clickState = 1;
    event.type = down;
    if (!source->post(event)) {
        return Outcome::notPosted;
    }
    const MonotonicTime pressedAt = clock.now();
    clock.blockingSleep(kHeld);
    // The idle timers keep the latest event of each type: one of the user's since the press is
    // younger than the press itself.
    const double held = toSeconds(clock.now() - pressedAt) - kTimerTolerance;
    const bool cutIn =
        input.secondsSinceLastEvent(EventSourceState::CombinedSession, down) < held ||
        input.secondsSinceLastEvent(EventSourceState::CombinedSession, up) < held;
    event.type = up;
    // Released in any case, so that no press of the engine's is left down.
    const bool released = source->post(event);
    if (cutIn) {
        return Outcome::cutIn;
    }
    return released ? Outcome::clicked : Outcome::notPosted;
}

QString ItemClick::describe(Outcome outcome) {
    switch (outcome) {
    case Outcome::clicked:
        return u"clicked"_s;
    case Outcome::moved:
        return u"moved before the click"_s;
    case Outcome::notAnswering:
        return u"not answering"_s;
    case Outcome::notPosted:
        return u"click not posted"_s;
    case Outcome::cutIn:
        break;
    }
    return u"the user's click came between"_s;
}

} // namespace zorv
