#include "state/wantedlayout.h"
#include "statetest.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

// A bar whose hidden separator stands at x = 90: an item left of it is out of Shown.
bool outsideByPlace(const MenuBarItem &item, Section wanted) {
    const bool shown = item.frame.center().x() > 90.0;
    return shown != (wanted == Section::shown);
}

TEST(WantedLayoutTest, ComparesAHandedOverLayoutWithTheBarOnceItWasRead) {
    // The bar shows b left of a.
    const QList<MenuBarItem> bar{stateItem(u"b"_s, 100), stateItem(u"a"_s, 140)};
    WantedLayout wanted(SectionLayout{});
    wanted.apply(stateLayout({u"a"_s, u"b"_s}, {}), {}, outsideByPlace);
    EXPECT_FALSE(wanted.orderDirty());
    wanted.check(bar, outsideByPlace);
    EXPECT_TRUE(wanted.orderDirty());
    EXPECT_TRUE(wanted.appliedLayoutWaiting());
    EXPECT_EQ(wanted.orderEpoch(), 1);
    // Compared once only.
    wanted.check(bar, outsideByPlace);
    EXPECT_EQ(wanted.orderEpoch(), 1);
    wanted.runStarted();
    EXPECT_FALSE(wanted.appliedLayoutWaiting());

    // A layout that matches the bar asks for nothing.
    WantedLayout matching(SectionLayout{});
    matching.apply(stateLayout({u"b"_s, u"a"_s}, {}), bar, outsideByPlace);
    EXPECT_FALSE(matching.orderDirty());
    EXPECT_EQ(matching.orderEpoch(), 0);
}

TEST(WantedLayoutTest, JudgesTheOrderWithoutTheItemsLeftOut) {
    const QList<MenuBarItem> bar{stateItem(u"c"_s, 100), stateItem(u"a"_s, 140),
                                 stateItem(u"b"_s, 180)};
    WantedLayout wanted(stateLayout({u"a"_s, u"b"_s, u"c"_s}, {}));
    EXPECT_TRUE(wanted.barOrderDiffers(bar, outsideByPlace));
    EXPECT_FALSE(wanted.barOrderDiffers(bar, outsideByPlace, {stateId(u"c"_s)}));
    EXPECT_TRUE(wanted.barOrderDiffers(bar, outsideByPlace, {stateId(u"a"_s)}));
}

// The order within each lane reads alike whether or not an item changed lane at the lanes' meeting
// point: the lanes themselves must be compared too.
TEST(WantedLayoutTest, AnItemInAnotherLaneThanWantedMakesTheBarDiffer) {
    // Hidden: h1, h2; shown: s1, s2.
    const QList<MenuBarItem> bar{stateItem(u"h1"_s, 20), stateItem(u"h2"_s, 50),
                                 stateItem(u"s1"_s, 120), stateItem(u"s2"_s, 160)};
    const struct {
        const char *name;
        SectionLayout layout;
        bool differs;
    } cases[] = {
        {"as on the bar", stateLayout({u"s1"_s, u"s2"_s}, {u"h1"_s, u"h2"_s}), false},
        {"rightmost hidden first in Shown", stateLayout({u"h2"_s, u"s1"_s, u"s2"_s}, {u"h1"_s}),
         true},
        {"leftmost hidden first in Shown", stateLayout({u"h1"_s, u"s1"_s, u"s2"_s}, {u"h2"_s}),
         true},
        {"leftmost shown last in Hidden", stateLayout({u"s2"_s}, {u"h1"_s, u"h2"_s, u"s1"_s}),
         true},
    };
    for (const auto &c : cases) {
        WantedLayout wanted(SectionLayout{});
        wanted.apply(c.layout, bar, outsideByPlace);
        EXPECT_EQ(wanted.orderDirty(), c.differs) << c.name;
        EXPECT_EQ(wanted.appliedLayoutWaiting(), c.differs) << c.name;
        // An item left out (out of reach) is not compared.
        EXPECT_FALSE(wanted.barOrderDiffers(bar, outsideByPlace,
                                            {stateId(u"h1"_s), stateId(u"h2"_s), stateId(u"s1"_s)}))
            << c.name;
    }
}

