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
// only the latest event of each type, so an event the engine posts would hide the user's of the
// same type just before it: each post first reads the timer and keeps the user's latest event of
// that type, which then stands for the type while the engine's own post is the latest. Posted
// from drag threads, read on any thread.
class OwnEventLog {
public:
    // How far apart the posting and the idle timer's record of one event may lie.
    static constexpr Duration matchTolerance = std::chrono::milliseconds(2);

    // Marks the event as the engine's, at the clock's time, and posts it through `source`;
    // false when it could not be created. `input` is read first for the user's latest event of
    // the type, which the post is about to hide.
    bool post(EventSource &source, const InputEvents &input, const Clock &clock,
              const MouseEvent &event);
    bool post(EventSource &source, const InputEvents &input, const Clock &clock,
              const KeyEvent &event);

    // Seconds since the user's last event of `type` (combined session): the timer's own reading
    // unless its latest event is one the engine posted; then since the user's latest one seen
    // before the engine's posts hid it, or infinity when there was none.
    [[nodiscard]] double secondsSinceForeign(const InputEvents &input, const Clock &clock,
                                             EventType type) const;
    // Whether the user's hands were at work at or after `since`: a mouse move, press, release or
    // drag of any button, a scroll, or a key going down or up, that the engine did not post.
    [[nodiscard]] bool userInputSince(const InputEvents &input, const Clock &clock,
                                      MonotonicTime since) const;

private:
    static constexpr std::size_t typeCount = static_cast<std::size_t>(EventType::FlagsChanged) + 1;

    void notePosted(const InputEvents &input, const Clock &clock, EventType type);

    mutable std::mutex m_mutex;
    std::array<std::optional<MonotonicTime>, typeCount> m_lastPosted{};
    // Per type, the user's latest event that a post of the engine's then hid.
    std::array<std::optional<MonotonicTime>, typeCount> m_hiddenUserEvent{};
};

} // namespace zorv
