#include "movecoordinator.h"

#include "clock.h"
#include "inputevents.h"
#include "owneventlog.h"

#include <QList>

#include <cmath>
#include <utility>

namespace zorv {

namespace {

void wait(Clock &clock, quint32 microseconds) {
    clock.blockingSleep(std::chrono::microseconds(microseconds));
}

void postMouse(EventSource *source, OwnEventLog &own, const InputEvents &input, const Clock &clock,
               EventType type, QPointF location, quint64 flags) {
    if (source) {
        (void)own.post(*source, input, clock,
                       MouseEvent{type, location, MouseButton::Left, flags, 1});
    }
}

} // namespace

std::optional<qint64> MoveCoordinator::stepsPerLeg(double length, double stepPx) {
    const double quotient = std::abs(length) / stepPx;
    if (std::isnan(quotient) || quotient > static_cast<double>(maximumSteps)) {
        return std::nullopt;
    }
    if (quotient < static_cast<double>(minimumSteps)) {
        return minimumSteps;
    }
    return static_cast<qint64>(quotient);
}

double MoveCoordinator::longestLeg(double distance) {
    const double length = std::abs(distance);
    return length < detourDistance ? length + detourDistance : length;
}

bool MoveCoordinator::commandDrag(InputEvents &input, Clock &clock, OwnEventLog &own, QPointF from,
                                  QPointF to, const Gesture &gesture,
                                  std::optional<MonotonicTime> unlessInputSince) {
    const std::unique_ptr<EventSource> source =
        input.createEventSource(EventSourceState::CombinedSession);
    // Checked at the last moment before the first event: the idle timers keep only the latest
    // event of a type, so a click of the user's just before the drag's own mouse-down would be
    // hidden behind it.
    const auto userCameBack = [&] {
        return unlessInputSince && own.userInputSince(input, clock, *unlessInputSince);
    };

    input.warpCursor(from);
    wait(clock, gesture.warpSettle);
    if (gesture.commandViaKeyboard && source) {
        if (userCameBack()) {
            return false;
        }
        (void)own.post(*source, input, clock,
                       KeyEvent{KeyCode::command, true, EventFlags::command});
    }
    wait(clock, gesture.keySettle);
    if (!(gesture.commandViaKeyboard && source) && userCameBack()) {
        return false;
    }
    postMouse(source.get(), own, input, clock, EventType::LeftMouseDown, from, EventFlags::command);
    wait(clock, gesture.holdBeforeMove);

    QList<std::pair<double, double>> legs;
    if (std::abs(to.x() - from.x()) < detourDistance) {
        const double detour =
            from.x() <= to.x() ? from.x() - detourDistance : from.x() + detourDistance;
        legs = {{from.x(), detour}, {detour, to.x()}};
    } else {
        legs = {{from.x(), to.x()}};
    }
    for (const auto &[x0, x1] : legs) {
        const qint64 steps = stepsPerLeg(x1 - x0, gesture.stepPx).value_or(minimumSteps);
        for (qint64 i = 1; i <= steps; ++i) {
            const double x =
                i == steps ? x1
                           : x0 + (x1 - x0) * static_cast<double>(i) / static_cast<double>(steps);
            postMouse(source.get(), own, input, clock, EventType::LeftMouseDragged,
                      QPointF(x, from.y()), EventFlags::command);
            wait(clock, gesture.stepDelay);
        }
        wait(clock, gesture.dwell);
    }

    wait(clock, gesture.preUpSettle);
    postMouse(source.get(), own, input, clock, EventType::LeftMouseUp, to, EventFlags::command);
    wait(clock, gesture.postUpSettle);
    if (gesture.commandViaKeyboard && source) {
        (void)own.post(*source, input, clock, KeyEvent{KeyCode::command, false, EventFlags::none});
    }
    return true;
}

} // namespace zorv
