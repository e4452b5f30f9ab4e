#include "state/driftmemory.h"
#include "statetest.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

// A sighting that starts no run (nothing a drag can reach) leaves the spacing alone: the next
// scan may start one at once.
TEST(DriftMemoryTest, AsksForARunOnTheSecondSightingOfTheSameDrift) {
    DriftMemory drift;
    const QSet<MenuBarItemID> one{stateId(u"a"_s)};
    const QSet<MenuBarItemID> two{stateId(u"a"_s), stateId(u"b"_s)};
    EXPECT_TRUE(drift.spacedOut(kStateNow));
    EXPECT_EQ(drift.sighted(one), std::nullopt);
    EXPECT_EQ(drift.sighted(two), std::nullopt);
    const std::optional<QString> signature = drift.sighted(two);
    ASSERT_TRUE(signature);
    EXPECT_EQ(*signature, kStateApp + u","_s + kStateApp);
    EXPECT_TRUE(drift.spacedOut(kStateNow));
    EXPECT_EQ(drift.sighted(two), signature);
    drift.runStarted(kStateNow);
    EXPECT_FALSE(drift.spacedOut(kStateNow.addSecs(45)));
    EXPECT_TRUE(drift.spacedOut(kStateNow.addMSecs(45'001)));
    // The scan after a clean one starts from the first sighting again.
    drift.forgetPrevious();
    EXPECT_EQ(drift.sighted(two), std::nullopt);
}

// A hung application's items are kept where the last scan read them: one that answers again in
// its lane, or hangs, leaves the rest of the drift as it was; a drift of those items alone is the
// same only as a whole.
TEST(DriftMemoryTest, ItemsOfAnApplicationNotAnsweringNeitherRenewNorRepeatADrift) {
    const MenuBarItemID a = stateId(u"a"_s);
    const MenuBarItemID b = stateId(u"b"_s);
    const MenuBarItemID hung{u"com.example.hung"_s, std::nullopt, std::nullopt, 0};
    using Ids = QSet<MenuBarItemID>;
    struct Sighting {
        Ids drifted;
        Ids unanswered;
        bool again;
    };
    const QList<std::pair<const char *, QList<Sighting>>> cases{
        {"AnswersInItsLane", {{{a, hung}, {hung}, false}, {{a}, {}, true}}},
        {"StopsAnswering", {{{a}, {}, false}, {{a, hung}, {hung}, true}}},
        {"AloneAndStillHung", {{{hung}, {hung}, false}, {{hung}, {hung}, true}}},
        {"AloneAfterAnotherDrift", {{{b}, {}, false}, {{hung}, {hung}, false}}},
        {"AnsweringWithADriftOfItsOwn", {{{a, hung}, {hung}, false}, {{hung}, {}, false}}},
    };
    for (const auto &[name, sightings] : cases) {
        DriftMemory drift;
        for (const Sighting &sighting : sightings) {
            EXPECT_EQ(drift.sighted(sighting.drifted, sighting.unanswered).has_value(),
                      sighting.again)
                << name;
        }
    }
}

TEST(DriftMemoryTest, GivesUpADriftAfterThreeFruitlessRunsUntilSomethingChanges) {
    DriftMemory drift;
    const QString trigger = DriftMemory::triggerPrefix + u"com.example.a"_s;
    QList<std::pair<bool, bool>> counts;
    for (int run = 0; run < 4; ++run) {
        const DriftMemory::Count count = drift.countFruitlessDrift(trigger, false);
        counts.append({count.givenUp, count.justGivenUp});
    }
    EXPECT_EQ(counts, (QList<std::pair<bool, bool>>{
                          {false, false}, {false, false}, {true, true}, {true, false}}));
    EXPECT_TRUE(drift.givenUp(u"com.example.a"_s, std::nullopt));
    EXPECT_FALSE(drift.givenUp(u"com.example.b"_s, std::nullopt));
    drift.forgetFruitless();
    EXPECT_FALSE(drift.givenUp(u"com.example.a"_s, std::nullopt));
}

// Another front application whose menus end elsewhere changes what a drag can reach: the wait
// lifts for as long as they do, and a run that fails under them gives the drift up there too.
TEST(DriftMemoryTest, AGivenUpDriftIsTriedAgainWhenTheMenusEndElsewhere) {
    DriftMemory drift;
    const QString trigger = DriftMemory::triggerPrefix + u"com.example.a"_s;
    for (int run = 0; run < DriftMemory::fruitlessRuns; ++run) {
        drift.countFruitlessDrift(trigger, false, 900.0);
    }
    EXPECT_TRUE(drift.givenUp(u"com.example.a"_s, 900.0));
    EXPECT_FALSE(drift.givenUp(u"com.example.a"_s, 300.0));
    EXPECT_TRUE(drift.countFruitlessDrift(trigger, false, 300.0).givenUp);
    EXPECT_TRUE(drift.givenUp(u"com.example.a"_s, 300.0));
    EXPECT_FALSE(drift.givenUp(u"com.example.a"_s, 900.0));
}

TEST(DriftMemoryTest, AFruitfulRunStartsTheCountAgainAndOtherRunsNeverCount) {
    DriftMemory drift;
    const QString trigger = DriftMemory::triggerPrefix + u"com.example.a"_s;
    drift.countFruitlessDrift(trigger, false);
    drift.countFruitlessDrift(trigger, false);
    drift.countFruitlessDrift(trigger, true);
    EXPECT_FALSE(drift.countFruitlessDrift(trigger, false).givenUp);
    for (int run = 0; run < 5; ++run) {
        EXPECT_FALSE(drift.countFruitlessDrift(u"user-move"_s, false).givenUp);
    }
}

} // namespace
} // namespace zorv::testing