TEST(WantedLayoutTest, AMoveAndARetirementPlaceTheItemAndOnlyTheMoveAsksForARun) {
    WantedLayout wanted(stateLayout({u"a"_s, u"b"_s}, {u"c"_s}));
    wanted.move(stateId(u"c"_s), SectionPlacement{Section::shown, 1});
    EXPECT_EQ(wanted.storedLayout(), stateLayout({u"a"_s, u"c"_s, u"b"_s}, {}));
    EXPECT_TRUE(wanted.orderDirty());
    EXPECT_EQ(wanted.orderEpoch(), 1);
    wanted.orderReached();
    wanted.retire(stateId(u"a"_s), Section::hidden);
    EXPECT_EQ(wanted.storedLayout(), stateLayout({u"c"_s, u"b"_s}, {u"a"_s}));
    // Where it stands on the bar among the lane's items.
    wanted.retire(stateId(u"b"_s), Section::hidden, {stateId(u"b"_s), stateId(u"a"_s)});
    EXPECT_EQ(wanted.storedLayout(), stateLayout({u"c"_s}, {u"b"_s, u"a"_s}));
    EXPECT_FALSE(wanted.orderDirty());
    EXPECT_EQ(wanted.orderEpoch(), 1);
}

// Amid a run the engine drags c into the shown lane while the user drags a into the hidden one:
// only a is the user's. The engine's items are left out until the run sees its drag land or a
// reading after the run, and a drag of the engine's that no item names forgets the reading.
TEST(WantedLayoutTest, TellsTheUsersDragFromTheEnginesOwnDuringARun) {
    WantedLayout wanted(stateLayout({u"a"_s, u"b"_s}, {u"c"_s}));
    const auto dragged = [](MonotonicTime) { return true; };
    const auto read = [](int second, const QStringList &shown, const QStringList &hidden) {
        return WantedLayout::DragReading{
            std::chrono::seconds(second),
            true,
            {{Section::shown, stateIds(shown)}, {Section::hidden, stateIds(hidden)}}};
    };
    (void)wanted.takeUserDrag(std::nullopt, read(1, {u"a"_s, u"b"_s}, {u"c"_s}), dragged, true);
    wanted.ownDragPosted(stateId(u"c"_s));
    EXPECT_EQ(wanted.takeUserDrag(wanted.forgetReading(), read(2, {u"c"_s, u"b"_s}, {u"a"_s}),
                                  dragged, true),
              stateId(u"a"_s));
    EXPECT_EQ(wanted.storedLayout(), stateLayout({u"b"_s}, {u"c"_s, u"a"_s}));

    // Still the run: c, put back by the engine, is not taken for the user's.
    EXPECT_EQ(wanted.takeUserDrag(wanted.forgetReading(), read(3, {u"b"_s}, {u"c"_s, u"a"_s}),
                                  dragged, true),
              std::nullopt);
    // Once the run saw its drag land, c is the user's to move again.
    wanted.ownDragLanded(stateId(u"c"_s));
    EXPECT_EQ(wanted.takeUserDrag(wanted.forgetReading(), read(4, {u"c"_s, u"b"_s}, {u"a"_s}),
                                  dragged, true),
              stateId(u"c"_s));
    EXPECT_EQ(wanted.storedLayout(), stateLayout({u"c"_s, u"b"_s}, {u"a"_s}));

    // A drag whose landing the run never saw is the engine's until a reading after the run.
    wanted.ownDragPosted(stateId(u"b"_s));
    EXPECT_EQ(wanted.takeUserDrag(wanted.forgetReading(), read(5, {u"c"_s}, {u"b"_s, u"a"_s}),
                                  dragged, true),
              std::nullopt);
    EXPECT_EQ(wanted.takeUserDrag(wanted.forgetReading(), read(6, {u"c"_s}, {u"b"_s, u"a"_s}),
                                  dragged, false),
              std::nullopt);
    EXPECT_EQ(wanted.takeUserDrag(wanted.forgetReading(), read(7, {u"b"_s, u"c"_s}, {u"a"_s}),
                                  dragged, false),
              stateId(u"b"_s));
    EXPECT_EQ(wanted.storedLayout(), stateLayout({u"b"_s, u"c"_s}, {u"a"_s}));

    wanted.ownDragPosted(std::nullopt);
    EXPECT_FALSE(wanted.forgetReading());
}

