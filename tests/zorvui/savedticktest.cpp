#include "look/savedtick.h"
#include "manualclock.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include <optional>

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

// One timeline: changes 1 s apart hold from the first; the same value again is no change, a
// change to nothing is one.
TEST_F(SavedTickTest, ShowsForTheHoldAfterTheFirstOfAQuickRunOfChanges) {
    SavedTick tick(clock);
    EXPECT_FALSE(tick.isShown());
    const struct {
        double at;
        std::optional<QVariant> savedAt;
        bool shown;
    } timeline[] = {
        {0, stamp, true},
        {1.0, stamp.addSecs(1), true},
        {1.5, {}, true},
        {1.6, {}, false},
        {2.0, {}, false},
        {2.6, {}, false},
        {3.0, stamp.addSecs(1), false},
        {3.0, QVariant(), true},
        {4.5, {}, true},
        {4.6, {}, false},
    };
    for (const auto &step : timeline) {
        advanceTo(step.at);
        if (step.savedAt) {
            tick.setSavedAt(*step.savedAt);
        }
        EXPECT_EQ(tick.isShown(), step.shown) << "at " << step.at << " s";
    }
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
