#include "reconciletest.h"

#include <QCoroTask>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

struct OrderCase {
    const char *name;
    QStringList bar;
    QStringList wanted;
    DragAcceptance acceptance;
    // The gestures of each run's drags, "S" standard and "C" commandKey, runs apart by "|";
    // follow-up runs included.
    QString gestures;
    // The bar at the end.
    QStringList finalBar;
    // The highest count of runs in a row in which an item's order drags failed.
    int strikes;
    // The cursor is borrowed by a run's first drag and by each drag after one that did not take:
    // the user has it back while the bar is watched for the outcome.
    qsizetype cursorSessions;
    // The bar takes two seconds to lay itself out after each drag, the cursor the user's
    // meanwhile; it is revealed beforehand, as no reveal settles on so slow a bar.
    bool slowLayout = false;
};

class ReconcileOrderTest : public ReconcileTest, public ::testing::WithParamInterface<OrderCase> {};

// A run settles the bar or queues a follow-up while it gets somewhere; an item that never moves
// is left alone after three runs, and the wanted order stays what the user asked for. The
// engine's own Command key-downs never read as the user at the keyboard. Each drag is judged
// once the bar has laid itself out again.
TEST_P(ReconcileOrderTest, bringsTheBarIntoTheWantedOrder) {
    const OrderCase &c = GetParam();
    furnish(c.bar, c.acceptance);
    want(c.wanted);
    if (c.slowLayout) {
        desktop.settings().setLayoutPassDelay(seconds(2.0));
        drive(engine->setHiddenRevealed(true, true, true));
        run(3.0);
    }
    reconcile();
    const QList<QJsonObject> runs = runLines();
    QStringList made;
    for (const QJsonObject &run : runs) {
        QString gestures;
        for (const QJsonValue &move : run.value(u"moves"_s).toArray()) {
            gestures += move[u"gesture"_s] == u"standard"_s ? u'S' : u'C';
        }
        made.append(gestures);
    }
    EXPECT_EQ(made.join(u'|'), c.gestures);
    EXPECT_TRUE(runs.last().value(u"settled"_s).toBool());
    EXPECT_EQ(shownOrder(), c.finalBar);
    EXPECT_EQ(wantedOrder(), c.wanted);
    EXPECT_FALSE(engine->orderDirty());
    const QList<int> strikes = engine->stubbornOrder().values();
    EXPECT_EQ(strikes.isEmpty() ? 0 : *std::max_element(strikes.begin(), strikes.end()), c.strikes);
    expectSessionsGivenBack(c.cursorSessions);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, ReconcileOrderTest,
    ::testing::Values(
        OrderCase{"AlreadyOrdered", kTwo, kTwo, DragAcceptance::Always, u""_s, kTwo, 0, 0},
        OrderCase{"OneSwap", kTwoSwapped, kTwo, DragAcceptance::Always, u"S"_s, kTwo, 0, 1},
        // Two plans per attempt key (one application's items share it) and run: the rest waits
        // for the follow-up run instead of the bar's half-sorted order becoming the wanted one.
        OrderCase{"MoreThanOneRunCanDo", kFiveReversed, kFive, DragAcceptance::Always, u"SC|SC"_s,
                  kFive, 0, 2},
        OrderCase{"SlowGestureOnly", kThreeReversed, kThree, DragAcceptance::SlowGestureOnly,
                  u"SC|SC"_s, kThree, 0, 4},
        // Each item gets three runs before it counts as stubborn; the slow gesture learnt for
        // it in the first is used from the start in the later ones.
        OrderCase{"NeverMoves", kTwoSwapped, kTwo, DragAcceptance::Never, u"SC|CC|CC|SC|CC|CC"_s,
                  kTwoSwapped, 3, 12},
        OrderCase{"SlowLayout", kThreeReversed, kThree, DragAcceptance::Always, u"SC"_s, kThree, 0,
                  2, true}),
    [](const auto &info) { return info.param.name; });

