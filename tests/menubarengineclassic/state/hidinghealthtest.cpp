#include "state/hidinghealth.h"

#include <gtest/gtest.h>

namespace zorv {
namespace {

const QDateTime kNow = QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC);

TEST(HidingHealthTest, BlocksOnARefusalAndOnNothingHiddenForLongerThanTheGrace) {
    HidingHealth health;
    EXPECT_EQ(health.hidingBlocked(kNow), std::nullopt);
    EXPECT_EQ(health.nothingHidden(kNow), kNow);
    // A later sighting keeps the first one's time.
    EXPECT_EQ(health.nothingHidden(kNow.addSecs(10)), kNow);
    EXPECT_EQ(health.hidingBlocked(kNow.addSecs(30)), std::nullopt);
    EXPECT_EQ(health.hidingBlocked(kNow.addMSecs(30'001)), HidingBlockedReason::displayNotHiding);
    health.tuckRefused();
    EXPECT_EQ(health.hidingBlocked(kNow.addSecs(60)), HidingBlockedReason::iconMisseated);
    health.tuckTook();
    health.somethingHidden();
    EXPECT_EQ(health.hidingBlocked(kNow.addSecs(60)), std::nullopt);
}

TEST(HidingHealthTest, PublishesTheFirstReasonAndThenOnlyChanges) {
    HidingHealth health;
    EXPECT_EQ(health.publication(kNow), std::optional<std::optional<HidingBlockedReason>>(
                                            std::optional<HidingBlockedReason>()));
    EXPECT_EQ(health.publication(kNow), std::nullopt);
    health.tuckRefused();
    EXPECT_EQ(health.publication(kNow),
              std::optional(std::optional(HidingBlockedReason::iconMisseated)));
    EXPECT_EQ(health.publication(kNow), std::nullopt);
    health.refusalCleared();
    EXPECT_TRUE(health.publication(kNow).has_value());
}

TEST(HidingHealthTest, SelfHealsTwicePerStateOfTheBar) {
    HidingHealth health;
    EXPECT_TRUE(health.takeSelfHealAttempt(false));
    EXPECT_TRUE(health.takeSelfHealAttempt(false));
    EXPECT_FALSE(health.takeSelfHealAttempt(false));
    // What blocked them changed: two more.
    EXPECT_TRUE(health.takeSelfHealAttempt(true));
    EXPECT_TRUE(health.takeSelfHealAttempt(false));
    EXPECT_FALSE(health.takeSelfHealAttempt(false));
    // A tuck that took ends the refusal and its count.
    health.tuckTook();
    EXPECT_TRUE(health.takeSelfHealAttempt(false));
}

TEST(HidingHealthTest, OneRecoveryLoopRunsAndAReplacedOneNeverEndsItsSuccessor) {
    HidingHealth health;
    const std::optional<int> first = health.beginRecovery();
    ASSERT_TRUE(first);
    EXPECT_EQ(health.beginRecovery(), std::nullopt);
    // Cancelled (a retry or the emergency reveal), then started again.
    health.recoveryStopped();
    const std::optional<int> second = health.beginRecovery();
    ASSERT_TRUE(second);
    EXPECT_FALSE(health.endRecovery(*first));
    EXPECT_TRUE(health.tuckRecoveryRunning());
    EXPECT_TRUE(health.endRecovery(*second));
    EXPECT_FALSE(health.tuckRecoveryRunning());
}

TEST(HidingHealthTest, RecoveryPausesDoubleUpToSixteenSeconds) {
    const QList<double> pauses{HidingHealth::recoveryPause(1), HidingHealth::recoveryPause(2),
                               HidingHealth::recoveryPause(3), HidingHealth::recoveryPause(4),
                               HidingHealth::recoveryPause(5), HidingHealth::recoveryPause(40)};
    EXPECT_EQ(pauses, (QList<double>{2.0, 4.0, 8.0, 16.0, 16.0, 16.0}));
}

} // namespace
} // namespace zorv
