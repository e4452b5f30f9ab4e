#include "countingclock.h"

#include <chrono>

namespace zorv {

QCoro::Task<SleepOutcome> CountingClock::sleep(Duration duration, CancellationToken cancellation) {
    const SleepOutcome outcome = co_await m_inner.sleep(duration, cancellation);
    if (outcome == SleepOutcome::Elapsed) {
        ++m_elapsedSleeps;
        const std::lock_guard lock(m_lengthsLock);
        ++m_lengths[std::chrono::duration_cast<std::chrono::milliseconds>(duration).count()];
    }
    co_return outcome;
}

QMap<qint64, int> CountingClock::elapsedByLength() const {
    const std::lock_guard lock(m_lengthsLock);
    return m_lengths;
}

} // namespace zorv
