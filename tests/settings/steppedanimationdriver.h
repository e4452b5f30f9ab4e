#pragma once

#include <QAnimationDriver>

namespace zorv {

// Drives the views' animations in steps the test takes instead of on the wall clock, so that a
// picture taken after a change shows the controls at rest (a switch's knob at its end, not on its
// way). Installed for its lifetime.
class SteppedAnimationDriver final : public QAnimationDriver {
public:
    SteppedAnimationDriver() { install(); }
    ~SteppedAnimationDriver() override { uninstall(); }

    [[nodiscard]] qint64 elapsed() const override { return m_elapsed; }
    // Moves every running animation on by `milliseconds`.
    void step(qint64 milliseconds) {
        m_elapsed += milliseconds;
        advance();
    }

protected:
    // Animations count from where the driver stands when they start: the first step after a
    // quiet spell moves them by that step only, not by the steps taken while none ran.
    void start() override {
        m_elapsed = 0;
        QAnimationDriver::start();
    }

private:
    qint64 m_elapsed = 0;
};

} // namespace zorv
