#include "enginetest.h"

#include <QCoroTask>

#include <QFile>
#include <QJsonArray>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

const QStringList kTwo{u"a"_s, u"b"_s};
const QStringList kTwoSwapped{u"b"_s, u"a"_s};
const QStringList kThree{u"a"_s, u"b"_s, u"c"_s};
const QStringList kThreeReversed{u"c"_s, u"b"_s, u"a"_s};
const QStringList kFive{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s};
const QStringList kFiveReversed{u"e"_s, u"d"_s, u"c"_s, u"b"_s, u"a"_s};

// Items of the tools application right of both separators, in a given order, the icon rightmost;
// reordering on, the user's cursor at kUserSpot.
class ReconcileTest : public EngineTest {
protected:
    void furnish(const QStringList &leftToRight, DragAcceptance acceptance = DragAcceptance::Always,
                 double itemLength = 30.0) {
        addLaptop();
        toolsProcess = launch(tools);
        for (const QString &name : leftToRight) {
            items.insert(name, addItem(toolsProcess, itemLength, name));
        }
        desktop.applications().setDragAcceptance(toolsProcess, acceptance);
        makeEngine();
        QList<quint64> bar;
        for (const QString &name : leftToRight) {
            bar.append(items.value(name));
        }
        arrangeAndStart(bar, 0, 0);
    }

    // The user arranges the shown section in this order.
    void want(const QStringList &shownOrder) {
        QList<MenuBarItemID> ids;
        for (const QString &name : shownOrder) {
            ids.append(idOf(name));
        }
        drive(engine->apply(layoutOf(ids, {}, {})));
    }

    void reconcile(const QString &trigger = u"user-move"_s) {
        drive(engine->reconcileMenuBar(trigger), 600.0);
    }

    // Moves virtual time on in small steps until `done` holds (at most a minute).
    void runUntil(const std::function<bool()> &done) {
        for (int step = 0; step < 6000 && !done(); ++step) {
            run(0.01);
        }
        ASSERT_TRUE(done());
    }

    // The tools items as they stand on the bar, left to right.
    [[nodiscard]] QStringList shownOrder() {
        QStringList names;
        for (quint64 id : barOrder()) {
            if (items.key(id).size() > 0) {
                names.append(items.key(id));
            }
        }
        return names;
    }

    [[nodiscard]] QStringList wantedOrder() const {
        QStringList names;
        for (const MenuBarItemID &id : engine->storedLayout().ids(Section::shown)) {
            names.append(id.axIdentifier.value_or(QString()));
        }
        return names;
    }

    // The end-of-run lines of the reconcile log.
    [[nodiscard]] QList<QJsonObject> runLines() const {
        QList<QJsonObject> runs = records(u"reconcile-log.jsonl"_s);
        runs.removeIf([](const QJsonObject &line) { return !line.contains(u"passes"_s); });
        return runs;
    }

    [[nodiscard]] QJsonObject lastRun() const { return readFile(u"last-reconcile.json"_s); }

    // Leaves a request for the test hook and lets the next scan take it.
    void request(const QByteArray &json, double seconds) {
        QFile file(folder.filePath(u"drag-test.json"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(json);
        file.close();
        drive(engine->refresh());
        run(seconds);
    }

    // Cursor sessions opened, each given back; the cursor is the user's again: shown, attached
    // and where it was before the runs.
    void expectSessionsGivenBack(qsizetype count) {
        EXPECT_EQ(records(u"events.jsonl"_s, u"cursor-borrowed"_s).size(), count);
        EXPECT_EQ(records(u"events.jsonl"_s, u"cursor-returned"_s).size(), count);
        const CursorState cursor = desktop.readout().cursor();
        EXPECT_EQ(cursor.hideCounts.values(), QList<int>(cursor.hideCounts.size(), 0));
        EXPECT_TRUE(cursor.mouseAssociated);
        EXPECT_EQ(cursor.location, kUserSpot);
        EXPECT_FALSE(engine->cursor().session().has_value());
    }

    QHash<QString, quint64> items;
};

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

} // namespace
} // namespace zorv::testing
