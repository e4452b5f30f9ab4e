#include "state/revealstate.h"

#include <gtest/gtest.h>

namespace zorv {
namespace {

const QDateTime kNow = QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC);

TEST(RevealStateTest, OnlyTheFirstCallerRunsTheLaunchTuck) {
    RevealState state(kNow, true);
    state.markRevealed();
    EXPECT_TRUE(state.beginLaunchTuck());
    EXPECT_FALSE(state.beginLaunchTuck());
    EXPECT_EQ(state.launchTuck(), RevealState::LaunchTuck::running);
    state.finishLaunchTuck();
    EXPECT_EQ(state.launchTuck(), RevealState::LaunchTuck::done);
    EXPECT_FALSE(state.isRevealed());
    EXPECT_FALSE(state.beginLaunchTuck());
    EXPECT_TRUE(state.takePlaceInReach());
    EXPECT_FALSE(state.takePlaceInReach());
}

TEST(RevealStateTest, ATuckIsNeverHeldOpenAndCountsAsSettledOnlyAfterTheWait) {
    RevealState state(kNow, false);
    state.setRevealed(true, true, true, kNow);
    EXPECT_TRUE(state.revealHeldOpen());
    EXPECT_TRUE(state.lastIncludingAlwaysHidden());
    EXPECT_FALSE(state.tuckedFor(kNow.addSecs(60), 4.0));
    state.setRevealed(false, false, true, kNow.addSecs(10));
    EXPECT_FALSE(state.revealHeldOpen());
    EXPECT_FALSE(state.tuckedFor(kNow.addSecs(14), 4.0));
    EXPECT_TRUE(state.tuckedFor(kNow.addMSecs(14'001), 4.0));
    state.touched(kNow.addSecs(20));
    EXPECT_FALSE(state.tuckedFor(kNow.addSecs(24), 4.0));
}

TEST(RevealStateTest, TucksAPeekingSeparatorAgainOncePerFrame) {
    RevealState state(kNow, false);
    const QRectF frame(100, 0, 500, 24);
    EXPECT_TRUE(state.notePeek(frame));
    EXPECT_FALSE(state.notePeek(frame));
    EXPECT_TRUE(state.notePeek(frame.adjusted(0, 0, -40, 0)));
    EXPECT_TRUE(state.notePeek(frame));
}

} // namespace
} // namespace zorv
