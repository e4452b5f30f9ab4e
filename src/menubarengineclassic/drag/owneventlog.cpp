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

bool OwnEventLog::post(EventSource &source, const Clock &clock, const MouseEvent &event) {
    notePosted(event.type, clock.now());
    return source.post(event);
}

bool OwnEventLog::post(EventSource &source, const Clock &clock, const KeyEvent &event) {
    notePosted(event.keyDown ? EventType::KeyDown : EventType::KeyUp, clock.now());
    return source.post(event);
}

void OwnEventLog::notePosted(EventType type, MonotonicTime at) {
    const std::lock_guard lock(m_mutex);
    m_lastPosted.at(static_cast<std::size_t>(type)) = at;
}

double OwnEventLog::secondsSinceForeign(const InputEvents &input, const Clock &clock,
                                        EventType type) const {
    std::optional<MonotonicTime> posted;
    {
        const std::lock_guard lock(m_mutex);
        posted = m_lastPosted.at(static_cast<std::size_t>(type));
    }
    const double since = input.secondsSinceLastEvent(EventSourceState::CombinedSession, type);
    if (!posted || !std::isfinite(since)) {
        return since;
    }
    const Duration sincePosted = clock.now() - *posted;
    if (std::abs(toSeconds(sincePosted) - since) <= toSeconds(matchTolerance)) {
        return std::numeric_limits<double>::infinity();
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
