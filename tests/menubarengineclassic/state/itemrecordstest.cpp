#include "state/itemrecords.h"
#include "reconcile/dragplanner.h"
#include "statetest.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

struct ReviewCase {
    const char *name;
    // Seconds since the failure, and how many runs failed.
    int age;
    int runs;
    // Where the item stands: absent when it is out of reach or not answering.
    std::optional<ItemRecords::LaneStanding> standing;
    bool onTheBar = true;
    // Whether the failure is still on record afterwards, and the retirement asked for.
    bool kept;
    std::optional<Section> retiredInto;
};

class LaneFailureReview : public ::testing::TestWithParam<ReviewCase> {};

TEST_P(LaneFailureReview, ClearsKeepsOrRetires) {
    const ReviewCase &c = GetParam();
    ItemRecords records;
    const MenuBarItemID id = stateId(u"x"_s);
    const QDateTime failedAt = kStateNow.addSecs(-c.age);
    for (int run = 0; run < c.runs; ++run) {
        EXPECT_FALSE(records.laneOutcome(id, false, failedAt));
    }
    const QList<MenuBarItem> items{c.onTheBar ? stateItem(u"x"_s, 100) : stateItem(u"x"_s, 0, 0.0)};
    const QList<Adoption> retired = records.reviewLaneFailures(
        items, kStateNow, [&c](const MenuBarItem &) { return c.standing; });
    EXPECT_EQ(records.laneFailed().contains(id), c.kept);
    QList<Adoption> expected;
    if (c.retiredInto) {
        expected.append({id, *c.retiredInto});
    }
    EXPECT_EQ(retired, expected);
}

constexpr ItemRecords::LaneStanding kInItsLane{Section::hidden, Section::hidden};
constexpr ItemRecords::LaneStanding kOutOfItsLane{Section::hidden, Section::shown};

INSTANTIATE_TEST_SUITE_P(
    Cases, LaneFailureReview,
    ::testing::Values(ReviewCase{"TooRecentToJudge", 44, 2, kOutOfItsLane, true, true, {}},
                      ReviewCase{"InItsLaneAfterAll", 45, 2, kInItsLane, true, false, {}},
                      ReviewCase{"NoLongerPlaced",
                                 60,
                                 2,
                                 ItemRecords::LaneStanding{std::nullopt, Section::shown},
                                 true,
                                 false,
                                 {}},
                      ReviewCase{"OneFailedRunIsNotEnough", 60, 1, kOutOfItsLane, true, true, {}},
                      ReviewCase{"RetiredWhereItStands", 60, 2, kOutOfItsLane, true, true,
                                 Section::shown},
                      ReviewCase{"OutOfReachWaits", 60, 3, std::nullopt, true, true, {}},
                      ReviewCase{"OffTheBarClears", 45, 3, kOutOfItsLane, false, false, {}},
                      ReviewCase{"OffTheBarRecentlyStays", 10, 3, kOutOfItsLane, false, true, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ItemRecordsTest, AnItemRefusingItsOrderMakesHeadwayUntilItIsLeftAlone) {
    ItemRecords records;
    const MenuBarItemID id = stateId(u"x"_s);
    QList<bool> headway;
    for (int run = 0; run <= DragPlanner::stubbornRuns; ++run) {
        headway.append(records.orderOutcome(id, false));
    }
    QList<bool> expected(DragPlanner::stubbornRuns, true);
    expected.append(false);
    EXPECT_EQ(headway, expected);
    EXPECT_TRUE(records.stubbornSet().contains(id));
    // A drag that took starts the count again.
    EXPECT_TRUE(records.orderOutcome(id, true));
    EXPECT_FALSE(records.stubbornSet().contains(id));
}

TEST(ItemRecordsTest, TheUsersOwnPlacementClearsEveryMark) {
    ItemRecords records;
    const MenuBarItemID id = stateId(u"x"_s);
    for (int run = 0; run <= DragPlanner::stubbornRuns; ++run) {
        records.orderOutcome(id, false);
    }
    records.laneOutcome(id, false, kStateNow);
    records.retired(id);
    EXPECT_TRUE(records.unmovable().contains(id));
    EXPECT_FALSE(records.laneFailed().contains(id));
    records.laneOutcome(id, false, kStateNow);
    records.clearOrderMarks(id);
    EXPECT_TRUE(records.stubbornSet().isEmpty());
    EXPECT_TRUE(records.laneFailed().isEmpty());
    EXPECT_EQ(records.laneFailedRuns(id), 0);
}

// An item whose lane drags failed on two runs waits for the upkeep while a drag can get at what
// it could then; once the front application's menus end elsewhere it is tried again.
TEST(ItemRecordsTest, ALaneFailedOnTwoRunsWaitsUntilTheReachChanges) {
    ItemRecords records;
    const MenuBarItemID id = stateId(u"x"_s);
    const Reachability reach{QRectF(0, 0, 1512, 982), {{656.0, 856.0}}, 420.0, {}};
    records.laneOutcome(id, false, kStateNow, reach);
    EXPECT_TRUE(records.awaitingRetirement(reach).isEmpty());
    records.laneOutcome(id, false, kStateNow, reach);
    EXPECT_EQ(records.awaitingRetirement(reach), QList<MenuBarItemID>{id});
    Reachability silent = reach;
    silent.unanswered.insert(stateId(u"y"_s));
    EXPECT_EQ(records.awaitingRetirement(silent), QList<MenuBarItemID>{id});
    Reachability shorterMenus = reach;
    shorterMenus.menusRight = 300.0;
    EXPECT_TRUE(records.awaitingRetirement(shorterMenus).isEmpty());
}

TEST(ItemRecordsTest, ALaneDragThatTookMakesTheItemMovableAgain) {
    ItemRecords records;
    const MenuBarItemID id = stateId(u"x"_s);
    records.retired(id);
    records.gestureOutcome(id, false);
    EXPECT_TRUE(records.needsSlowGesture().contains(id));
    EXPECT_TRUE(records.laneOutcome(id, true, kStateNow));
    EXPECT_FALSE(records.unmovable().contains(id));
    records.gestureOutcome(id, true);
    EXPECT_FALSE(records.needsSlowGesture().contains(id));
}

} // namespace
} // namespace zorv::testing
