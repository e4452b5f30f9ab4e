#include "reconcile/dragplanner.h"
#include "reconcile/restingplace.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The bar of every case: always-hidden separator at 300, hidden separator at 600 (both 8 wide),
// icon at 1400; so the hidden lane spans 320..588 and the shown one 620..1388.
MenuBarItemID idOf(const QString &name) {
    return MenuBarItemID{name.contains(u'.') ? name : u"com.example."_s + name, std::nullopt,
                         std::nullopt, 0};
}

BarGeometry bar(QList<std::pair<QString, double>> items, double width = 20.0) {
    BarGeometry geometry;
    for (const auto &[name, left] : items) {
        geometry.frames.append({idOf(name), QRectF(left, 0, width, 24)});
    }
    geometry.hiddenSep = QRectF(600, 958, 8, 24);
    geometry.alwaysSep = QRectF(300, 958, 8, 24);
    geometry.iconFrame = QRectF(1400, 958, 24, 24);
    geometry.iconSafelyRightmost = true;
    geometry.separatorsOrdered = true;
    return geometry;
}

SectionLayout layoutOf(QList<QString> shown, QList<QString> hidden = {},
                       QList<QString> always = {}) {
    auto ids = [](const QList<QString> &names) {
        QList<MenuBarItemID> list;
        for (const QString &name : names) {
            list.append(idOf(name));
        }
        return list;
    };
    return SectionLayout{{{Section::shown, ids(shown)},
                          {Section::hidden, ids(hidden)},
                          {Section::alwaysHidden, ids(always)}}};
}

DragPlan lanePlan(const QString &name, double fromX, const QString &zone, double toX,
                  int attempt = 1) {
    return DragPlan{u"com.example."_s + name + DragPlan::laneArrow + zone,
                    {fromX, 12},
                    {toX, 12},
                    idOf(name),
                    attempt};
}

DragPlan orderPlan(const QString &kind, const QString &name, double fromX, double toX) {
    return DragPlan{kind + u":com.example."_s + name, {fromX, 12}, {toX, 12}, idOf(name), 1};
}

struct PlanCase {
    const char *name;
    BarGeometry geometry;
    SectionLayout layout;
    std::optional<DragPlan> plan;
    QList<QString> stubborn = {};
    DragPlanner::AttemptsLedger ledger = {};
};

BarGeometry with(BarGeometry geometry, const std::function<void(BarGeometry &)> &change) {
    change(geometry);
    return geometry;
}

class FirstPlan : public ::testing::TestWithParam<PlanCase> {};

TEST_P(FirstPlan, FollowsTheRulesInOrder) {
    const PlanCase &planCase = GetParam();
    QSet<MenuBarItemID> stubborn;
    for (const QString &name : planCase.stubborn) {
        stubborn.insert(idOf(name));
    }
    DragPlanner::AttemptsLedger ledger = planCase.ledger;
    EXPECT_EQ(DragPlanner::planNextDrag(planCase.geometry, planCase.layout, stubborn, ledger),
              planCase.plan);
}

const auto unsafeIcon = [](BarGeometry &g) {
    g.iconSafelyRightmost = false;
    g.iconFrame.moveLeft(500);
};
const auto separatorsSwapped = [](BarGeometry &g) {
    g.separatorsOrdered = false;
    g.alwaysSep->moveLeft(700);
};
// A 1440-point screen with a housing from 520 to 560 and the front application's menus ending at
// 380, with `change` made to it.
std::function<void(BarGeometry &)> reach(const std::function<void(Reachability &)> &change = {}) {
    return [change](BarGeometry &g) {
        Reachability reach{QRectF(0, 0, 1440, 900), {{520.0, 560.0}}, 380.0, {}};
        if (change) {
            change(reach);
        }
        g.reach = reach;
    };
}
// A ledger with every lane move of the named item spent.
DragPlanner::AttemptsLedger laneMovesSpent(const QString &name) {
    DragPlanner::AttemptsLedger ledger;
    DragPlanner::spendLaneMoves(ledger, {idOf(name)});
    return ledger;
}
// The whole bar moved onto a screen left of the primary one.
const auto leftOfThePrimary = [](BarGeometry &g) {
    for (ItemFrame &entry : g.frames) {
        entry.frame.translate(-1440, 0);
    }
    g.hiddenSep.translate(-1440, 0);
    g.alwaysSep->translate(-1440, 0);
    g.iconFrame.translate(-1440, 0);
    g.reach = Reachability{QRectF(-1440, 0, 1440, 900), {}, std::nullopt, {}};
};

