#include "watchdogbackoff.h"

#include <algorithm>
#include <cmath>

namespace zorv {

bool WatchdogBackOff::Pace::due(MonotonicTime now) {
    if (++misses < 2) {
        return false;
    }
    if (fruitless > 0 && now < next) {
        return false;
    }
    misses = 0;
    return true;
}

void WatchdogBackOff::Pace::tried(MonotonicTime now) {
    const double wait = std::min(firstWaitSeconds * std::pow(2.0, fruitless), longestWaitSeconds);
    ++fruitless;
    next = deadlineAfter(now, seconds(wait));
}

void WatchdogBackOff::iconAccountedFor() {
    m_reveals = {};
    m_seats = {};
}

bool WatchdogBackOff::iconMissing(const QDateTime &lastChange, MonotonicTime now) {
    if (lastChange != m_changeSeen) {
        m_changeSeen = lastChange;
        m_reveals.fruitless = 0;
        m_seats.fruitless = 0;
    }
    return m_reveals.due(now);
}

void WatchdogBackOff::revealed(MonotonicTime now) {
    m_reveals.tried(now);
}

bool WatchdogBackOff::seatDue(MonotonicTime now) {
    return m_seats.due(now);
}

void WatchdogBackOff::seated(MonotonicTime now) {
    m_seats.tried(now);
}

} // namespace zorv
