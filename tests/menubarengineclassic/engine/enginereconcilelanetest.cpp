#include "reconciletest.h"

#include <QCoroTask>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

// The front application's menus end just left of an item the layout wants hidden: the item can
// be reached, no part of its lane can. The run drags nothing and is not settled, and no run
// follows while nothing changes: the item keeps its lane. Once an application with short menus
// comes to the front, a run takes it there.
TEST_F(ReconcileTest, anItemWhoseLaneIsOutOfReachWaitsForADragToReachIt) {
    furnish(kTwo);
    const std::optional<MenuBarItem> a = engineItem(idOf(u"a"_s));
    ASSERT_TRUE(a);
    desktop.applications().activate(launch(u"com.example.editor"_s, a->frame.left() - 1.0));
    run(3.0);
    drive(engine->apply(layoutOf({idOf(u"b"_s)}, {idOf(u"a"_s)}, {})));
    reconcile();
    ASSERT_FALSE(runLines().isEmpty());
    EXPECT_FALSE(runLines().first().value(u"settled"_s).toBool());
    run(300.0);
    EXPECT_TRUE(records(u"reconcile-log.jsonl"_s, u"adopt"_s).isEmpty());
    EXPECT_EQ(engine->storedLayout().sectionOf(idOf(u"a"_s)), Section::hidden);
    EXPECT_EQ(engineItem(idOf(u"a"_s))->unplacedBecause,
              (UnplacedReason{UnplacedReason::Obstacle::menus, true}));
    EXPECT_EQ(runLines().size(), 1);
    EXPECT_EQ(shownOrder(), kTwo);
    desktop.applications().activate(launch(u"com.example.viewer"_s, 100.0));
    run(300.0);
    const QList<quint64> bar = barOrder();
    EXPECT_LT(bar.indexOf(items.value(u"a"_s)),
              bar.indexOf(zorvItem(BarItems::zorvHiddenSeparatorName)));
    EXPECT_EQ(engine->storedLayout().sectionOf(idOf(u"a"_s)), Section::hidden);
    EXPECT_EQ(engineItem(idOf(u"a"_s))->unplacedBecause, std::nullopt);
}

struct ForNowCase {
    const char *name;
    DragAcceptance acceptance;
    // Where the item stands while no drag reaches its lane, and once one does.
    Section waitsIn;
    Section endsIn;

    friend void PrintTo(const ForNowCase &c, std::ostream *out) { *out << c.name; }
};

class ReconcileForNowTest : public ReconcileTest,
                            public ::testing::WithParamInterface<ForNowCase> {};

