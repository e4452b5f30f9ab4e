#include "runqueue.h"

#include <algorithm>

namespace zorv {

void RunQueue::abandon() {
    m_queuedTrigger.reset();
    m_reconcileInFlight = false;
}

bool RunQueue::cameCloser(std::optional<qsizetype> neededAtStart,
                          std::optional<qsizetype> neededAtEnd, bool settled, int epochAtStart,
                          int epoch) {
    if (settled || !neededAtStart || !neededAtEnd || epoch != epochAtStart) {
        m_fewestStillNeeded.reset();
        return false;
    }
    // Against the fewest of the runs before it too, so runs that undo each other's work never
    // count as coming closer.
    qsizetype fewest = *neededAtStart;
    if (m_fewestStillNeeded && m_fewestStillNeeded->first == epoch) {
        fewest = std::min(fewest, m_fewestStillNeeded->second);
    }
    m_fewestStillNeeded = std::pair(epoch, std::min(fewest, *neededAtEnd));
    return *neededAtEnd < fewest;
}

void RunQueue::runEnded(bool settledOrCloser) {
    m_unsettledRuns = settledOrCloser ? 0 : m_unsettledRuns + 1;
}

} // namespace zorv