// The records of a run over a bar already in order, to the key; the run tucks again.
TEST_F(ReconcileTest, anOrderedBarCostsOnePassAndNoDragAndIsRecordedExactly) {
    furnish(kTwo);
    want(kTwo);
    reconcile(u"sort-my-bar"_s);
    const QJsonObject last = lastRun();
    const QJsonValue wallMs = last[u"timing"_s][u"wallMs"_s];
    // The idle wait returns at once, the reveal settles within a check, 0.12 s and the scans.
    EXPECT_GE(wallMs.toInt(), 120);
    EXPECT_LT(wallMs.toInt(), 1000);
    const QJsonObject timing{{u"cursorBorrowMs"_s, 0},
                             {u"dragDistancePx"_s, 0},
                             {u"drags"_s, 0},
                             {u"modeledSortMs"_s, 0},
                             {u"wallMs"_s, wallMs}};
    QJsonArray items;
    for (const MenuBarItem &item : engine->lastItems()) {
        items.append(QJsonObject{{u"name"_s, item.appName},
                                 {u"section"_s, rawValue(item.section)},
                                 {u"midX"_s, item.frame.center().x()}});
    }
    QJsonObject line{{u"at"_s, runLines().value(0).value(u"at"_s)},
                     {u"trigger"_s, u"sort-my-bar"_s},
                     {u"passes"_s, 1},
                     {u"settled"_s, true},
                     {u"timing"_s, timing},
                     {u"moves"_s, QJsonArray()}};
    EXPECT_EQ(runLines(), QList<QJsonObject>{line});
    line.insert(u"kind"_s, u"reconcile"_s);
    line.insert(u"threeZone"_s, true);
    line.insert(u"items"_s, items);
    for (const QString &key : {u"at"_s, u"alwaysBoundaryX"_s, u"boundaryX"_s}) {
        line.insert(key, last.value(key));
    }
    EXPECT_EQ(last, line);
    EXPECT_GT(last[u"boundaryX"_s].toDouble(), last[u"alwaysBoundaryX"_s].toDouble(-1) + 1);
    EXPECT_EQ(reasons(u"tuck"_s).last(), u"reconcile"_s);
    EXPECT_FALSE(engine->isRevealed());
}

TEST_F(ReconcileTest, anotherManagerRunningSkipsTheRunWithTwoRecordsAndNoReveal) {
    furnish(kTwoSwapped);
    want(kTwo);
    launch(u"com.surteesstudios.Bartender"_s);
    run(1.0);
    const QStringList tucks = reasons(u"tuck"_s);
    reconcile();
    EXPECT_EQ(lastRun(), (QJsonObject{{u"at"_s, lastRun().value(u"at"_s)},
                                      {u"kind"_s, u"reconcile-skipped"_s},
                                      {u"reason"_s, u"Bartender is running"_s}}));
    const QList<QJsonObject> lines = records(u"reconcile-log.jsonl"_s);
    EXPECT_EQ(lines, (QList<QJsonObject>{{{u"at"_s, lines.value(0).value(u"at"_s)},
                                          {u"trigger"_s, u"user-move"_s},
                                          {u"skipped"_s, u"Bartender is running"_s}}}));
    EXPECT_EQ(reasons(u"tuck"_s), tucks);
    EXPECT_EQ(shownOrder(), kTwoSwapped);
}

// The engine never drags while the user's hands are on the mouse or keyboard.
TEST_F(ReconcileTest, waitsUntilTheUserLeavesTheControlsAlone) {
    furnish(kTwoSwapped);
    want(kTwo);
    desktop.userInput().moveMouse(kUserSpot);
    QCoro::Task<> reconciling = engine->reconcileMenuBar(u"user-move"_s);
    for (int step = 1; step <= 8; ++step) {
        run(0.5);
        desktop.userInput().moveMouse(kUserSpot + QPointF(step, 0));
    }
    desktop.userInput().pressKey(0);
    run(1.0);
    EXPECT_TRUE(records(u"events.jsonl"_s, u"cursor-borrowed"_s).isEmpty());
    drive(std::move(reconciling), 60.0);
    EXPECT_EQ(shownOrder(), kTwo);
}

