#pragma once

#include "clock.h"

#include <QDateTime>

namespace zorv {

// When the watchdog reveals to bring the engine's icon back: on the second tick in a row that
// finds it off screen, and, while reveals keep leaving it off screen, only after a wait that
// doubles with each (1.6 s up to 300 s). An icon out of sight where no reveal brings it back is
// seated again instead, on every second tick that misses it and with the same waits after seats
// that left it out of sight. The icon back in sight, a stand-down, or a new display change,
// application launch or quit, or application in front starts the count again. Lives in the
// watchdog's own task.
class WatchdogBackOff {
public:
    static constexpr double firstWaitSeconds = 1.6;
    static constexpr double longestWaitSeconds = 300.0;

    // `changeSeen`: the latest display or application change when the watchdog starts.
    explicit WatchdogBackOff(QDateTime changeSeen) : m_changeSeen(std::move(changeSeen)) {}

    // A tick that found the icon on screen, or on which the watchdog stands down.
    void iconAccountedFor();
    // A tick that found the icon off screen; `lastChange` is the latest display or application
    // change. True when the watchdog is to reveal now.
    [[nodiscard]] bool iconMissing(const QDateTime &lastChange, MonotonicTime now);
    // The watchdog revealed at `now`: the next reveal waits longer, unless the icon comes back.
    void revealed(MonotonicTime now);
    // After iconMissing() on a tick that found the icon out of sight: true when the watchdog is to
    // seat it again now, if no reveal brings it back and the bar has room for it.
    [[nodiscard]] bool seatDue(MonotonicTime now);
    // The watchdog seated the icon again at `now`: the next seat waits longer, unless the icon
    // comes back.
    void seated(MonotonicTime now);

    // Reveals in a row that left the icon off screen.
    [[nodiscard]] int fruitlessReveals() const { return m_reveals.fruitless; }

private:
    // One way of bringing the icon back, tried on the second miss in a row and then paced.
    struct Pace {
        int misses = 0;
        int fruitless = 0;
        MonotonicTime next{};

        [[nodiscard]] bool due(MonotonicTime now);
        void tried(MonotonicTime now);
    };

    Pace m_reveals;
    Pace m_seats;
    QDateTime m_changeSeen;
};

} // namespace zorv