INSTANTIATE_TEST_SUITE_P(
    DragPlanner, FirstPlan,
    ::testing::Values(
        PlanCase{"InOrder", bar({{u"a"_s, 700}, {u"b"_s, 750}}), layoutOf({u"a"_s, u"b"_s}),
                 std::nullopt},
        PlanCase{"NoSizedFrame", with(bar({{u"a"_s, 700}}, 0.0), unsafeIcon), layoutOf({u"a"_s}),
                 std::nullopt},
        // 24 right of the rightmost of ours (a, ending at 720).
        PlanCase{"IconRepair", with(bar({{u"a"_s, 700}}), unsafeIcon), layoutOf({u"a"_s}),
                 DragPlan{u"zorv-icon"_s, {512, 12}, {744, 12}, std::nullopt, 1}},
        // 16 left of the first system item beyond ours.
        PlanCase{"IconRepairBeforeSystemItems",
                 with(bar({{u"a"_s, 700}, {u"com.apple.controlcenter"_s, 1300}}), unsafeIcon),
                 layoutOf({u"a"_s}),
                 DragPlan{u"zorv-icon"_s, {512, 12}, {1284, 12}, std::nullopt, 1}},
        PlanCase{"SeparatorOrder",
                 with(bar({{u"a"_s, 650}}), separatorsSwapped),
                 layoutOf({u"a"_s}),
                 DragPlan{u"alwaysHiddenSep"_s, {704, 12}, {586, 12}, std::nullopt, 2},
                 {},
                 {{u"sep-order"_s, 1}}},
        // Without a readable always-hidden separator its lane counts as the hidden one.
        PlanCase{"AlwaysHiddenWithoutSeparator",
                 with(bar({{u"x"_s, 700}}),
                      [](BarGeometry &g) {
                          g.separatorsOrdered = false;
                          g.alwaysSep.reset();
                      }),
                 layoutOf({}, {}, {u"x"_s}), lanePlan(u"x"_s, 710, u"hidden"_s, 566)},
        PlanCase{"FourteenRightOfTheSeparatorIsInLane", bar({{u"x"_s, 604}}),
                 layoutOf({}, {u"x"_s}), std::nullopt},
        PlanCase{"HiddenFallbackBetweenSeparators", bar({{u"x"_s, 604.5}}), layoutOf({}, {u"x"_s}),
                 lanePlan(u"x"_s, 614.5, u"hidden"_s, 454)},
        PlanCase{"BetweenPlacedNeighbours",
                 bar({{u"p"_s, 400}, {u"n"_s, 500}, {u"q"_s, 800}, {u"x"_s, 700}}),
                 layoutOf({}, {u"p"_s, u"x"_s, u"q"_s, u"n"_s}),
                 lanePlan(u"x"_s, 710, u"hidden"_s, 460)},
        // a stands out of the lane's order (b, c are kept), so x goes before b, not after a.
        PlanCase{"PastANeighbourOutOfOrder",
                 bar({{u"b"_s, 350}, {u"c"_s, 420}, {u"a"_s, 500}, {u"x"_s, 700}}),
                 layoutOf({}, {u"a"_s, u"x"_s, u"b"_s, u"c"_s}),
                 lanePlan(u"x"_s, 710, u"hidden"_s, 335)},
        // Wanted first: before the lane's first item, within its reach.
        PlanCase{"AtTheFrontOfTheShownLane", bar({{u"a"_s, 700}, {u"b"_s, 750}, {u"x"_s, 400}}),
                 layoutOf({u"x"_s, u"a"_s, u"b"_s}), lanePlan(u"x"_s, 410, u"shown"_s, 660)},
        PlanCase{"BesideALoneNeighbourWithinTheLane", bar({{u"p"_s, 560}, {u"x"_s, 700}}),
                 layoutOf({}, {u"p"_s, u"x"_s}), lanePlan(u"x"_s, 710, u"hidden"_s, 584)},
        PlanCase{"ShownFallback", bar({{u"x"_s, 400}}), layoutOf({u"x"_s}),
                 lanePlan(u"x"_s, 410, u"shown"_s, 642)},
        PlanCase{"AlwaysHiddenFallback", bar({{u"x"_s, 400}}), layoutOf({}, {}, {u"x"_s}),
                 lanePlan(u"x"_s, 410, u"alwaysHidden"_s, 266)},
        PlanCase{"LeftmostMisplacedFirst", bar({{u"y"_s, 400}, {u"x"_s, 100}}),
                 layoutOf({u"y"_s, u"x"_s}), lanePlan(u"x"_s, 110, u"shown"_s, 642)},
        PlanCase{"ReversedLaneKeepsTheFirst", bar({{u"a"_s, 900}, {u"b"_s, 800}, {u"c"_s, 700}}),
                 layoutOf({u"a"_s, u"b"_s, u"c"_s}), orderPlan(u"order"_s, u"b"_s, 810, 980)},
        PlanCase{"StubbornItemsKeepTheirPlace",
                 bar({{u"a"_s, 900}, {u"b"_s, 800}, {u"c"_s, 700}}),
                 layoutOf({u"a"_s, u"b"_s, u"c"_s}),
                 orderPlan(u"order"_s, u"c"_s, 710, 980),
                 {u"b"_s}},
        PlanCase{"PairSwapOnceTheOrderMoveIsSpent",
                 bar({{u"a"_s, 800}, {u"b"_s, 700}}),
                 layoutOf({u"a"_s, u"b"_s}),
                 orderPlan(u"order-swap"_s, u"a"_s, 810, 670),
                 {},
                 {{u"order-com.example.b-0"_s, 2}}},
        // Only what a drag can reach is planned, from and to.
        PlanCase{"ShownFallbackWithinReach", with(bar({{u"x"_s, 400}}), reach()),
                 layoutOf({u"x"_s}), lanePlan(u"x"_s, 410, u"shown"_s, 642)},
        PlanCase{"UnderTheMenus", with(bar({{u"x"_s, 370}}), reach()), layoutOf({u"x"_s}),
                 std::nullopt},
        PlanCase{"BehindTheHousing", with(bar({{u"x"_s, 530}}), reach()), layoutOf({u"x"_s}),
                 std::nullopt},
        PlanCase{"NotAnswering", with(bar({{u"x"_s, 400}}), reach([](Reachability &r) {
                                          r.unanswered.insert(idOf(u"x"_s));
                                      })),
                 layoutOf({u"x"_s}), std::nullopt},
        PlanCase{"BarHidden",
                 with(with(bar({{u"x"_s, 400}}), reach()),
                      [](BarGeometry &g) { g.frames[0].frame.moveTop(-24); }),
                 layoutOf({u"x"_s}), std::nullopt},
        PlanCase{"TargetUnderTheMenus",
                 with(bar({{u"x"_s, 400}}), reach([](Reachability &r) { r.menusRight = 700; })),
                 layoutOf({u"x"_s}), std::nullopt},
        PlanCase{"OffTheBarScreen", with(bar({{u"x"_s, 400}}), reach([](Reachability &r) {
                                             r.barScreen = QRectF(500, 0, 940, 900);
                                         })),
                 layoutOf({u"x"_s}), std::nullopt},
        PlanCase{"OnABarLeftOfThePrimary", with(bar({{u"x"_s, 400}}), leftOfThePrimary),
                 layoutOf({u"x"_s}), lanePlan(u"x"_s, -1030, u"shown"_s, -798)},
        // b, out of order, is behind a housing: it stays where it is, and a is not moved round
        // it to make up for it.
        // x, wanted shown, stands in the hidden lane and its lane moves are spent: no order move
        // drags it across the separator, and nothing is ordered round it.
        PlanCase{"NoOrderMoveAcrossASeparator",
                 bar({{u"a"_s, 700}, {u"x"_s, 500}}),
                 layoutOf({u"a"_s, u"x"_s}),
                 std::nullopt,
                 {},
                 laneMovesSpent(u"x"_s)},
        PlanCase{"NothingMovesRoundAnItemOutOfReach",
                 with(bar({{u"a"_s, 800}, {u"b"_s, 700}}), reach([](Reachability &r) {
                          r.housings = {{690.0, 730.0}};
                      })),
                 layoutOf({u"a"_s, u"b"_s}), std::nullopt},
        // The housing covers the hidden lane up to its separator: y goes onto the separator's
        // reachable half, where it still lands left of it.
        PlanCase{"OntoTheSeparatorBesideTheHousing",
                 with(bar({{u"y"_s, 700}}), reach([](Reachability &r) {
                          r.menusRight = 200;
                          r.housings = {{300.0, 600.0}};
                      })),
                 layoutOf({}, {u"y"_s}), lanePlan(u"y"_s, 710, u"hidden"_s, 601)},
        // The slot between h and the separator lies behind the housing: y lands just left of it,
        // still between the two.
        PlanCase{"BesideTheHousingBetweenItsNeighbours",
                 with(bar({{u"h"_s, 400}, {u"y"_s, 700}}), reach([](Reachability &r) {
                          r.menusRight = 200;
                          r.housings = {{430.0, 600.0}};
                      })),
                 layoutOf({}, {u"h"_s, u"y"_s}), lanePlan(u"y"_s, 710, u"hidden"_s, 429)},
        // The whole slot between h and k lies behind the housing, the rest of the lane does
        // not: y goes to the reachable x nearest the slot, the first of the housing's two edges
        // (equally near), which is no longer between the two.
        PlanCase{
            "SlotOutOfReachTheRestOfTheLaneNot",
            with(bar({{u"h"_s, 400}, {u"k"_s, 552}, {u"y"_s, 700}}), reach([](Reachability &r) {
                     r.menusRight = 200;
                     r.housings = {{411.0, 561.0}};
                 })),
            layoutOf({}, {u"h"_s, u"y"_s, u"k"_s}), lanePlan(u"y"_s, 710, u"hidden"_s, 410)},
        PlanCase{"NoPartOfTheLaneInReach", with(bar({{u"y"_s, 700}}), reach([](Reachability &r) {
                                                    r.menusRight = 200;
                                                    r.housings = {{300.0, 610.0}};
                                                })),
                 layoutOf({}, {u"y"_s}), std::nullopt},
        // p, x's left neighbour in the layout, is behind the housing: x is placed by n alone.
        PlanCase{
            "NeighboursOutOfReachDoNotPlace",
            with(bar({{u"x"_s, 400}, {u"p"_s, 700}, {u"n"_s, 900}}), reach([](Reachability &r) {
                     r.housings = {{690.0, 730.0}};
                 })),
            layoutOf({u"p"_s, u"x"_s, u"n"_s}), lanePlan(u"x"_s, 410, u"shown"_s, 840)},
        // An earlier drag took x right: it is not taken back left, whatever else is wrong.
        PlanCase{"NeverBackTheWayItCame",
                 bar({{u"a"_s, 800}, {u"x"_s, 900}}),
                 layoutOf({u"x"_s, u"a"_s}),
                 std::nullopt,
                 {},
                 {{DragPlanner::directionPrefix + u"com.example.x-#0"_s, 1},
                  {DragPlanner::directionPrefix + u"com.example.a-#0"_s, -1}}},
        PlanCase{"OnTheWayItCame",
                 bar({{u"a"_s, 800}, {u"x"_s, 900}}),
                 layoutOf({u"x"_s, u"a"_s}),
                 orderPlan(u"order"_s, u"a"_s, 810, 980),
                 {},
                 {{DragPlanner::directionPrefix + u"com.example.a-#0"_s, 1}}},
        PlanCase{"NoSwapWhenNeitherCanMove",
                 bar({{u"a"_s, 800}, {u"b"_s, 700}}),
                 layoutOf({u"a"_s, u"b"_s}),
                 std::nullopt,
                 {u"a"_s},
                 {{u"order-com.example.b-0"_s, 2}}}),
    [](const auto &info) { return std::string(info.param.name); });

