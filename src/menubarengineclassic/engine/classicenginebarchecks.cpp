// Guards for the synthetic drags: another menu-bar manager and a user still at the controls.

#include "classicengine.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace zorv {

bool ClassicEngine::competingManagerRunning() const {
    const QList<RunningApplication> running = m_platform.workspace.runningApplications();
    return std::any_of(running.cbegin(), running.cend(), [](const RunningApplication &app) {
        return app.bundleIdentifier.value_or(QString()).startsWith(
            u"com.surteesstudios.Bartender"_s);
    });
}

QCoro::Task<> ClassicEngine::waitForInputIdle(double quiet, std::optional<QDateTime> since,
                                              CancellationToken cancellation) {
    // Only input that shows the user at work counts; releases, modifier changes and key-ups
    // do not.
    static constexpr std::array<EventType, 6> counted{
        EventType::MouseMoved,     EventType::LeftMouseDown, EventType::LeftMouseDragged,
        EventType::RightMouseDown, EventType::ScrollWheel,   EventType::KeyDown};
    QPointer<ClassicEngine> self(this);
    while (self && !cancellation.isCancelled()) {
        double idle = std::numeric_limits<double>::infinity();
        for (EventType type : counted) {
            // The engine's own drags and Command key-downs are not the user at the controls.
            idle = std::min(idle, m_cursor.secondsSinceForeign(type));
        }
        if (idle >= quiet) {
            co_return;
        }
        if (since && idle >= secondsSince(*since) - 0.15) {
            co_return;
        }
        // Cancelled, or the clock went away: a sleep that returns at once would spin.
        if (co_await sleep(0.25, cancellation) == SleepOutcome::Cancelled) {
            co_return;
        }
    }
}

} // namespace zorv
