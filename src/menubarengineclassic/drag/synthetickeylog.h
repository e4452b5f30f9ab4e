#pragma once

#include "clock.h"
#include "inputevent.h"

#include <mutex>
#include <optional>

namespace zorv {

class InputEvents;

// Remembers when the engine itself last posted a key-down, and a mouse-down. Posted events count
// as input exactly like the user's, so without this memory the Command key-down of the engine's
// own slow drag would read as the user pressing a key, and its drags' mouse-downs as the user
// clicking. Written from drag threads, read on the main thread.
class SyntheticKeyLog {
public:
    // How far apart the posting and the idle timer's record of one key-down may lie.
    static constexpr Duration matchTolerance = std::chrono::milliseconds(2);

    // Call just before posting the key-down, at the clock's time.
    void notePosted(MonotonicTime at);
    // Call just before posting a left mouse-down, at the clock's time.
    void noteMouseDownPosted(MonotonicTime at);

    // Seconds since the last key-down (combined session) unless that key-down is one the engine
    // posted; then infinity: whatever the user pressed before it can no longer be told apart.
    [[nodiscard]] double secondsSinceForeignKeyDown(const InputEvents &input,
                                                    const Clock &clock) const;
    // The same for left mouse-downs.
    [[nodiscard]] double secondsSinceForeignMouseDown(const InputEvents &input,
                                                      const Clock &clock) const;

private:
    [[nodiscard]] static double secondsSinceForeign(const InputEvents &input, const Clock &clock,
                                                    EventType type,
                                                    std::optional<MonotonicTime> posted);

    mutable std::mutex m_mutex;
    std::optional<MonotonicTime> m_lastPosted;
    std::optional<MonotonicTime> m_lastMouseDownPosted;
};

} // namespace zorv
