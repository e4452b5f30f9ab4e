#pragma once

#include "clock.h"

#include <QElapsedTimer>

namespace zorv {

// The production clock: QElapsedTimer for monotonic time, Qt timers for sleeps.
class RealClock final : public Clock {
public:
    RealClock();

    [[nodiscard]] MonotonicTime now() const override;
    [[nodiscard]] QDateTime wallNow() const override;
    [[nodiscard]] QCoro::Task<SleepOutcome> sleep(Duration duration,
                                                  CancellationToken cancellation) override;
    void blockingSleep(Duration duration) override;

private:
    QElapsedTimer m_elapsed;
};

} // namespace zorv