// Every plan one ledger yields: two per key (both of the icon's with attempt 1), and three order
// or swap plans per lane.
TEST(DragPlanner, SpendsEachKeyTwiceAndEachLaneThrice) {
    const auto spend = [](const BarGeometry &geometry, const SectionLayout &layout) {
        DragPlanner::AttemptsLedger ledger;
        QStringList plans;
        while (const auto plan = DragPlanner::planNextDrag(geometry, layout, {}, ledger)) {
            plans.append(QString(plan->label).remove(u"com.example."_s) + u'#' +
                         QString::number(plan->attempt));
            if (plans.size() > 10) {
                break;
            }
        }
        return plans;
    };
    const QString arrow = DragPlan::laneArrow;
    EXPECT_EQ(spend(with(bar({{u"x1"_s, 650}, {u"x2"_s, 700}}), unsafeIcon),
                    layoutOf({}, {u"x1"_s, u"x2"_s})),
              (QStringList{u"zorv-icon#1"_s, u"zorv-icon#1"_s, u"x1"_s + arrow + u"hidden#1"_s,
                           u"x1"_s + arrow + u"hidden#2"_s, u"x2"_s + arrow + u"hidden#1"_s,
                           u"x2"_s + arrow + u"hidden#2"_s}));
    EXPECT_EQ(spend(bar({{u"a"_s, 1000}, {u"b"_s, 900}, {u"c"_s, 800}, {u"d"_s, 700}}),
                    layoutOf({u"a"_s, u"b"_s, u"c"_s, u"d"_s})),
              (QStringList{u"order:b#1"_s, u"order:b#2"_s, u"order:c#1"_s}));
}

