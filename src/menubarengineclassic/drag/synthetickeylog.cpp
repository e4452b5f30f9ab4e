#include "synthetickeylog.h"

#include "inputevents.h"

#include <cmath>
#include <limits>

namespace zorv {

void SyntheticKeyLog::notePosted(MonotonicTime at) {
    const std::lock_guard lock(m_mutex);
    m_lastPosted = at;
}

double SyntheticKeyLog::secondsSinceForeignKeyDown(const InputEvents &input,
                                                   const Clock &clock) const {
    const double since =
        input.secondsSinceLastEvent(EventSourceState::CombinedSession, EventType::KeyDown);
    std::optional<MonotonicTime> posted;
    {
        const std::lock_guard lock(m_mutex);
        posted = m_lastPosted;
    }
    if (!posted || !std::isfinite(since)) {
        return since;
    }
    const Duration sincePosted = clock.now() - *posted;
    if (std::abs(toSeconds(sincePosted) - since) <= toSeconds(matchTolerance)) {
        return std::numeric_limits<double>::infinity();
    }
    return since;
}

} // namespace zorv
