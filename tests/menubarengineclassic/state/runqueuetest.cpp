#include "state/runqueue.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST(RunQueueTest, ARunComesCloserOnlyBelowTheFewestOfTheRunsBefore) {
    RunQueue runs;
    // Each run: drags needed at its start and at its end, under epoch 1.
    const QList<std::pair<qsizetype, qsizetype>> ends{{6, 4}, {4, 5}, {5, 4}, {4, 3}};
    QList<bool> closer;
    for (const auto &[start, end] : ends) {
        closer.append(runs.cameCloser(start, end, false, 1, 1));
    }
    // The third run undid the second's harm only: no closer than the first left it.
    EXPECT_EQ(closer, (QList<bool>{true, false, false, true}));
    // A new wanted order starts over.
    EXPECT_FALSE(runs.cameCloser(3, 5, false, 1, 2));
    EXPECT_TRUE(runs.cameCloser(5, 4, false, 2, 2));
    // A settled run, or one that could not count, is never closer and forgets the fewest.
    EXPECT_FALSE(runs.cameCloser(4, 0, true, 2, 2));
    EXPECT_TRUE(runs.cameCloser(9, 8, false, 2, 2));
    EXPECT_FALSE(runs.cameCloser(std::nullopt, 1, false, 2, 2));
}

TEST(RunQueueTest, QueuesOneTriggerAndBoundsTheFollowUpsOfRunsThatGetNowhere) {
    RunQueue runs;
    runs.begin();
    runs.queue(u"first"_s);
    runs.queue(u"second"_s);
    EXPECT_FALSE(runs.mayFollowUp());
    EXPECT_EQ(runs.takeQueued(), u"second"_s);
    EXPECT_EQ(runs.takeQueued(), std::nullopt);
    for (int run = 1; run < RunQueue::followUpRunLimit; ++run) {
        runs.runEnded(false);
        EXPECT_TRUE(runs.mayFollowUp());
    }
    runs.runEnded(false);
    EXPECT_FALSE(runs.mayFollowUp());
    runs.runEnded(true);
    EXPECT_TRUE(runs.mayFollowUp());
    runs.queue(u"third"_s);
    runs.abandon();
    EXPECT_FALSE(runs.reconcileInFlight());
    EXPECT_FALSE(runs.hasQueued());
}

} // namespace
} // namespace zorv
