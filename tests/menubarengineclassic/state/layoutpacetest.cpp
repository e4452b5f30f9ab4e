#include "state/layoutpace.h"

#include <gtest/gtest.h>

namespace zorv {
namespace {

TEST(LayoutPaceTest, WaitsFollowTheSlowestRecentLayoutWithinBounds) {
    LayoutPace pace;
    EXPECT_DOUBLE_EQ(pace.revealSettleSeconds(), LayoutPace::shortestRevealSettleSeconds);
    EXPECT_DOUBLE_EQ(pace.dragSettleSeconds(), LayoutPace::shortestDragSettleSeconds);
    pace.measured(2.0);
    EXPECT_DOUBLE_EQ(pace.revealSettleSeconds(), 3.0);
    EXPECT_DOUBLE_EQ(pace.dragSettleSeconds(), 3.0);
    // A bar that did not lay out at all counts as the slowest there is, and no wait passes the
    // bound.
    pace.measured(0.0, false);
    EXPECT_DOUBLE_EQ(pace.revealSettleSeconds(), LayoutPace::longestSettleSeconds);
    // The slow spell is forgotten after five quicker reveals.
    for (int i = 0; i < 5; ++i) {
        pace.measured(0.2);
    }
    EXPECT_DOUBLE_EQ(pace.revealSettleSeconds(), LayoutPace::shortestRevealSettleSeconds);
    pace.measured(-1.0);
    pace.measured(std::nan(""));
    EXPECT_DOUBLE_EQ(pace.revealSettleSeconds(), LayoutPace::shortestRevealSettleSeconds);
}

TEST(LayoutPaceTest, RetriesAbortedRunsWithBackOffUntilOneGetsThrough) {
    LayoutPace pace;
    QList<double> delays;
    while (const std::optional<double> delay = pace.retryAfterAbort()) {
        delays.append(*delay);
    }
    EXPECT_EQ(delays, (QList<double>{2.0, 4.0, 8.0, 16.0}));
    pace.revealSettled();
    EXPECT_EQ(pace.retryAfterAbort(), 2.0);
}

} // namespace
} // namespace zorv
