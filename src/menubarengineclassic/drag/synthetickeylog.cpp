#include "synthetickeylog.h"

#include "inputevents.h"

#include <cmath>
#include <limits>

namespace zorv {

void SyntheticKeyLog::notePosted(MonotonicTime at) {
    const std::lock_guard lock(m_mutex);
    m_lastPosted = at;
}

void SyntheticKeyLog::noteMouseDownPosted(MonotonicTime at) {
    const std::lock_guard lock(m_mutex);
    m_lastMouseDownPosted = at;
}

double SyntheticKeyLog::secondsSinceForeignKeyDown(const InputEvents &input,
                                                   const Clock &clock) const {
    std::optional<MonotonicTime> posted;
    {
        const std::lock_guard lock(m_mutex);
        posted = m_lastPosted;
    }
    return secondsSinceForeign(input, clock, EventType::KeyDown, posted);
}

double SyntheticKeyLog::secondsSinceForeignMouseDown(const InputEvents &input,
                                                     const Clock &clock) const {
    std::optional<MonotonicTime> posted;
    {
        const std::lock_guard lock(m_mutex);
        posted = m_lastMouseDownPosted;
    }
    return secondsSinceForeign(input, clock, EventType::LeftMouseDown, posted);
}

double SyntheticKeyLog::secondsSinceForeign(const InputEvents &input, const Clock &clock,
                                            EventType type, std::optional<MonotonicTime> posted) {
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

} // namespace zorv