// One drag per item out of its wanted lane (beyond the 14-point tolerance) and one per item
// outside a lane's longest ordered run; items off the bar or unknown to the layout count for none,
// items out of reach count as any other.
TEST(DragPlanner, CountsTheFewestDragsStillNeeded) {
    const QList<std::tuple<BarGeometry, SectionLayout, qsizetype>> cases{
        {with(bar({{u"a"_s, 500}, {u"b"_s, 700}, {u"c"_s, 650}}), reach([](Reachability &r) {
                  r.housings = {{480.0, 710.0}};
              })),
         layoutOf({u"a"_s, u"b"_s, u"c"_s}), 2},
        {bar({{u"a"_s, 1000}, {u"b"_s, 900}, {u"c"_s, 800}, {u"d"_s, 700}}),
         layoutOf({u"a"_s, u"b"_s, u"c"_s, u"d"_s}), 3},
        {bar({{u"a"_s, 700}, {u"b"_s, 800}, {u"h"_s, 900}, {u"x"_s, 1000}}),
         layoutOf({u"a"_s, u"gone"_s, u"b"_s}, {u"h"_s}), 1},
        {bar({{u"g"_s, 400}, {u"h"_s, 595}, {u"a"_s, 650}}), layoutOf({u"a"_s}, {u"g"_s, u"h"_s}),
         0}};
    for (const auto &[geometry, layout, needed] : cases) {
        EXPECT_EQ(DragPlanner::dragsStillNeeded(geometry, layout), needed)
            << geometry.frames.size() << " items";
    }
}

