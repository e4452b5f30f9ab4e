#include "simulatedanimationdriver.h"

#include "manualclock.h"

namespace zorv {

SimulatedAnimationDriver::SimulatedAnimationDriver(ManualClock &clock) : m_clock(clock) {
    connect(&clock, &ManualClock::moved, this, [this] {
        if (isRunning()) {
            advance();
        }
    });
    install();
}

SimulatedAnimationDriver::~SimulatedAnimationDriver() {
    uninstall();
}

qint64 SimulatedAnimationDriver::elapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(m_clock.now() - m_startedAt)
        .count();
}

// Qt counts animation time from the driver's start, so elapsed() does too.
void SimulatedAnimationDriver::start() {
    m_startedAt = m_clock.now();
    QAnimationDriver::start();
}

} // namespace zorv