// The front application's menus cover Always Hidden, even with everything revealed, but not all of
// Hidden: an item the user puts in Always Hidden goes into Hidden meanwhile, so that it is out of
// sight while the bar is tucked. Its stored lane stays Always Hidden, nothing counts against it,
// and it says why it waits; once shorter menus come to the front it goes on into Always Hidden.
// Should its application refuse drags, the refused drags into Hidden count for nothing either (the
// drift is given up): only those into its own lane, once in reach, retire it where it stands.
TEST_P(ReconcileForNowTest, anItemForAlwaysHiddenGoesIntoHiddenWhileOnlyThatCanBeReached) {
    const ForNowCase &c = GetParam();
    addLaptop();
    toolsProcess = launch(tools);
    for (const QString &name : kThree) {
        items.insert(name, addItem(toolsProcess, 30.0, name));
    }
    desktop.applications().setDragAcceptance(toolsProcess, c.acceptance);
    makeEngine();
    arrangeAndStart({items.value(u"a"_s), items.value(u"b"_s), items.value(u"c"_s)}, 0, 1);
    drive(engine->setHiddenRevealed(true, true, false));
    run(1.0);
    const double hiddenItemLeft = entry(items.value(u"a"_s)).frame.left();
    const double alwaysSeparatorMiddle =
        entry(zorvItem(BarItems::zorvAlwaysHiddenSeparatorName)).frame.center().x();
    drive(engine->setHiddenRevealed(false, false, false));
    desktop.applications().activate(launch(u"com.example.editor"_s, hiddenItemLeft));
    run(3.0);
    drive(engine->apply(layoutOf({idOf(u"c"_s)}, {idOf(u"a"_s)}, {idOf(u"b"_s)})));
    reconcile();
    run(240.0);

    const auto laneOf = [this](const QString &name) {
        const QList<quint64> bar = barOrder();
        const qsizetype at = bar.indexOf(items.value(name));
        return at < bar.indexOf(zorvItem(BarItems::zorvAlwaysHiddenSeparatorName))
                   ? Section::alwaysHidden
               : at < bar.indexOf(zorvItem(BarItems::zorvHiddenSeparatorName)) ? Section::hidden
                                                                               : Section::shown;
    };
    EXPECT_EQ(laneOf(u"b"_s), c.waitsIn);
    EXPECT_EQ(onScreen(items.value(u"b"_s)), c.waitsIn == Section::shown);
    EXPECT_EQ(engine->storedLayout().sectionOf(idOf(u"b"_s)), Section::alwaysHidden);
    EXPECT_FALSE(engine->laneFailed().contains(idOf(u"b"_s)));
    // Standing in Hidden, or in Shown with a drag into Hidden planned, it is hidden for now.
    EXPECT_EQ(engineItem(idOf(u"b"_s))->unplacedBecause,
              (UnplacedReason{UnplacedReason::Obstacle::menus, true, true}));
    const qsizetype runs = runLines().size();
    run(300.0);
    EXPECT_EQ(runLines().size(), runs) << "nothing loops while the item waits";

    // c grows until Always Hidden lies past the screen's edge even revealed; then it shrinks by a
    // few points, as the clock's text does, which brings the lane's end back on screen under the
    // menus. The reason told stays the one judged.
    desktop.items().setLength(items.value(u"c"_s), 30.0 + alwaysSeparatorMiddle - 2.0);
    run(65.0);
    EXPECT_EQ(
        engineItem(idOf(u"b"_s))->unplacedBecause,
        (UnplacedReason{UnplacedReason::Obstacle::screenEdge, true, c.waitsIn == Section::hidden}));
    desktop.items().setLength(items.value(u"c"_s), 30.0 + alwaysSeparatorMiddle - 6.0);
    run(65.0);
    EXPECT_EQ(
        engineItem(idOf(u"b"_s))->unplacedBecause,
        (UnplacedReason{UnplacedReason::Obstacle::screenEdge, true, c.waitsIn == Section::hidden}));
    desktop.items().setLength(items.value(u"c"_s), 30.0);

    desktop.applications().activate(launch(u"com.example.viewer"_s, 100.0));
    run(300.0);
    EXPECT_EQ(laneOf(u"b"_s), c.endsIn);
    EXPECT_EQ(engine->storedLayout().sectionOf(idOf(u"b"_s)), c.endsIn);
    EXPECT_EQ(engineItem(idOf(u"b"_s))->unplacedBecause, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Acceptance, ReconcileForNowTest,
                         ::testing::Values(ForNowCase{"DragsTaken", DragAcceptance::Always,
                                                      Section::hidden, Section::alwaysHidden},
                                           ForNowCase{"DragsRefused", DragAcceptance::Never,
                                                      Section::shown, Section::shown}),
                         [](const auto &info) { return std::string(info.param.name); });

// A handed-over layout that differs from the bar only inside a section is brought about by the
// scans once reordering is on; until then it waits, and the bar's order does not replace it.
TEST_F(ReconcileTest, aHandedOverLayoutIsBroughtAboutOnceReorderingIsOn) {
    furnish(kTwoSwapped);
    engine->setReorderEnabled(false);
    want(kTwo);
    run(65.0);
    EXPECT_TRUE(runTriggers().isEmpty());
    EXPECT_EQ(shownOrder(), kTwoSwapped);
    EXPECT_EQ(wantedOrder(), kTwo);
    engine->setReorderEnabled(true);
    run(65.0);
    EXPECT_EQ(runTriggers(), QStringList{u"layout-applied"_s});
    EXPECT_EQ(shownOrder(), kTwo);
    EXPECT_FALSE(engine->orderDirty());
}

// Run B admitted while run A, which had nothing to drag, awaits its closing scan: B's slow drag
// is still in flight when A ends. A gives back only its own cursor session, so B's drag lands in
// its wanted place, and A leaves the trigger queued meanwhile to B.
TEST_F(ReconcileTest, anOverlappingRunKeepsItsCursorAndTheQueuedTrigger) {
    furnish({u"b"_s, u"a"_s, u"c"_s}, DragAcceptance::SlowGestureOnly);
    want(kThree);
    reconcile();
    ASSERT_TRUE(engine->needsSlowGesture().contains(idOf(u"b"_s)));
    QCoro::Task<> first = engine->reconcileMenuBar(u"user-move"_s);
    runUntil([&] { return runLines().size() == 2 && !engine->reconcileInFlight(); });
    const QStringList wanted{u"a"_s, u"c"_s, u"b"_s};
    want(wanted);
    QCoro::Task<> second = engine->reconcileMenuBar(u"user-move"_s);
    drive(engine->reconcileMenuBar(u"sort-my-bar"_s));
    runUntil([&] { return engine->cursor().session().has_value(); });
    drive(std::move(first));
    EXPECT_TRUE(engine->cursor().session().has_value());
    drive(std::move(second), 120.0);
    EXPECT_EQ(runTriggers(),
              (QStringList{u"user-move"_s, u"user-move"_s, u"user-move"_s, u"sort-my-bar"_s}));
    const QJsonArray moves = runLines().at(2).value(u"moves"_s).toArray();
    ASSERT_EQ(moves.size(), 1);
    EXPECT_EQ(moves.first()[u"gesture"_s], u"commandKey"_s);
    EXPECT_EQ(moves.first()[u"took"_s], true);
    EXPECT_EQ(shownOrder(), wanted);
    // The first run's standard drag did not take: the user had the cursor back meanwhile.
    expectSessionsGivenBack(3);
}

// Applications that do not answer hold up the scan after a drag for longer than 8 s: the cursor
// goes back to the user 8 s after the drag began, before the run ends its session.
TEST_F(ReconcileTest, theDeadlineGivesTheCursorBackWhenTheRunDoesNot) {
    furnish(kTwoSwapped);
    want(kTwo);
    QList<qint32> unanswering;
    for (int i = 0; i < 40; ++i) {
        unanswering.append(launch(u"com.example.stuck%1"_s.arg(i)));
    }
    // The scans after the launches are over before the run begins.
    run(2.0);
    QCoro::Task<> reconciling = engine->reconcileMenuBar(u"user-move"_s);
    runUntil([&] { return engine->cursor().session().has_value(); });
    const MonotonicTime dragBegan = clock.now();
    for (qint32 process : unanswering) {
        desktop.applications().setHung(process, true);
    }
    runUntil([&] { return !engine->cursor().session().has_value(); });
    EXPECT_NEAR(toSeconds(clock.now() - dragBegan), 8.0, 0.02);
    EXPECT_TRUE(engine->reconcileInFlight());
    expectSessionsGivenBack(1);
    QJsonObject byDeadline = records(u"events.jsonl"_s, u"cursor-returned-by-deadline"_s).value(0);
    byDeadline.remove(u"at"_s);
    EXPECT_EQ(byDeadline, (QJsonObject{{u"kind"_s, u"cursor-returned-by-deadline"_s},
                                       {u"afterSeconds"_s, 8.0}}));
    drive(std::move(reconciling), 120.0);
    expectSessionsGivenBack(1);
    EXPECT_EQ(shownOrder(), kTwo);
}

// A drift that three runs could not settle is given up once, and its runs queue no more
// follow-ups; an item that never moves is what keeps it from settling.
TEST_F(ReconcileTest, aDriftThatThreeRunsCannotSettleIsGivenUpOnce) {
    furnish(kTwoSwapped, DragAcceptance::Never);
    want(kTwo);
    reconcile(u"drift:com.example.tools"_s);
    EXPECT_EQ(runLines().size(), 3);
    QList<QJsonObject> givenUp = records(u"reconcile-log.jsonl"_s, u"drift-given-up"_s);
    ASSERT_EQ(givenUp.size(), 1);
    givenUp.first().remove(u"at"_s);
    EXPECT_EQ(givenUp.first(),
              (QJsonObject{{u"kind"_s, u"drift-given-up"_s},
                           {u"items"_s, u"com.example.tools"_s},
                           {u"reason"_s, u"3 runs could not settle them; waiting for an app, "
                                         u"display or layout change"_s}}));
    EXPECT_TRUE(engine->orderDirty());
    EXPECT_EQ(wantedOrder(), kTwo);
}

// A reversal of 24 items takes twelve runs at two order drags each (the items share one attempt
// key): follow-ups go on past ten (and past the drift's three) while each run brings the bar
// closer, in the fewest drags.
// Then a lane drag the application refuses: that run comes no closer and strikes no item, and
// no follow-up comes after it.
TEST_F(ReconcileTest, followUpsGoOnWhileRunsComeCloserAndStopWhenOneDoesNot) {
    QStringList reversed;
    for (int i = 23; i >= 0; --i) {
        reversed.append(u"item%1"_s.arg(i, 2, 10, QChar(u'0')));
    }
    furnish(reversed);
    QStringList wanted = reversed;
    std::reverse(wanted.begin(), wanted.end());
    want(wanted);
    // Started by drift: runs that come closer are not fruitless, so the drift is not given up.
    reconcile(u"drift:com.example.tools"_s);
    QList<QJsonObject> runs = runLines();
    ASSERT_EQ(runs.size(), 12);
    qsizetype drags = 0;
    for (const QJsonObject &run : runs) {
        drags += run.value(u"moves"_s).toArray().size();
    }
    EXPECT_EQ(drags, 23);
    EXPECT_TRUE(runs.last().value(u"settled"_s).toBool());
    EXPECT_EQ(shownOrder(), wanted);
    EXPECT_FALSE(engine->orderDirty());

    desktop.applications().setDragAcceptance(toolsProcess, DragAcceptance::Never);
    QList<MenuBarItemID> shownIds;
    for (const QString &name : wanted.mid(1)) {
        shownIds.append(idOf(name));
    }
    drive(engine->apply(layoutOf(shownIds, {idOf(wanted.first())}, {})));
    reconcile();
    runs = runLines().mid(12);
    ASSERT_EQ(runs.size(), 1);
    EXPECT_FALSE(runs.first().value(u"settled"_s).toBool());
    EXPECT_EQ(runs.first().value(u"moves"_s).toArray().size(), 2);
    EXPECT_EQ(shownOrder(), wanted);
}

// Drift runs that drag nothing, or abort because the bar lays out too slowly for the reveal to
// settle, count toward giving the drift up just as runs that leave it unsettled do.
TEST_F(ReconcileTest, aDriftRunThatMovesNothingOrAbortsIsFruitless) {
    furnish(kTwo);
    want(kTwo);
    const QString drift = u"drift:com.example.tools"_s;
    reconcile(drift);
    reconcile(drift);
    EXPECT_TRUE(records(u"reconcile-log.jsonl"_s, u"drift-given-up"_s).isEmpty());
    desktop.settings().setLayoutPassDelay(seconds(2.0));
    reconcile(drift);
    QStringList aborted;
    for (const QJsonObject &line : records(u"reconcile-log.jsonl"_s)) {
        aborted.append(line.value(u"aborted"_s).toString());
    }
    EXPECT_EQ(aborted.count(u"the reveal did not settle"_s), 1);
    EXPECT_EQ(records(u"reconcile-log.jsonl"_s, u"drift-given-up"_s).size(), 1);
}

// A bar so full that, revealed, it runs past the screen's left edge: the runs arrange what they
// can reach and name the rest, never abort, and never drag from or to a place off the screen; the
// user's order still waits for the two items out of reach.
TEST_F(ReconcileTest, aBarTooFullToShowRevealedIsArrangedWhereItCanBeReached) {
    QStringList crowd;
    for (int i = 0; i < 16; ++i) {
        crowd.append(u"item%1"_s.arg(i));
    }
    QStringList wanted = crowd;
    std::reverse(wanted.begin(), wanted.end());
    furnish(crowd, DragAcceptance::Always, 90.0);
    want(wanted);
    reconcile();
    const QList<QJsonObject> runs = runLines();
    ASSERT_FALSE(runs.isEmpty());
    for (const QJsonObject &run : runs) {
        EXPECT_FALSE(run.contains(u"aborted"_s));
        for (const QJsonValue &move : run.value(u"moves"_s).toArray()) {
            EXPECT_GE(std::min(move[u"fromX"_s].toDouble(), move[u"toX"_s].toDouble()), 4.0);
        }
    }
    EXPECT_TRUE(runs.last().value(u"settled"_s).toBool());
    const QJsonObject offScreen{{u"name"_s, u"tools"_s}, {u"why"_s, Reachability::offScreen}};
    EXPECT_EQ(lastRun().value(u"unreachable"_s), (QJsonArray{offScreen, offScreen}));
    const QStringList reachable = shownOrder().mid(2);
    QStringList expected = wanted;
    expected.removeIf([&](const QString &name) { return !reachable.contains(name); });
    EXPECT_EQ(reachable, expected);
    EXPECT_TRUE(engine->orderDirty());
    EXPECT_EQ(wantedOrder(), wanted);
    EXPECT_FALSE(engine->reconcileInFlight());
}

struct FirstDragCase {
    const char *name;
    QStringList bar;
    DragAcceptance acceptance;
    bool pressKey;
    // How far the item right of the dragged one grows meanwhile, which shifts the dragged one
    // that much to the left although its drag did not take.
    double neighbourGrowth;
    // Whether the first drag took, by its middle having moved more than 6 points; none when the
    // run could not tell.
    std::optional<bool> took;
    qsizetype cursorSessions;
    // The user hides Zorv's icon meanwhile: every item left of it moves over, the dragged one
    // too, though its drag did not take.
    bool iconHidden = false;
    // Before the run the user opens the menu of the rightmost item and reads it this long, then
    // closes it with a click elsewhere: no drag closes it, nor is the cursor borrowed meanwhile.
    std::optional<double> menuOpenFor = std::nullopt;

    friend void PrintTo(const FirstDragCase &c, std::ostream *out) { *out << c.name; }
};

class ReconcileFirstDragTest : public ReconcileTest,
                               public ::testing::WithParamInterface<FirstDragCase> {};

// What happens while the first drag is in flight. A key pressed while the cursor is borrowed
// gives it back at once; the run waits for quiet and borrows it again for the next drag.
TEST_P(ReconcileFirstDragTest, judgesTheDragAndTheUsersKeys) {
    const FirstDragCase &c = GetParam();
    furnish(c.bar, c.acceptance);
    QStringList wanted = c.bar;
    wanted.sort();
    want(wanted);
    if (c.menuOpenFor) {
        desktop.userInput().click(entry(items.value(c.bar.last())).frame.center());
        desktop.userInput().moveMouse(kUserSpot);
    }
    QCoro::Task<> reconciling = engine->reconcileMenuBar(u"user-move"_s);
    if (c.menuOpenFor) {
        run(*c.menuOpenFor);
        EXPECT_TRUE(desktop.readout().openItemMenu().has_value());
        EXPECT_TRUE(records(u"events.jsonl"_s, u"cursor-borrowed"_s).isEmpty());
        EXPECT_EQ(shownOrder(), c.bar);
        EXPECT_TRUE(hidingAsTucked()) << "the run revealed under the menu";
        desktop.userInput().click(kUserSpot);
    }
    runUntil([&] { return engine->cursor().session().has_value(); });
    // Well into the drag: a key-down right at the session's start is within its slack.
    run(0.08);
    ASSERT_TRUE(engine->cursor().session().has_value());
    if (c.pressKey) {
        desktop.userInput().pressKey(0);
    }
    desktop.items().setLength(items.value(u"a"_s), 30.0 + c.neighbourGrowth);
    if (c.iconHidden) {
        engine->setIconVisible(false);
    }
    drive(std::move(reconciling), 600.0);
    EXPECT_EQ(runLines().first()[u"moves"_s][0][u"took"_s],
              c.took ? QJsonValue(*c.took) : QJsonValue(QJsonValue::Undefined));
    EXPECT_EQ(shownOrder(), c.acceptance == DragAcceptance::Never ? c.bar : wanted);
    expectSessionsGivenBack(c.cursorSessions);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReconcileFirstDragTest,
    ::testing::Values(
        FirstDragCase{"Untouched", kThreeReversed, DragAcceptance::Always, false, 0.0, true, 1},
        FirstDragCase{"KeyPressed", kThreeReversed, DragAcceptance::Always, true, 0.0, true, 2},
        FirstDragCase{"MovedSixPoints", kTwoSwapped, DragAcceptance::Never, false, 6.0, false, 12},
        FirstDragCase{"MovedPastSix", kTwoSwapped, DragAcceptance::Never, false, 6.1, true, 13},
        FirstDragCase{"MovedByTheIconGoing", kTwoSwapped, DragAcceptance::Never, false, 0.0,
                      std::nullopt, 11, true},
        FirstDragCase{"AfterAMenuClosed", kThreeReversed, DragAcceptance::Always, false, 0.0, true,
                      1, false, 30.0}),
    [](const auto &info) { return info.param.name; });

// A run that finds a menu open shows nothing while it waits for it; once its longest wait is
// over, it stops without having revealed or dragged anything, and the bar stands as it did.
TEST_F(ReconcileTest, aRunThatFindsAMenuOpenStopsAfterItsLongestWaitHavingShownNothing) {
    furnish(kThreeReversed);
    want(kThree);
    desktop.userInput().click(entry(items.value(u"a"_s)).frame.center());
    desktop.userInput().moveMouse(kUserSpot);
    QCoro::Task<> reconciling = engine->reconcileMenuBar(u"user-move"_s);
    run(599.0);
    EXPECT_TRUE(engine->reconcileInFlight());
    EXPECT_TRUE(hidingAsTucked());
    drive(std::move(reconciling), 10.0);
    EXPECT_FALSE(engine->reconcileInFlight());
    ASSERT_TRUE(desktop.readout().openItemMenu().has_value());
    EXPECT_TRUE(hidingAsTucked());
    EXPECT_EQ(shownOrder(), kThreeReversed);
    EXPECT_TRUE(records(u"events.jsonl"_s, u"cursor-borrowed"_s).isEmpty());
    const QList<QJsonObject> stops = records(u"reconcile-log.jsonl"_s);
    ASSERT_FALSE(stops.isEmpty());
    EXPECT_EQ(stops.last().value(u"aborted"_s).toString(), u"a menu stayed open"_s);
    EXPECT_EQ(reasons(u"reveal"_s), QStringList{});
}

struct EdgeCase {
    const char *name;
    // Pushes the always-hidden lane to the screen's left edge, where the item is aimed.
    double wideItemLength;
    double fromX;
    double toX;
};

class ReconcileEdgeTest : public ReconcileTest, public ::testing::WithParamInterface<EdgeCase> {};

// A drag never ends less than 4 points inside the screen's edge: a drop the lane would put 3
// points inside goes 4 points inside instead, where it still lands in the lane. The layout wants
// x in another lane, so handing it over starts a run of its own; the user's run then finds
// nothing left to do.
TEST_P(ReconcileEdgeTest, plansNoDragAimedOffScreen) {
    const EdgeCase &c = GetParam();
    furnish({u"x"_s, u"wide"_s});
    desktop.items().setLength(items.value(u"wide"_s), c.wideItemLength);
    run(1.0);
    drive(engine->apply(layoutOf({idOf(u"wide"_s)}, {}, {idOf(u"x"_s)})));
    runUntil([&] { return !runLines().isEmpty() && !engine->reconcileInFlight(); });
    reconcile();
    const QJsonArray moves{
        QJsonObject{{u"what"_s, u"com.example.tools"_s + DragPlan::laneArrow + u"alwaysHidden"_s},
                    {u"fromX"_s, c.fromX},
                    {u"toX"_s, c.toX},
                    {u"gesture"_s, u"standard"_s},
                    {u"took"_s, true}}};
    EXPECT_EQ(runTriggers(), (QStringList{u"layout-applied"_s, u"user-move"_s}));
    ASSERT_EQ(runLines().size(), 2);
    EXPECT_EQ(runLines().first().value(u"moves"_s), moves);
    EXPECT_EQ(runLines().last().value(u"moves"_s), QJsonArray());
    EXPECT_EQ(reasons(u"tuck"_s).last(), u"reconcile"_s);
}

INSTANTIATE_TEST_SUITE_P(ScreenEdge, ReconcileEdgeTest,
                         ::testing::Values(EdgeCase{"ThreeInside", 1331.0, 100, 4},
                                           EdgeCase{"FourInside", 1330.0, 101, 4}),
                         [](const auto &info) { return info.param.name; });

struct DragTestCase {
    const char *name;
    const char *request;
    // The result file's "outcome", or empty when the drag was measured.
    QString outcome;
    bool took;
    qsizetype cursorSessions;
};

class DragTestHookTest : public ReconcileTest,
                         public ::testing::WithParamInterface<DragTestCase> {};

// A request file is taken at the next scan; numbers that cannot be used never become a drag.
TEST_P(DragTestHookTest, carriesOutOrRefusesTheRequestedDrag) {
    const DragTestCase &c = GetParam();
    furnish(kTwo);
    request(c.request, 10.0);
    EXPECT_FALSE(QFile::exists(folder.filePath(u"drag-test.json"_s)));
    const QJsonObject result = readFile(u"drag-test-result.json"_s);
    EXPECT_EQ(
        std::tuple(result[u"kind"_s], result[u"outcome"_s].toString(), result[u"took"_s].toBool()),
        std::tuple(QJsonValue(u"drag-test"_s), c.outcome, c.took));
    EXPECT_EQ(records(u"reconcile-log.jsonl"_s, u"drag-test"_s).size(), 1);
    EXPECT_FALSE(engine->reconcileInFlight());
    expectSessionsGivenBack(c.cursorSessions);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, DragTestHookTest,
    ::testing::Values(DragTestCase{"Measured", R"({"bundleID": "com.example.tools", "deltaX": 60})",
                                   u""_s, true, 1},
                      DragTestCase{"NotOnTheBar", R"({"bundleID": "com.example.absent"})",
                                   u"item not on the bar"_s, false, 0},
                      DragTestCase{"ZeroStep", R"({"bundleID": "com.example.tools", "stepPx": 0})",
                                   u"invalid request"_s, false, 0}),
    [](const auto &info) { return info.param.name; });

// Commands run reconcile passes under their own triggers and put the engine's switches back;
// the benchmark's pass plans its drags from one scan and carries them out as a batch.
TEST_F(ReconcileTest, testCommandsRunTheirPassesAndRestoreTheSwitches) {
    furnish(kTwoSwapped);
    want(kTwo);
    for (const QByteArray &command : {QByteArray("bench-sort"), QByteArray("sort")}) {
        request(R"({"command": ")" + command + R"(", "batch": true})", 30.0);
    }
    EXPECT_EQ(runTriggers(), (QStringList{u"bench-restore"_s, u"sort-test"_s}));
    EXPECT_TRUE(runLines().first()[u"moves"_s][0][u"batch"_s].toBool());
    EXPECT_EQ(records(u"reconcile-log.jsonl"_s, u"test-command"_s).size(), 2);
    EXPECT_FALSE(engine->batchExecutionEnabled());
    EXPECT_TRUE(engine->reorderEnabled());
    EXPECT_EQ(shownOrder(), kTwo);
}

// The scan that takes a request waits for it: its caller finds the request carried out.
TEST_F(ReconcileTest, theScanThatTakesARequestEndsOnceItIsCarriedOut) {
    furnish(kTwo);
    QFile file(folder.filePath(u"drag-test.json"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"command": "hide-icon"})");
    file.close();
    drive(engine->refresh());
    EXPECT_EQ(records(u"reconcile-log.jsonl"_s, u"test-command"_s).size(), 1);
    EXPECT_EQ(records(u"reconcile-log.jsonl"_s, u"icon-toggle-result"_s).size(), 1)
        << "the icon's toggle is measured 0.6 s after it, before the scan ends";
    EXPECT_FALSE(engine->iconVisible());
}

// The benchmark's batch plans its drags from one reading of the bar. A menu that another
// application opens for the user after the run's reveal, before the batch's first drag, is not
// closed by a drag's mouse-down: nothing is dragged while it is open, and the run sorts the bar
// once it has closed.
TEST_F(ReconcileTest, aBatchDragsNothingWhileAMenuOpenedAfterItsRevealIsOpen) {
    furnish(kThreeReversed);
    want(kThree);
    QFile file(folder.filePath(u"drag-test.json"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"command": "bench-sort", "batch": true})");
    file.close();
    QCoro::Task<> scan = engine->refresh();
    const quint64 separator = zorvItem(BarItems::zorvHiddenSeparatorName);
    runUntil([&] { return entry(separator).length <= SeparatorController::collapsedLength; });
    const MonotonicTime opened = clock.now();
    ASSERT_EQ(desktop.accessibility().performAction(AXElementTable::item(items.value(u"a"_s)),
                                                    u"AXPress"_s),
              AXError::Success);
    run(5.0);
    EXPECT_TRUE(desktop.readout().openItemMenu().has_value()) << "a drag closed the menu";
    const QList<LoggedEvent> events = desktop.readout().events();
    EXPECT_EQ(std::count_if(events.cbegin(), events.cend(),
                            [opened](const LoggedEvent &event) {
                                return event.at >= opened &&
                                       event.origin == EventOrigin::Synthetic &&
                                       event.type == EventType::LeftMouseDown;
                            }),
              0)
        << "mouse-downs posted while the menu was open";
    EXPECT_EQ(shownOrder(), kThreeReversed);
    desktop.userInput().pressKey(KeyCode::escape);
    drive(std::move(scan), 120.0);
    EXPECT_EQ(shownOrder(), kThree);
}

} // namespace
} // namespace zorv::testing
