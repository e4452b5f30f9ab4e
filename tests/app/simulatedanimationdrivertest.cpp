#include "simulatedanimationdriver.h"
#include "manualclock.h"

#include <gtest/gtest.h>

#include <QCoroTask>
#include <QVariantAnimation>

#include <functional>
#include <optional>

namespace zorv {
namespace {

QCoro::Task<> sleepThenLook(ManualClock &clock, Duration duration, std::function<void()> look) {
    const SleepOutcome outcome = co_await clock.sleep(duration);
    if (outcome == SleepOutcome::Elapsed) {
        look();
    }
}

// Animations move with the manual clock, whatever wall time passes, and one that has run its
// course by the time a sleeper wakes has ended when it does.
TEST(SimulatedAnimationDriverTest, AnimationsFollowTheClockAndEndBeforeSleepersDueThenWake) {
    ManualClock clock;
    const SimulatedAnimationDriver driver(clock);
    QVariantAnimation animation;
    animation.setStartValue(0.0);
    animation.setEndValue(100.0);
    animation.setDuration(200);
    animation.start();
    clock.settle();
    EXPECT_EQ(animation.currentTime(), 0);

    clock.advance(seconds(0.05));
    EXPECT_EQ(animation.currentTime(), 50);
    EXPECT_DOUBLE_EQ(animation.currentValue().toDouble(), 25.0);

    std::optional<QAbstractAnimation::State> seenByTheSleeper;
    auto sleeper =
        sleepThenLook(clock, seconds(0.15), [&] { seenByTheSleeper = animation.state(); });
    clock.advance(seconds(1));
    EXPECT_EQ(seenByTheSleeper, QAbstractAnimation::Stopped);
    EXPECT_DOUBLE_EQ(animation.currentValue().toDouble(), 100.0);
}

} // namespace
} // namespace zorv
