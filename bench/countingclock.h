#pragma once

#include "clock.h"

#include <QMap>

#include <atomic>
#include <mutex>

namespace zorv {

// Hands every call on to another clock and counts the sleeps that ran to their end: each is a
// timer that would wake the main thread on a real clock. The count is also kept per sleep length
// (in milliseconds), which tells the timers apart.
class CountingClock final : public Clock {
public:
    explicit CountingClock(Clock &inner) : m_inner(inner) {}

    [[nodiscard]] MonotonicTime now() const override { return m_inner.now(); }
    [[nodiscard]] QDateTime wallNow() const override { return m_inner.wallNow(); }
    [[nodiscard]] QCoro::Task<SleepOutcome> sleep(Duration duration,
                                                  CancellationToken cancellation = {}) override;
    SleepOutcome blockingSleep(Duration duration, CancellationToken cancellation = {}) override {
        return m_inner.blockingSleep(duration, std::move(cancellation));
    }

    [[nodiscard]] int elapsedSleeps() const { return m_elapsedSleeps; }
    // Elapsed sleeps so far by their length in milliseconds.
    [[nodiscard]] QMap<qint64, int> elapsedByLength() const;

private:
    Clock &m_inner;
    std::atomic<int> m_elapsedSleeps{0};
    mutable std::mutex m_lengthsLock;
    QMap<qint64, int> m_lengths;
};

} // namespace zorv
