#include "owneventlog.h"

#include "eventsource.h"
#include "inputevents.h"

#include <cmath>
#include <limits>

namespace zorv {

namespace {

// Everything the user's hands make; the modifier-only changes come with the key events.
constexpr std::array userInputTypes{EventType::MouseMoved,
                                    EventType::LeftMouseDown,
                                    EventType::LeftMouseUp,
                                    EventType::LeftMouseDragged,
                                    EventType::RightMouseDown,
                                    EventType::RightMouseUp,
                                    EventType::RightMouseDragged,
                                    EventType::OtherMouseDown,
                                    EventType::OtherMouseUp,
                                    EventType::OtherMouseDragged,
                                    EventType::ScrollWheel,
                                    EventType::KeyDown,
                                    EventType::KeyUp};

} // namespace

bool OwnEventLog::post(EventSource &source, const InputEvents &input, const Clock &clock,
                       const MouseEvent &event) {
    notePosted(input, clock, event.type);
    return source.post(event);
}

bool OwnEventLog::post(EventSource &source, const InputEvents &input, const Clock &clock,
                       const KeyEvent &event) {
    notePosted(input, clock, event.keyDown ? EventType::KeyDown : EventType::KeyUp);
    return source.post(event);
}

void OwnEventLog::notePosted(const InputEvents &input, const Clock &clock, EventType type) {
    const double userSince = secondsSinceForeign(input, clock, type);
    const MonotonicTime now = clock.now();
    const std::lock_guard lock(m_mutex);
    const auto index = static_cast<std::size_t>(type);
    if (std::isfinite(userSince)) {
        const MonotonicTime user = now - seconds(userSince);
        std::optional<MonotonicTime> &hidden = m_hiddenUserEvent.at(index);
        hidden = std::max(hidden.value_or(user), user);
    }
    m_lastPosted.at(index) = now;
}

double OwnEventLog::secondsSinceForeign(const InputEvents &input, const Clock &clock,
                                        EventType type) const {
    std::optional<MonotonicTime> posted;
    std::optional<MonotonicTime> hidden;
    {
        const std::lock_guard lock(m_mutex);
        posted = m_lastPosted.at(static_cast<std::size_t>(type));
        hidden = m_hiddenUserEvent.at(static_cast<std::size_t>(type));
    }
    const double since = input.secondsSinceLastEvent(EventSourceState::CombinedSession, type);
    if (!posted || !std::isfinite(since)) {
        return since;
    }
    const MonotonicTime now = clock.now();
    if (std::abs(toSeconds(now - *posted) - since) <= toSeconds(matchTolerance)) {
        return hidden ? toSeconds(now - *hidden) : std::numeric_limits<double>::infinity();
    }
    return since;
}

bool OwnEventLog::userInputSince(const InputEvents &input, const Clock &clock,
                                 MonotonicTime since) const {
    const double elapsed = toSeconds(clock.now() - since);
    // Input at the very moment `since` names came after the look that found the user idle.
    for (const EventType type : userInputTypes) {
        if (secondsSinceForeign(input, clock, type) <= elapsed) {
            return true;
        }
    }
    return false;
}

} // namespace zorv
