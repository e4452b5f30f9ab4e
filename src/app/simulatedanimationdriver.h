#pragma once

#include "clock.h"

#include <QAnimationDriver>

namespace zorv {

class ManualClock;

// Runs the views' animations (a switch's knob, a pane fading in, a pop-up's or a sheet's
// transition) on a manual clock instead of the wall clock: each time the clock moves, every
// running animation moves on by as much, before anything due at the new time runs. In fast time
// an animation an input starts has thus run its course by the next input, as in real time,
// however little wall time passed between them. Installed for its lifetime; install it before the
// first window is made, as a render thread's own driver cannot share Qt's animation timer with
// it. Main thread.
class SimulatedAnimationDriver final : public QAnimationDriver {
public:
    explicit SimulatedAnimationDriver(ManualClock &clock);
    ~SimulatedAnimationDriver() override;
    SimulatedAnimationDriver(const SimulatedAnimationDriver &) = delete;
    SimulatedAnimationDriver &operator=(const SimulatedAnimationDriver &) = delete;

    // Milliseconds of simulated time since the animations last started running.
    [[nodiscard]] qint64 elapsed() const override;

protected:
    void start() override;

private:
    ManualClock &m_clock;
    MonotonicTime m_startedAt{};
};

} // namespace zorv
