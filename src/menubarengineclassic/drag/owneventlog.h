#pragma once

#include "clock.h"
#include "inputevent.h"

#include <array>
#include <mutex>
#include <optional>

namespace zorv {

class EventSource;
class InputEvents;

// The engine's mark on the events it posts: for every event type, when the engine itself last
// posted one. Posted events reset the idle timers exactly like the user's, so without this mark
// the engine's own drags and Command key-downs would read as the user at the controls, and, the
// other way round, an event of the user's would be taken for the engine's. The idle timers keep
// only the latest event of each type: a type whose latest event is the engine's tells nothing of
// the user's earlier ones, which is why the engine looks for the user's input right before it
// posts. Posted from drag threads, read on any thread.
class OwnEventLog {
public:
    // How far apart the posting and the idle timer's record of one event may lie.
    static constexpr Duration matchTolerance = std::chrono::milliseconds(2);

    // Marks the event as the engine's, at the clock's time, and posts it through `source`;
    // false when it could not be created.
    bool post(EventSource &source, const Clock &clock, const MouseEvent &event);
    bool post(EventSource &source, const Clock &clock, const KeyEvent &event);

    // Seconds since the last event of `type` (combined session) unless that event is one the
    // engine posted; then infinity: whatever the user did before it can no longer be told apart.
    [[nodiscard]] double secondsSinceForeign(const InputEvents &input, const Clock &clock,
                                             EventType type) const;
    // Whether the user's hands were at work at or after `since`: a mouse move, press, release or
    // drag of any button, a scroll, or a key going down or up, that the engine did not post.
    [[nodiscard]] bool userInputSince(const InputEvents &input, const Clock &clock,
                                      MonotonicTime since) const;

private:
    static constexpr std::size_t typeCount = static_cast<std::size_t>(EventType::FlagsChanged) + 1;

    void notePosted(EventType type, MonotonicTime at);

    mutable std::mutex m_mutex;
    std::array<std::optional<MonotonicTime>, typeCount> m_lastPosted{};
};

} // namespace zorv