struct QueueCase {
    const char *name;
    QStringList bar;
    // Reordering is switched off once this many drags of the first run have begun; never when
    // negative.
    int switchedOffAfter;
    QStringList triggers;
    // The first run's drags and what it says about its end.
    int drags;
    QString aborted;
    QStringList finalBar;
    // The Accessibility permission is taken away instead of reordering switched off, and given
    // back half a minute later.
    bool revoked = false;
    // What is asked for while the first run is under way.
    QStringList requests{u"icon-unhidden"_s, u"drift:x"_s, u"sort-my-bar"_s};

    friend void PrintTo(const QueueCase &c, std::ostream *out) { *out << c.name; }
};

class ReconcileQueueTest : public ReconcileTest, public ::testing::WithParamInterface<QueueCase> {};

// Requests during a run: only the last is kept and it runs once, after the run. Switched off,
// reordering stops at once: the queued trigger and the follow-ups are dropped, a run ends before
// its next drag and gives the cursor back, and a new request is dropped without a trace. The
// permission taken away stops a run the same way; what it stopped, or the last request, is done
// once the permission is given back (with the follow-up of a run that came closer), and no
// request runs before.
TEST_P(ReconcileQueueTest, runsTheLastQueuedTriggerOnlyWhileReorderingIsOn) {
    const QueueCase &c = GetParam();
    furnish(c.bar);
    QStringList wanted = c.bar;
    wanted.sort();
    want(wanted);
    // The run waits for the user's hand to rest first.
    desktop.userInput().moveMouse(kUserSpot);
    QCoro::Task<> reconciling = engine->reconcileMenuBar(u"user-move"_s);
    run(0.01);
    ASSERT_TRUE(engine->reconcileInFlight());
    for (const QString &trigger : c.requests) {
        drive(engine->reconcileMenuBar(trigger));
    }
    if (c.switchedOffAfter >= 0) {
        runUntil([&] {
            return records(u"events.jsonl"_s, u"cursor-borrowed"_s).size() >= c.switchedOffAfter;
        });
        if (c.revoked) {
            desktop.permissions().setAccessibilityTrusted(false);
            run(30.0);
            EXPECT_EQ(runTriggers(), QStringList{u"user-move"_s});
            desktop.permissions().setAccessibilityTrusted(true);
        } else {
            engine->setReorderEnabled(false);
        }
    }
    drive(std::move(reconciling), 120.0);
    drive(engine->reconcileMenuBar(u"user-move"_s));
    EXPECT_EQ(runTriggers(), c.triggers);
    const QJsonObject first = runLines().value(0);
    EXPECT_EQ(std::tuple(first[u"moves"_s].toArray().size(), first[u"aborted"_s].toString()),
              std::tuple(qsizetype(c.drags), c.aborted));
    EXPECT_EQ(shownOrder(), c.finalBar);
    expectSessionsGivenBack(c.revoked ? records(u"events.jsonl"_s, u"cursor-borrowed"_s).size()
                                      : std::min(c.drags, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Switch, ReconcileQueueTest,
    ::testing::Values(
        QueueCase{"StaysOn",
                  kTwoSwapped,
                  -1,
                  QStringList{u"user-move"_s, u"sort-my-bar"_s, u"user-move"_s},
                  1,
                  {},
                  kTwo},
        QueueCase{"OffWhileWaitingForTheUser", kTwoSwapped, 0, QStringList{}, 0, {}, kTwoSwapped},
        QueueCase{"OffDuringALongRun",
                  kFiveReversed,
                  1,
                  QStringList{u"user-move"_s},
                  1,
                  u"reordering was switched off"_s,
                  {u"e"_s, u"d"_s, u"c"_s, u"a"_s, u"b"_s}},
        QueueCase{"PermissionTakenAwayDuringALongRun", kFiveReversed, 1,
                  QStringList{u"user-move"_s, u"sort-my-bar"_s, u"sort-my-bar"_s, u"user-move"_s},
                  1, u"no Accessibility permission"_s, kFive, true},
        QueueCase{"PermissionTakenAwayWithNothingAskedMeanwhile",
                  kFiveReversed,
                  1,
                  QStringList{u"user-move"_s, u"user-move"_s, u"user-move"_s, u"user-move"_s},
                  1,
                  u"no Accessibility permission"_s,
                  kFive,
                  true,
                  {}}),
    [](const auto &info) { return std::string(info.param.name); });

// An item whose lane drags fail on two runs, and is still out of place 45 s after, is left
// where it sits: the layout takes its lane, the order rules leave it alone, and the log says so.
// A run meanwhile does not drag it again.
TEST_F(ReconcileTest, anItemWhoseLaneDragsKeepFailingIsRetiredWhereItSits) {
    furnish(kTwo, DragAcceptance::Never);
    drive(engine->apply(layoutOf({idOf(u"b"_s)}, {idOf(u"a"_s)}, {})));
    reconcile();
    reconcile();
    reconcile();
    ASSERT_EQ(runLines().size(), 3);
    EXPECT_TRUE(runLines().last().value(u"moves"_s).toArray().isEmpty());
    EXPECT_FALSE(runLines().last().value(u"settled"_s).toBool());
    EXPECT_TRUE(records(u"reconcile-log.jsonl"_s, u"adopt"_s).isEmpty());
    // The drift runs that fail meanwhile put the failure's time on; the third gives the drift up.
    run(300.0);
    QJsonObject adopt = records(u"reconcile-log.jsonl"_s, u"adopt"_s).value(0);
    adopt.remove(u"at"_s);
    EXPECT_EQ(adopt,
              (QJsonObject{
                  {u"kind"_s, u"adopt"_s},
                  {u"item"_s, tools},
                  {u"lane"_s, u"shown"_s},
                  {u"reason"_s, u"lane drag refused on 2 runs, still out of place 45s later"_s}}));
    EXPECT_EQ(engine->storedLayout().sectionOf(idOf(u"a"_s)), Section::shown);
    EXPECT_TRUE(engine->unmovable().contains(idOf(u"a"_s)));
    EXPECT_EQ(shownOrder(), kTwo);

    // The layout handed over again (its profile chosen once more) asks for the lane again: a run
    // takes the item there once it can be dragged.
    desktop.applications().setDragAcceptance(toolsProcess, DragAcceptance::Always);
    drive(engine->apply(layoutOf({idOf(u"b"_s)}, {idOf(u"a"_s)}, {})));
    EXPECT_FALSE(engine->unmovable().contains(idOf(u"a"_s)));
    run(60.0);
    EXPECT_TRUE(runLines().last().value(u"settled"_s).toBool());
}

// The same item, once the front application's menus cover it, is not retired: it keeps its
// wanted lane, and its failures wait until it can be reached again.
TEST_F(ReconcileTest, anItemOutOfReachKeepsItsWantedLane) {
    furnish(kTwo, DragAcceptance::Never);
    drive(engine->apply(layoutOf({idOf(u"b"_s)}, {idOf(u"a"_s)}, {})));
    reconcile();
    reconcile();
    desktop.applications().activate(launch(u"com.example.editor"_s, 1500.0));
    run(75.0);
    EXPECT_TRUE(records(u"reconcile-log.jsonl"_s, u"adopt"_s).isEmpty());
    EXPECT_EQ(engine->storedLayout().sectionOf(idOf(u"a"_s)), Section::hidden);
    EXPECT_FALSE(engine->unmovable().contains(idOf(u"a"_s)));
    EXPECT_EQ(runLines().size(), 2);
}

struct OutOfReachCase {
    const char *name;
    // The front application's menus cover the item; else its application stops answering.
    bool underMenus;
    UnplacedReason::Obstacle why;
    // Beside it, another application's item out of its lane stops answering and the bar then puts
    // it into its lane: the scans read it where it stood until it answers again as the menus
    // lift, which must not make the drift read as new.
    bool staleNeighbour = false;
    // Finder runs: in front with the menus that cover the item, or behind with short ones, which
    // the item says would let it through.
    std::optional<bool> finderInFront = std::nullopt;

    friend void PrintTo(const OutOfReachCase &c, std::ostream *out) { *out << c.name; }
};

// The engine looks at the bar this often when nothing else makes it.
constexpr double kPollSeconds = 30.0;

class ReconcileOutOfReachTest : public ReconcileTest,
                                public ::testing::WithParamInterface<OutOfReachCase> {};

// An item out of its lane that no drag can get at: a run cannot take it there, so it is not
// settled, while the item keeps its wanted lane for good and tells the model why it waits. No
// drag of it was posted, so nothing counts against it. The item beside it, out of reach too but
// in its lane, waits for nothing. Once a drag can get at it (an application with short menus in
// front, its own answering again), the next poll's run takes it there: the polls that saw the
// drift with nothing to drag started no run to space the next one from.
TEST_P(ReconcileOutOfReachTest, keepsTheItemsLaneAndSaysWhyUntilADragCanReachIt) {
    const OutOfReachCase &reach = GetParam();
    furnish(kTwo);
    const qint32 viewer = launch(u"com.example.viewer"_s, 100.0);
    const qint32 stale = launch(u"com.example.stale"_s);
    const MenuBarItemID staleId{u"com.example.stale"_s, u"v"_s, std::nullopt, 0};
    SectionLayout layout = layoutOf({idOf(u"b"_s)}, {idOf(u"a"_s)}, {});
    const quint64 hiddenSeparator = zorvItem(BarItems::zorvHiddenSeparatorName);
    if (reach.staleNeighbour) {
        const quint64 v = addItem(stale, 30.0, u"v"_s);
        arrange({zorvItem(BarItems::zorvAlwaysHiddenSeparatorName), v, hiddenSeparator,
                 items.value(u"a"_s), items.value(u"b"_s)});
        layout.sections[Section::shown].prepend(staleId);
        run(3.0);
        desktop.applications().setHung(stale, true);
        run(3.0);
        arrange({zorvItem(BarItems::zorvAlwaysHiddenSeparatorName), hiddenSeparator, v});
    }
    const std::optional<MenuBarItem> b = engineItem(idOf(u"b"_s));
    ASSERT_TRUE(b);
    if (reach.underMenus) {
        if (reach.finderInFront == false) {
            launch(u"com.apple.finder"_s, 100.0);
        }
        const QString front =
            reach.finderInFront == true ? u"com.apple.finder"_s : u"com.example.editor"_s;
        desktop.applications().activate(launch(front, b->frame.right() + 1.0));
    } else {
        desktop.applications().setHung(toolsProcess, true);
    }
    run(3.0);
    drive(engine->apply(layout));
    reconcile();
    reconcile();
    // Long enough for the polls to see the drift, and then just past one that saw it again.
    run(330.0);
    const QList<QJsonObject> runs = runLines();
    ASSERT_FALSE(runs.isEmpty());
    EXPECT_TRUE(std::none_of(runs.cbegin(), runs.cend(), [](const QJsonObject &line) {
        return line.value(u"settled"_s).toBool();
    }));
    EXPECT_FALSE(engine->laneFailed().contains(idOf(u"a"_s)));
    EXPECT_TRUE(records(u"reconcile-log.jsonl"_s, u"adopt"_s).isEmpty());
    EXPECT_EQ(engine->storedLayout().sectionOf(idOf(u"a"_s)), Section::hidden);
    EXPECT_EQ(engineItem(idOf(u"a"_s))->unplacedBecause,
              (UnplacedReason{reach.why, false, false, reach.finderInFront == false}));
    EXPECT_EQ(engineItem(idOf(u"b"_s))->unplacedBecause, std::nullopt);

    if (reach.underMenus) {
        desktop.applications().activate(viewer);
    } else {
        desktop.applications().setHung(toolsProcess, false);
    }
    desktop.applications().setHung(stale, false);
    const auto inItsLane = [&] {
        const QList<quint64> bar = barOrder();
        return bar.indexOf(items.value(u"a"_s)) <
               bar.indexOf(zorvItem(BarItems::zorvHiddenSeparatorName));
    };
    double waited = 0.0;
    for (; waited < 120.0 && !inItsLane(); waited += 1.0) {
        run(1.0);
    }
    EXPECT_LE(waited, kPollSeconds + 5.0);
    EXPECT_EQ(engineItem(idOf(u"a"_s))->unplacedBecause, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Items, ReconcileOutOfReachTest,
    ::testing::Values(
        OutOfReachCase{"UnderTheMenus", true, UnplacedReason::Obstacle::menus},
        OutOfReachCase{"ApplicationNotAnswering", false, UnplacedReason::Obstacle::notAnswering},
        OutOfReachCase{"UnderTheMenusBesideAnItemReadWhereItWasBeforeAHang", true,
                       UnplacedReason::Obstacle::menus, true},
        OutOfReachCase{"UnderTheMenusWithFinderBehind", true, UnplacedReason::Obstacle::menus,
                       false, false},
        OutOfReachCase{"UnderFindersMenus", true, UnplacedReason::Obstacle::menus, false, true}),
    [](const auto &info) { return std::string(info.param.name); });

// Two runs failed the same item under the menus, long enough ago to be judged; then an
// application with short menus comes to the front. A run tries the item again before the upkeep
// judges it, rather than the item being retired where the menus kept it.
TEST_F(ReconcileTest, anItemFailedUnderTheMenusIsTriedAgainOnceOtherMenusAreInFront) {
    furnish(kTwo);
    const std::optional<MenuBarItem> a = engineItem(idOf(u"a"_s));
    ASSERT_TRUE(a);
    desktop.applications().activate(launch(u"com.example.editor"_s, a->frame.right() + 1.0));
    run(3.0);
    drive(engine->apply(layoutOf({idOf(u"b"_s)}, {idOf(u"a"_s)}, {})));
    reconcile();
    reconcile();
    run(60.0);
    desktop.applications().activate(launch(u"com.example.viewer"_s, 100.0));
    run(300.0);
    EXPECT_TRUE(records(u"reconcile-log.jsonl"_s, u"adopt"_s).isEmpty());
    EXPECT_EQ(engine->storedLayout().sectionOf(idOf(u"a"_s)), Section::hidden);
    const QList<QJsonObject> runs = runLines();
    ASSERT_EQ(runs.size(), 3);
    EXPECT_FALSE(runs.last().value(u"moves"_s).toArray().isEmpty());
}

// On a bar too crowded for its screen the leftmost item stands past the screen's left edge even
// with the bar revealed, so no drag can get at it: a run that cannot take it into its lane is not
// settled, and the item keeps its lane.
TEST_F(ReconcileTest, anItemOffScreenEvenRevealedKeepsItsLane) {
    furnish(kFive, DragAcceptance::Always, 500.0);
    drive(engine->apply(
        layoutOf({idOf(u"b"_s), idOf(u"c"_s), idOf(u"d"_s), idOf(u"e"_s)}, {idOf(u"a"_s)}, {})));
    reconcile();
    ASSERT_FALSE(runLines().isEmpty());
    EXPECT_FALSE(runLines().first().value(u"settled"_s).toBool());
    EXPECT_FALSE(engine->laneFailed().contains(idOf(u"a"_s)));
    run(300.0);
    EXPECT_EQ(engine->storedLayout().sectionOf(idOf(u"a"_s)), Section::hidden);
    EXPECT_EQ(engineItem(idOf(u"a"_s))->unplacedBecause,
              UnplacedReason{UnplacedReason::Obstacle::screenEdge});
}

// A run drags b right past a in the hidden lane, in vain; then the bar puts b right of the hidden
// separator. That run may not drag b back left into its lane, and posted no drag of b: nothing
// counts against b. The next run drags it back, and that drag, refused, does.
TEST_F(ReconcileTest, anItemDraggedOutOfItsLaneTheOtherWayIsDraggedBackByTheNextRun) {
    addLaptop();
    toolsProcess = launch(tools);
    for (const QString &name : kTwo) {
        items.insert(name, addItem(toolsProcess, 30.0, name));
    }
    desktop.applications().setDragAcceptance(toolsProcess, DragAcceptance::Never);
    makeEngine();
    arrangeAndStart({items.value(u"b"_s), items.value(u"a"_s)}, 0, 2);
    drive(engine->apply(layoutOf({}, {idOf(u"a"_s), idOf(u"b"_s)}, {})));
    // One run only: the follow-ups would give b up as stubborn.
    QCoro::Task<> reconciling = engine->reconcileMenuBar(u"user-move"_s);
    runUntil([&] { return !runLines().isEmpty(); });
    engine->setReorderEnabled(false);
    drive(std::move(reconciling), 120.0);
    engine->setReorderEnabled(true);
    ASSERT_EQ(runLines().size(), 1);
    ASSERT_FALSE(runLines().first().value(u"settled"_s).toBool());
    arrange({zorvItem(BarItems::zorvAlwaysHiddenSeparatorName), items.value(u"a"_s),
             zorvItem(BarItems::zorvHiddenSeparatorName), items.value(u"b"_s),
             zorvItem(BarItems::zorvIconName)});
    reconcile();
    EXPECT_TRUE(runLines().last().value(u"moves"_s).toArray().isEmpty());
    EXPECT_EQ(engine->storedLayout().sectionOf(idOf(u"b"_s)), Section::hidden);
    EXPECT_FALSE(engine->laneFailed().contains(idOf(u"b"_s)));
    reconcile();
    const QJsonArray moves = runLines().last().value(u"moves"_s).toArray();
    ASSERT_FALSE(moves.isEmpty());
    EXPECT_TRUE(moves.first()[u"what"_s].toString().startsWith(tools + DragPlan::laneArrow));
    EXPECT_TRUE(engine->laneFailed().contains(idOf(u"b"_s)));
}

// Which way a run dragged an item counts only towards the layout it worked for. A run drags a
// right towards the profile asked for, in vain; then another profile is chosen while the run is
// under way, or, once the system has put a at the end, another one and the first again. The next
// run drags a back left, rather than dragging the items it passes round it.
class DragBackTest : public ReconcileTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DragBackTest, theNextRunDragsTheItemBackForAnotherLayout) {
    const bool duringTheRun = GetParam();
    furnish({u"x"_s, u"y"_s, u"a"_s, u"z"_s, u"u"_s, u"v"_s, u"w"_s}, DragAcceptance::Never);
    const QStringList first{u"x"_s, u"y"_s, u"z"_s, u"u"_s, u"a"_s, u"v"_s, u"w"_s};
    const QStringList other{u"a"_s, u"x"_s, u"y"_s, u"z"_s, u"u"_s, u"v"_s, u"w"_s};
    engine->setReorderEnabled(false);
    want(first);
    engine->setReorderEnabled(true);
    // One drag only: the follow-ups would give the items up as stubborn.
    QCoro::Task<> reconciling = engine->reconcileMenuBar(u"user-move"_s);
    runUntil([&] { return !records(u"events.jsonl"_s, u"cursor-borrowed"_s).isEmpty(); });
    if (duringTheRun) {
        want(other);
    }
    engine->setReorderEnabled(false);
    drive(std::move(reconciling), 120.0);
    if (!duringTheRun) {
        // Into w's place, which puts a right of it.
        desktop.items().moveToIndex(items.value(u"a"_s), barOrder().indexOf(items.value(u"w"_s)));
        want(other);
        want(first);
    }
    const double from = entry(items.value(u"a"_s)).frame.center().x();
    engine->setReorderEnabled(true);
    reconcile();
    const QList<QJsonObject> runs = runLines();
    ASSERT_GE(runs.size(), 2);
    const QJsonArray moves = runs.at(1).value(u"moves"_s).toArray();
    ASSERT_FALSE(moves.isEmpty());
    EXPECT_EQ(moves.first()[u"fromX"_s].toDouble(), from);
    EXPECT_LT(moves.first()[u"toX"_s].toDouble(), from);
}

INSTANTIATE_TEST_SUITE_P(Handover, DragBackTest, ::testing::Bool(), [](const auto &info) {
    return info.param ? "DuringTheRun" : "AfterTheSystemMovedIt";
});

} // namespace
} // namespace zorv::testing
