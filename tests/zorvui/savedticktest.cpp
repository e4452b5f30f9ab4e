#include "look/savedtick.h"
#include "manualclock.h"

#include <gtest/gtest.h>

#include <QDateTime>

namespace zorv {
namespace {

class SavedTickTest : public ::testing::Test {
protected:
    // Moves the clock to `at` seconds after the test's start.
    void advanceTo(double at) {
        clock.advance(seconds(at) - (clock.now() - start));
        clock.settle();
    }

    ManualClock clock;
    MonotonicTime start = clock.now();
    QDateTime stamp = clock.wallNow();
};

TEST_F(SavedTickTest, ShowsForTheHoldAfterTheFirstOfTwoChanges) {
    SavedTick tick(clock);
    EXPECT_FALSE(tick.isShown());
    tick.setSavedAt(stamp);
    EXPECT_TRUE(tick.isShown());
    advanceTo(1.0);
    tick.setSavedAt(stamp.addSecs(1));
    const struct {
        double at;
        bool shown;
    } timeline[] = {{1.5, true}, {1.6, false}, {2.0, false}, {2.6, false}, {3.0, false}};
    for (const auto &step : timeline) {
        advanceTo(step.at);
        EXPECT_EQ(tick.isShown(), step.shown) << "at " << step.at << " s";
    }
}

TEST_F(SavedTickTest, AChangeToNothingShowsTooButTheSameValueDoesNot) {
    SavedTick tick(clock);
    tick.setSavedAt(stamp);
    advanceTo(2);
    ASSERT_FALSE(tick.isShown());
    tick.setSavedAt(stamp);
    EXPECT_FALSE(tick.isShown()) << "not a change";
    tick.setSavedAt(QVariant());
    EXPECT_TRUE(tick.isShown());
    advanceTo(3.5);
    EXPECT_TRUE(tick.isShown());
    advanceTo(3.6);
    EXPECT_FALSE(tick.isShown());
}

TEST_F(SavedTickTest, InitialValueOfABuiltComponentShowsNothing) {
    SavedTick tick(clock);
    tick.classBegin();
    tick.setSavedAt(stamp);
    tick.componentComplete();
    EXPECT_FALSE(tick.isShown());
    tick.setSavedAt(stamp.addSecs(5));
    EXPECT_TRUE(tick.isShown());
}

TEST_F(SavedTickTest, APendingHoldOutlivesNoTick) {
    {
        SavedTick tick(clock);
        tick.setSavedAt(stamp);
    }
    advanceTo(2);
    SUCCEED() << "the wait ended without touching the destroyed tick";
}

} // namespace
} // namespace zorv
