#pragma once

#include "clock.h"

namespace zorv {

// A Mac whose wall clock is set wrong: the dates it tells are `offset` away from the shared
// clock's, while its sleeps and monotonic time are the shared clock's own. Header only.
class SkewedClock final : public Clock {
public:
    explicit SkewedClock(Clock &clock) : m_clock(clock) {}

    void setOffset(Duration offset) { m_offset = offset; }

    [[nodiscard]] MonotonicTime now() const override { return m_clock.now(); }
    [[nodiscard]] QDateTime wallNow() const override {
        return m_clock.wallNow().addMSecs(
            std::chrono::duration_cast<std::chrono::milliseconds>(m_offset).count());
    }
    [[nodiscard]] QCoro::Task<SleepOutcome> sleep(Duration duration,
                                                  CancellationToken cancellation = {}) override {
        return m_clock.sleep(duration, std::move(cancellation));
    }
    SleepOutcome blockingSleep(Duration duration, CancellationToken cancellation = {}) override {
        return m_clock.blockingSleep(duration, std::move(cancellation));
    }
    [[nodiscard]] QCoro::Task<SleepOutcome>
    sleepForNetwork(Duration limit, CancellationToken cancellation = {}) override {
        return m_clock.sleepForNetwork(limit, std::move(cancellation));
    }

private:
    Clock &m_clock;
    Duration m_offset{};
};

} // namespace zorv