struct UserDragCase {
    const char *name;
    UserDrags::Lanes before;
    UserDrags::Lanes after;
    bool userDragged = true;
    bool separatorsReordered = false;
    // The item taken, and the layout after.
    std::optional<QString> taken;
    SectionLayout layout;
};

class UserDragTest : public ::testing::TestWithParam<UserDragCase> {};

TEST_P(UserDragTest, TakesTheOneItemTheUserMovedAndNothingElse) {
    const UserDragCase &c = GetParam();
    const SectionLayout start = stateLayout({u"a"_s, u"b"_s}, {u"c"_s});
    WantedLayout wanted(start);
    const MonotonicTime first = std::chrono::seconds(10);
    const MonotonicTime second = std::chrono::seconds(20);
    EXPECT_EQ(wanted.takeUserDrag(
                  std::nullopt, {first, true, c.before}, [](MonotonicTime) { return true; }, false),
              std::nullopt);
    const std::optional<WantedLayout::DragReading> before = wanted.forgetReading();
    ASSERT_TRUE(before);
    std::optional<MonotonicTime> askedSince;
    const std::optional<MenuBarItemID> taken = wanted.takeUserDrag(
        before, {second, !c.separatorsReordered, c.after},
        [&](MonotonicTime since) {
            askedSince = since;
            return c.userDragged;
        },
        false);
    EXPECT_EQ(taken, c.taken ? std::optional(stateId(*c.taken)) : std::nullopt);
    EXPECT_EQ(wanted.storedLayout(), c.layout);
    if (askedSince) {
        EXPECT_EQ(*askedSince, first);
    }
    // The new reading is kept for the next scan.
    EXPECT_TRUE(wanted.forgetReading());
}

const UserDrags::Lanes kBar{{Section::shown, stateIds({u"a"_s, u"b"_s})},
                            {Section::hidden, stateIds({u"c"_s})}};

INSTANTIATE_TEST_SUITE_P(
    Cases, UserDragTest,
    ::testing::Values(UserDragCase{"OneItemIntoAnotherLane",
                                   kBar,
                                   {{Section::shown, stateIds({u"b"_s})},
                                    {Section::hidden, stateIds({u"a"_s, u"c"_s})}},
                                   true,
                                   false,
                                   u"a"_s,
                                   stateLayout({u"b"_s}, {u"a"_s, u"c"_s})},
                      // The user dragged the hidden separator: every item right of it changed lane
                      // at once, which no single item's drag explains.
                      UserDragCase{"SeveralItemsChangedLaneAtOnce",
                                   kBar,
                                   {{Section::shown, {}},
                                    {Section::hidden, stateIds({u"a"_s, u"b"_s, u"c"_s})}},
                                   true,
                                   false,
                                   std::nullopt,
                                   stateLayout({u"a"_s, u"b"_s}, {u"c"_s})},
                      UserDragCase{"ReorderedWithinALane",
                                   kBar,
                                   {{Section::shown, stateIds({u"b"_s, u"a"_s})},
                                    {Section::hidden, stateIds({u"c"_s})}},
                                   true,
                                   false,
                                   u"b"_s,
                                   stateLayout({u"b"_s, u"a"_s}, {u"c"_s})},
                      UserDragCase{"TheBarChangedWithoutTheUsersDrag",
                                   kBar,
                                   {{Section::shown, stateIds({u"b"_s})},
                                    {Section::hidden, stateIds({u"a"_s, u"c"_s})}},
                                   false,
                                   false,
                                   std::nullopt,
                                   stateLayout({u"a"_s, u"b"_s}, {u"c"_s})},
                      UserDragCase{"TheSeparatorsChangedOrder",
                                   kBar,
                                   {{Section::shown, stateIds({u"b"_s})},
                                    {Section::hidden, stateIds({u"a"_s, u"c"_s})}},
                                   true,
                                   true,
                                   std::nullopt,
                                   stateLayout({u"a"_s, u"b"_s}, {u"c"_s})}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv::testing
