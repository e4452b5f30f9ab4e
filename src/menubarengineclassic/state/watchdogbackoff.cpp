#include "watchdogbackoff.h"

#include <algorithm>
#include <cmath>

namespace zorv {

void WatchdogBackOff::iconAccountedFor() {
    m_misses = 0;
    m_fruitlessReveals = 0;
}

bool WatchdogBackOff::iconMissing(const QDateTime &lastChange, MonotonicTime now) {
    if (++m_misses < 2) {
        return false;
    }
    if (lastChange != m_changeSeen) {
        m_changeSeen = lastChange;
        m_fruitlessReveals = 0;
    }
    if (m_fruitlessReveals > 0 && now < m_nextReveal) {
        return false;
    }
    m_misses = 0;
    return true;
}

void WatchdogBackOff::revealed(MonotonicTime now) {
    const double wait =
        std::min(firstWaitSeconds * std::pow(2.0, m_fruitlessReveals), longestWaitSeconds);
    ++m_fruitlessReveals;
    m_nextReveal = deadlineAfter(now, seconds(wait));
}

} // namespace zorv
