#pragma once

#include "clock.h"

#include <QElapsedTimer>
#include <QObject>

#include <memory>

namespace zorv {

// The production clock: QElapsedTimer for monotonic time, precise Qt timers for sleeps. A sleep
// whose token is cancelled wakes from the next turn of the event loop instead of at its deadline.
// Destroying the clock ends every pending sleep: its coroutine resumes at once, inside the
// destructor, with Cancelled (so that its frame runs to its end rather than leak), and must not
// touch the clock again.
class RealClock final : public Clock {
public:
    RealClock();
    ~RealClock() override;
    RealClock(const RealClock &) = delete;
    RealClock &operator=(const RealClock &) = delete;

    [[nodiscard]] MonotonicTime now() const override;
    [[nodiscard]] QDateTime wallNow() const override;
    [[nodiscard]] QCoro::Task<SleepOutcome> sleep(Duration duration,
                                                  CancellationToken cancellation = {}) override;
    SleepOutcome blockingSleep(Duration duration, CancellationToken cancellation = {}) override;

private:
    QElapsedTimer m_elapsed;
    // Parent of the sleepers' timers; its death takes them along.
    std::unique_ptr<QObject> m_timers;
};

} // namespace zorv
