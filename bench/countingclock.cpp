#include "countingclock.h"

namespace zorv {

QCoro::Task<SleepOutcome> CountingClock::sleep(Duration duration, CancellationToken cancellation) {
    const SleepOutcome outcome = co_await m_inner.sleep(duration, cancellation);
    if (outcome == SleepOutcome::Elapsed) {
        ++m_elapsedSleeps;
    }
    co_return outcome;
}

} // namespace zorv