// Why each item out of its lane waits: its own cover where a drag could take it into the lane
// (or into Hidden for now) once it is free, else what covers the whole lane, which also wins
// over the item's cover for one already hidden for now. Finder is offered only where its menus
// would let the drag through.
TEST(DragPlanner, NamesWhatKeepsEachItemFromItsLane) {
    using Waiting = DragPlanner::Waiting;
    const auto h = [](double left) { return std::pair(u"h"_s, left); };
    // Always Hidden entirely left of a bar screen that starts at 310; the menus end at 410.
    const auto alwaysOffScreen = reach([](Reachability &r) {
        r.barScreen = QRectF(310, 0, 1130, 900);
        r.menusRight = 410;
    });
    const auto desk = [](double right) {
        return reach([right](Reachability &r) { r.deskMenusRight = right; });
    };
    const struct {
        const char *name;
        BarGeometry geometry;
        SectionLayout layout;
        QList<Waiting> waiting;
    } cases[] = {
        {"lane behind the housing; an item behind it too",
         with(bar({{u"y"_s, 700}, {u"z"_s, 800}, {u"w"_s, 500}}), reach([](Reachability &r) {
                  r.menusRight = 200;
                  r.housings = {{300.0, 610.0}};
              })),
         layoutOf({u"z"_s}, {u"y"_s}, {u"w"_s}),
         {{idOf(u"y"_s), Reachability::underHousing, true},
          {idOf(u"w"_s), Reachability::underHousing}}},
        {"everything in reach", bar({{u"y"_s, 700}}), layoutOf({}, {u"y"_s}), {}},
        {"hidden for now under the menus: Always Hidden off screen",
         with(bar({h(400)}), alwaysOffScreen),
         layoutOf({}, {}, {u"h"_s}),
         {{idOf(u"h"_s), Reachability::offScreen, true, true}}},
        {"hidden for now while still shown",
         with(bar({h(700)}), alwaysOffScreen),
         layoutOf({}, {}, {u"h"_s}),
         {{idOf(u"h"_s), Reachability::offScreen, true, true}}},
        {"under the menus, with Hidden past the screen's edge",
         with(bar({{u"s"_s, 620}}), reach([](Reachability &r) {
                  r.barScreen = QRectF(605, 0, 835, 900);
                  r.menusRight = 630;
              })),
         layoutOf({}, {u"s"_s}),
         {{idOf(u"s"_s), Reachability::offScreen, true}}},
        {"Always Hidden behind the housing, whatever the menus",
         with(bar({h(400)}), reach([](Reachability &r) {
                  r.housings = {{0.0, 305.0}};
                  r.menusRight = 150;
              })),
         layoutOf({}, {}, {u"h"_s}),
         {{idOf(u"h"_s), Reachability::underHousing, true, true}}},
        {"Always Hidden under menus longer than Finder's",
         with(bar({h(400)}), desk(250)),
         layoutOf({}, {}, {u"h"_s}),
         {{idOf(u"h"_s), Reachability::underMenus, true, true, true}}},
        {"under menus longer than Finder's",
         with(bar({h(350)}), desk(300)),
         layoutOf({u"h"_s}),
         {{idOf(u"h"_s), Reachability::underMenus, false, false, true}}},
        {"under Finder's menus in front",
         with(bar({h(350)}), desk(380)),
         layoutOf({u"h"_s}),
         {{idOf(u"h"_s), Reachability::underMenus}}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(DragPlanner::waiting(c.geometry, c.layout), c.waiting) << c.name;
    }
}

// An item a drag took right, across the hidden separator out of its lane, is never dragged back
// left into it; the planner names it. Unremembered, or remembered going left, it is not named.
TEST(DragPlanner, NamesTheItemsKeptFromTurningBackIntoTheirLane) {
    const BarGeometry geometry = bar({{u"h"_s, 650}, {u"s"_s, 700}});
    const SectionLayout layout = layoutOf({u"s"_s}, {u"h"_s});
    const QString key = DragPlanner::directionPrefix + u"com.example.h-#0"_s;
    EXPECT_EQ(DragPlanner::laneTurnedBack(geometry, layout, {{key, 1}}),
              QList<MenuBarItemID>{idOf(u"h"_s)});
    EXPECT_TRUE(DragPlanner::laneTurnedBack(geometry, layout, {}).isEmpty());
    EXPECT_TRUE(DragPlanner::laneTurnedBack(geometry, layout, {{key, -1}}).isEmpty());
}

// What a run hands the next: only which way items were dragged (a, right past x).
TEST(DragPlanner, HandsOnOnlyTheDirections) {
    DragPlanner::AttemptsLedger ledger;
    const auto plan = DragPlanner::planNextDrag(bar({{u"a"_s, 800}, {u"x"_s, 900}}),
                                                layoutOf({u"x"_s, u"a"_s}), {}, ledger);
    ASSERT_TRUE(plan);
    EXPECT_EQ(
        DragPlanner::directionsOf(ledger),
        (DragPlanner::AttemptsLedger{{DragPlanner::directionPrefix + u"com.example.a-#0"_s, 1}}));
}

// A batch plans from one scan: each prediction feeds the next plan, and neither the icon nor
// the separator is planned twice.
TEST(DragPlanner, PredictedReflowsLeadABatchToTheWantedBar) {
    BarGeometry geometry = with(
        with(bar({{u"a"_s, 900}, {u"b"_s, 800}, {u"c"_s, 700}}), unsafeIcon), separatorsSwapped);
    const SectionLayout layout = layoutOf({u"a"_s, u"b"_s, u"c"_s});
    DragPlanner::AttemptsLedger ledger;
    QList<QString> labels;
    while (const auto plan = DragPlanner::planNextDrag(geometry, layout, {}, ledger)) {
        geometry = DragPlanner::predictedReflow(geometry, *plan, layout);
        labels.append(plan->label);
        ASSERT_LT(labels.size(), 10);
    }
    EXPECT_EQ(labels, (QList<QString>{u"zorv-icon"_s, u"alwaysHiddenSep"_s,
                                      u"order:com.example.b"_s, u"order:com.example.c"_s}));
    EXPECT_TRUE(geometry.iconSafelyRightmost && geometry.separatorsOrdered);
    // Order moves only permute which item stands at which centre.
    EXPECT_EQ((QList<double>{geometry.alwaysSep->center().x(),
                             geometry.frameOf(idOf(u"a"_s))->center().x(),
                             geometry.frameOf(idOf(u"b"_s))->center().x(),
                             geometry.frameOf(idOf(u"c"_s))->center().x()}),
              (QList<double>{586, 710, 810, 910}));
}

// A lane move lands where it is dropped, also for an application whose identifier begins with
// "order"; an item the layout does not know appears there with no size. The snapshot the
// prediction starts from stays as it was read.
TEST(DragPlanner, PredictsLaneMovesAndUnknownItemsWhereTheyAreDropped) {
    const BarGeometry geometry = bar({{u"orderly.app"_s, 400}, {u"y"_s, 300}});
    const DragPlan lane{u"orderly.app"_s + DragPlan::laneArrow + u"shown"_s,
                        {410, 12},
                        {642, 12},
                        idOf(u"orderly.app"_s),
                        1};
    EXPECT_FALSE(lane.isOrderMove());
    EXPECT_EQ(DragPlanner::predictedReflow(geometry, lane, layoutOf({u"orderly.app"_s}, {u"y"_s}))
                  .frameOf(idOf(u"orderly.app"_s))
                  ->center()
                  .x(),
              642);
    EXPECT_EQ(geometry.frameOf(idOf(u"orderly.app"_s))->center().x(), 410);
    const DragPlan stranger = orderPlan(u"order"_s, u"new"_s, 0, 700);
    const BarGeometry predicted = DragPlanner::predictedReflow(geometry, stranger, layoutOf({}));
    EXPECT_EQ(*predicted.frameOf(idOf(u"new"_s)), QRectF(700, 0, 0, 0));
    EXPECT_EQ(predicted.hiddenSep, geometry.hiddenSep);
}

// Where an item stands once the drags planned from one reading are made. x, wanted shown between
// a and b, is dragged right across a: a moves left by the room x takes (x and the gap right of it,
// up to the hidden separator); b, which x does not pass, stays. y, wanted hidden before c, is
// dragged left across c: c moves right by the room y leaves (y and the gap up to d).
TEST(RestingPlace, MovesAnItemByTheRoomOfEachItemDraggedAcrossIt) {
    const BarGeometry rightward = bar({{u"x"_s, 560}, {u"a"_s, 700}, {u"b"_s, 750}});
    const SectionLayout betweenAAndB = layoutOf({u"a"_s, u"x"_s, u"b"_s});
    const BarGeometry leftward = bar({{u"c"_s, 500}, {u"y"_s, 700}, {u"d"_s, 740}});
    const SectionLayout beforeC = layoutOf({u"d"_s}, {u"y"_s, u"c"_s});
    const struct {
        const char *name;
        const BarGeometry &geometry;
        const SectionLayout &layout;
        QString asked;
        std::optional<QRectF> resting;
    } cases[] = {
        {"dropped between a and b", rightward, betweenAAndB, u"x"_s, QRectF(725, 0, 20, 24)},
        {"crossed rightwards", rightward, betweenAAndB, u"a"_s, QRectF(660, 0, 20, 24)},
        {"not crossed", rightward, betweenAAndB, u"b"_s, QRectF(750, 0, 20, 24)},
        {"crossed leftwards", leftward, beforeC, u"c"_s, QRectF(540, 0, 20, 24)},
        {"not on the bar", leftward, beforeC, u"gone"_s, std::nullopt},
    };
    // Compared edge by edge, which a failure prints readably.
    const auto edges = [](const std::optional<QRectF> &frame) {
        return frame ? std::optional(
                           std::tuple(frame->left(), frame->top(), frame->width(), frame->height()))
                     : std::nullopt;
    };
    for (const auto &c : cases) {
        EXPECT_EQ(edges(RestingPlace::of(idOf(c.asked), c.geometry, c.layout, {}, {})),
                  edges(c.resting))
            << c.name;
    }
}

} // namespace
} // namespace zorv
