#include "scenariomac.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// Applications app01, app02, ... launched in that order, one 22-point item each: app01 ends
// rightmost. Zorv's icon is remembered rightmost, its hidden separator `hiddenAt` points and its
// always-hidden one `alwaysAt` points from the right end. `screens` come first in the list; the
// front application's menus reach `menusWidth`.
QJsonObject laptop(int count, const QJsonArray &screens, double menusWidth, double hiddenAt,
                   double alwaysAt) {
    QJsonArray applications{QJsonObject{{u"bundleId"_s, u"com.example.front"_s},
                                        {u"name"_s, u"Front"_s},
                                        {u"activationPolicy"_s, u"regular"_s},
                                        {u"frontmost"_s, true},
                                        {u"menusWidth"_s, menusWidth}}};
    for (int i = 1; i <= count; ++i) {
        const QString name = u"app%1"_s.arg(i, 2, 10, QChar(u'0'));
        applications.append(QJsonObject{
            {u"bundleId"_s, u"com.example."_s + name},
            {u"name"_s, name},
            {u"items"_s,
             QJsonArray{QJsonObject{{u"autosaveName"_s, u"item"_s}, {u"length"_s, 22}}}}});
    }
    return {{u"name"_s, u"reach"_s},
            {u"start"_s, u"2026-12-01T09:00:00Z"_s},
            {u"screens"_s, screens},
            {u"applications"_s, applications},
            {u"zorvPositions"_s, QJsonObject{{BarItems::zorvIconName, 0},
                                             {BarItems::zorvHiddenSeparatorName, hiddenAt},
                                             {BarItems::zorvAlwaysHiddenSeparatorName, alwaysAt}}},
            {u"events"_s, QJsonArray{}}};
}

QJsonObject screen(int displayId, double x, double width, double housing) {
    return {{u"displayId"_s, displayId},
            {u"name"_s, u"Screen %1"_s.arg(displayId)},
            {u"frame"_s,
             QJsonObject{{u"x"_s, x}, {u"y"_s, 0}, {u"width"_s, width}, {u"height"_s, 982}}},
            {u"menuBarHeight"_s, housing > 0 ? 37 : 24},
            {u"cameraHousingWidth"_s, housing}};
}

MenuBarItemID app(int i) {
    return MenuBarItemID{u"com.example.app%1"_s.arg(i, 2, 10, QChar(u'0')), std::nullopt,
                         std::nullopt, 0};
}

// Left to right.
QList<MenuBarItemID> apps(std::initializer_list<int> numbers) {
    QList<MenuBarItemID> ids;
    for (const int i : numbers) {
        ids.append(app(i));
    }
    return ids;
}

QList<MenuBarItemID> appRange(int from, int to) {
    QList<MenuBarItemID> ids;
    for (int i = from; from <= to ? i <= to : i >= to; i += from <= to ? 1 : -1) {
        ids.append(app(i));
    }
    return ids;
}

// `scenario`, parsed once `wanted` is stored as the layout.
Scenario withLayoutStored(const QJsonObject &scenario, const SectionLayout &wanted) {
    storeLayout(wanted);
    return parsedScenario(scenario, u"reach"_s);
}

// A Mac on `scenario` with `wanted` stored as the layout and Zorv started.
class ReachScenario : public SimulatedMac {
public:
    ReachScenario(const QJsonObject &scenario, const SectionLayout &wanted)
        : SimulatedMac(withLayoutStored(scenario, wanted)) {
        EXPECT_TRUE(app.start());
    }
    ~ReachScenario() { EXPECT_EQ(app.finish(), 0); }
};

// Counts of the reconcile log: runs (by trigger prefix), drags, and retirements.
struct LogCounts {
    int runs = 0;
    int driftRuns = 0;
    int drags = 0;
    int retired = 0;
};

LogCounts counted(const QList<QJsonObject> &lines) {
    LogCounts counts;
    for (const QJsonObject &line : lines) {
        if (line.contains(u"moves"_s) || line.contains(u"aborted"_s)) {
            ++counts.runs;
            counts.driftRuns += line.value(u"trigger"_s).toString().startsWith(u"drift:"_s);
            counts.drags += int(line.value(u"moves"_s).toArray().size());
        }
        counts.retired += line.value(u"reason"_s).toString().startsWith(u"lane drag refused"_s);
    }
    return counts;
}

SectionLayout layoutOf(QList<MenuBarItemID> shown, QList<MenuBarItemID> hidden,
                       QList<MenuBarItemID> always) {
    return SectionLayout{{{Section::shown, std::move(shown)},
                          {Section::hidden, std::move(hidden)},
                          {Section::alwaysHidden, std::move(always)}}}
        .normalized();
}

// A notched 1512-point laptop with 40 items and long menus in front. Revealed, the hidden lane
// fits right of the camera housing; the always-hidden lane runs behind it, under the menus and
// past the screen's edge. The wanted layout swaps two shown items, two hidden ones, and in the
// always-hidden lane two it can reach, two behind the housing and two under the menus; it also
// wants one item under the menus shown. Over an hour the reachable part is arranged in a few
// runs, nothing is retired, and the stored layout stays the user's.
TEST(ScenarioReach, aCrowdedNotchedLaptopArrangesWhatCanBeReached) {
    // Shown: app06..app01; hidden: app12..app07; always-hidden: app40..app13 (left to right).
    QList<MenuBarItemID> always = appRange(40, 13);
    std::swap(always[25], always[26]); // app15, app14: reachable
    std::swap(always[19], always[20]); // app21, app20: behind the housing
    std::swap(always[9], always[10]);  // app31, app30: under the menus
    always.removeAll(app(35));
    const SectionLayout wanted =
        layoutOf(apps({35, 6, 5, 4, 3, 1, 2}), apps({12, 11, 10, 9, 7, 8}), always);
    ReachScenario mac(laptop(40, {screen(1, 0, 1512, 200)}, 500, 228, 456), wanted);
    mac.run(3600);

    const Lanes lanes = mac.lanes();
    EXPECT_EQ(lanes.value(Section::shown), apps({6, 5, 4, 3, 1, 2}));
    EXPECT_EQ(lanes.value(Section::hidden), apps({12, 11, 10, 9, 7, 8}));
    const QList<MenuBarItemID> alwaysLane = lanes.value(Section::alwaysHidden);
    EXPECT_LT(alwaysLane.indexOf(app(14)), alwaysLane.indexOf(app(15)));
    EXPECT_LT(alwaysLane.indexOf(app(31)), alwaysLane.indexOf(app(30))) << "under the menus";
    EXPECT_EQ(mac.engine().storedLayout(), wanted);
    EXPECT_EQ(mac.app.model()->layoutStore().value(), wanted);

    const LogCounts counts = counted(reconcileLog());
    RecordProperty("runs", counts.runs);
    RecordProperty("drags", counts.drags);
    EXPECT_LE(counts.runs, 4);
    EXPECT_EQ(counts.retired, 0);
    QStringList why;
    for (const QJsonValue &entry : mac.engine().lastReconcile().value(u"unreachable"_s).toArray()) {
        if (entry[u"name"_s] == u"app35"_s || entry[u"name"_s] == u"app20"_s) {
            why.append(entry[u"why"_s].toString());
        }
    }
    EXPECT_EQ(why, (QStringList{Reachability::underMenus, Reachability::underHousing}));
}

// app04 hangs after the first scans, and app02, right of it, quits: app03 now stands where app04
// was last read. The layout wants app04 hidden. Nothing is dragged for app04 while it hangs
// (app03 stays shown), and it says why it waits; once it answers it is dragged into the hidden
// lane and kept there.
TEST(ScenarioReach, aHungApplicationsItemIsLeftAloneUntilItAnswers) {
    QJsonObject scenario = laptop(8, {screen(1, 0, 1440, 0)}, 300, 190, 380);
    scenario.insert(u"events"_s, QJsonArray{QJsonObject{{u"at"_s, 6},
                                                        {u"do"_s, u"setHung"_s},
                                                        {u"app"_s, u"com.example.app04"_s},
                                                        {u"hung"_s, true}},
                                            QJsonObject{{u"at"_s, 8},
                                                        {u"do"_s, u"quit"_s},
                                                        {u"app"_s, u"com.example.app02"_s}},
                                            QJsonObject{{u"at"_s, 600},
                                                        {u"do"_s, u"setHung"_s},
                                                        {u"app"_s, u"com.example.app04"_s},
                                                        {u"hung"_s, false}}});
    // Shown: app05..app01; hidden: app08..app06.
    const SectionLayout wanted = layoutOf(apps({5, 3, 2, 1}), apps({8, 7, 6, 4}), {});
    ReachScenario mac(scenario, wanted);
    bool app03LeftShown = false;
    mac.run(590, [&] {
        app03LeftShown = app03LeftShown || !mac.lanes().value(Section::shown).contains(app(3));
    });
    EXPECT_FALSE(app03LeftShown);
    for (const MenuBarItem &item : mac.engine().lastItems()) {
        if (item.id == app(4)) {
            EXPECT_EQ(item.unplacedBecause, UnplacedReason{UnplacedReason::Obstacle::notAnswering});
        }
    }
    for (const QJsonObject &line : reconcileLog()) {
        for (const QJsonValue &move : line.value(u"moves"_s).toArray()) {
            EXPECT_FALSE(move[u"what"_s].toString().contains(u"app04"_s)) << "dragged while hung";
        }
    }
    mac.run(600);
    EXPECT_EQ(mac.lanes().value(Section::hidden), apps({8, 7, 6, 4}));
    EXPECT_EQ(mac.engine().storedLayout().ids(Section::hidden), wanted.ids(Section::hidden));
    EXPECT_EQ(counted(reconcileLog()).retired, 0);
}

// The items' bar is on a display left of the primary one (negative x): its order is brought
// about like any other.
TEST(ScenarioReach, aBarLeftOfThePrimaryDisplayIsArranged) {
    QJsonObject scenario =
        laptop(6, {screen(1, 0, 1920, 0), screen(2, -1440, 1440, 0)}, 300, 114, 228);
    scenario.insert(u"activeDisplay"_s, 2);
    // Shown: app03..app01; hidden: app06..app04.
    const SectionLayout wanted = layoutOf(apps({1, 2, 3}), apps({4, 5, 6}), {});
    ReachScenario mac(scenario, wanted);
    mac.run(600);
    EXPECT_EQ(mac.lanes().value(Section::shown), apps({1, 2, 3}));
    EXPECT_EQ(mac.lanes().value(Section::hidden), apps({4, 5, 6}));
}

// The menu bar hides automatically and the pointer never goes to the top edge: nothing on it can
// be reached, so nothing is dragged and the wanted order stays stored, waiting.
TEST(ScenarioReach, anAutomaticallyHiddenBarOutOfViewIsNotDragged) {
    QJsonObject laptopScreen = screen(1, 0, 1440, 0);
    laptopScreen.insert(u"autoHidesMenuBar"_s, true);
    // Shown: app03..app01; hidden: app06..app04.
    const SectionLayout wanted = layoutOf(apps({1, 2, 3}), apps({4, 5, 6}), {});
    ReachScenario mac(laptop(6, {laptopScreen}, 300, 114, 228), wanted);
    mac.run(1200);
    const LogCounts counts = counted(reconcileLog());
    EXPECT_EQ(counts.drags, 0);
    EXPECT_EQ(counts.retired, 0);
    EXPECT_EQ(mac.engine().storedLayout(), wanted);
}

// With 4-point spacing and 16-point items the item just left of the hidden separator stands 12
// points left of it, within the planner's tolerance: wanted shown, it starts no runs.
TEST(ScenarioReach, anItemWithinTheLaneToleranceStartsNoRuns) {
    QJsonObject scenario = laptop(6, {screen(1, 0, 1440, 0)}, 300, 60, 200);
    scenario.insert(u"preferences"_s, QJsonObject{{u"NSStatusItemSpacing"_s, 4}});
    QJsonArray applications = scenario.value(u"applications"_s).toArray();
    for (qsizetype i = 1; i < applications.size(); ++i) {
        QJsonObject application = applications.at(i).toObject();
        application.insert(
            u"items"_s, QJsonArray{QJsonObject{{u"autosaveName"_s, u"item"_s}, {u"length"_s, 16}}});
        applications.replace(i, application);
    }
    scenario.insert(u"applications"_s, applications);
    // Shown: app02, app01; app03 just left of the hidden separator.
    const SectionLayout wanted = layoutOf(apps({3, 2, 1}), apps({6, 5, 4}), {});
    ReachScenario mac(scenario, wanted);
    mac.run(3600);
    EXPECT_EQ(counted(reconcileLog()).driftRuns, 0);
    EXPECT_EQ(mac.engine().storedLayout(), wanted);
}

// Per item, which ways the runs of the reconcile log dragged it (1 right, -1 left), by label.
QHash<QString, QSet<int>> dragDirections(const QList<QJsonObject> &lines) {
    QHash<QString, QSet<int>> directions;
    for (const QJsonObject &line : lines) {
        for (const QJsonValue &move : line.value(u"moves"_s).toArray()) {
            const QString what = move[u"what"_s].toString();
            const QString item = what.section(DragPlan::laneArrow, 0, 0).section(u':', -1);
            directions[item].insert(move[u"toX"_s].toDouble() > move[u"fromX"_s].toDouble() ? 1
                                                                                            : -1);
        }
    }
    return directions;
}

// Whether any item the stored layout wants hidden is drawn on the bar where the user sees it.
bool wantedHiddenInView(SimulatedMac &mac) {
    const Lanes lanes =
        mac.lanes([](const BarEntry &entry, const MenuBarItem &) { return entry.visible; });
    for (const QList<MenuBarItemID> &lane : lanes) {
        for (const MenuBarItemID &id : lane) {
            if (mac.engine().storedLayout().sectionOf(id).value_or(Section::shown) !=
                Section::shown) {
                return true;
            }
        }
    }
    return false;
}

// The user's first arrangement on a crowded notched laptop whose hidden separator stands beside
// the camera housing: revealed, the separator and the hidden lane's right end lie behind the
// housing, so the slot the layout gives two shown items cannot be reached. They are dropped into
// the hidden lane where it can be reached, the run settles only then, and for the rest of the hour
// no item the user wants hidden is in view.
TEST(ScenarioReach, aSeparatorBesideTheHousingStillTakesItemsIntoItsLane) {
    // Shown: app16..app01; hidden: app30..app17 (app17..app21 behind the housing once revealed);
    // always-hidden: app40..app31.
    QList<MenuBarItemID> shown = appRange(16, 1);
    shown.removeAll(app(15));
    shown.removeAll(app(13));
    const SectionLayout wanted =
        layoutOf(shown, appRange(30, 17) + apps({15, 13}), appRange(40, 31));
    ReachScenario mac(laptop(40, {screen(1, 0, 1512, 200)}, 500, 620, 1200), wanted);
    mac.run(120);
    const Lanes lanes = mac.lanes();
    EXPECT_EQ(lanes.value(Section::shown), shown);
    EXPECT_TRUE(lanes.value(Section::hidden).contains(app(15)));
    EXPECT_TRUE(lanes.value(Section::hidden).contains(app(13)));
    for (const QJsonObject &line : reconcileLog()) {
        EXPECT_FALSE(line.value(u"settled"_s).toBool() && line == reconcileLog().first() &&
                     line.value(u"moves"_s).toArray().isEmpty())
            << "settled without a drag";
    }
    EXPECT_TRUE(mac.engine().lastReconcile().value(u"settled"_s).toBool());
    bool inView = false;
    mac.run(3480, [&] { inView = inView || wantedHiddenInView(mac); });
    EXPECT_FALSE(inView);
    EXPECT_EQ(mac.lanes().value(Section::shown), shown);
    EXPECT_EQ(mac.engine().storedLayout(), wanted);
    const LogCounts counts = counted(reconcileLog());
    RecordProperty("runs", counts.runs);
    RecordProperty("drags", counts.drags);
    EXPECT_LE(counts.runs, 3);
    EXPECT_EQ(counts.retired, 0);
}

// The same bar with the front application's menus reaching the housing: no part of the hidden
// lane can be reached once revealed, so the two items stay shown. The runs drag nothing, are not
// settled, and name the items with the reason; the layout keeps the user's lanes, and the items
// tell the model why they wait.
TEST(ScenarioReach, itemsWhoseLaneIsOutOfReachAreNamed) {
    QList<MenuBarItemID> shown = appRange(16, 1);
    shown.removeAll(app(15));
    shown.removeAll(app(13));
    const SectionLayout wanted =
        layoutOf(shown, appRange(30, 17) + apps({15, 13}), appRange(40, 31));
    ReachScenario mac(laptop(40, {screen(1, 0, 1512, 200)}, 700, 620, 1200), wanted);
    mac.run(600);
    EXPECT_TRUE(mac.lanes().value(Section::shown).contains(app(15)));
    const LogCounts counts = counted(reconcileLog());
    EXPECT_EQ(counts.drags, 0);
    EXPECT_LE(counts.runs, 3);
    EXPECT_EQ(counts.retired, 0);
    EXPECT_FALSE(mac.engine().lastReconcile().value(u"settled"_s).toBool());
    QStringList why;
    for (const QJsonValue &entry : mac.engine().lastReconcile().value(u"unreachable"_s).toArray()) {
        if (entry[u"name"_s] == u"app15"_s || entry[u"name"_s] == u"app13"_s) {
            why.append(entry[u"name"_s].toString() + u": "_s + entry[u"why"_s].toString());
        }
    }
    why.sort();
    EXPECT_EQ(why, (QStringList{u"app13: "_s + Reachability::laneOutOfReach,
                                u"app15: "_s + Reachability::laneOutOfReach}));
    EXPECT_EQ(mac.engine().storedLayout(), wanted);
    EXPECT_EQ(mac.app.model()->layoutStore().value(), wanted);
    for (const MenuBarItem &item : mac.app.model()->items()) {
        if (item.id == app(13) || item.id == app(15)) {
            EXPECT_EQ(item.unplacedBecause,
                      (UnplacedReason{UnplacedReason::Obstacle::menus, true}));
        }
    }
}

// On the same laptop with the hidden separator left of the camera housing, app21..app17 stand
// behind the housing in the shown lane. The layout wants app16 left of them (an order among
// items out of reach), app19 hidden (across the separator, out of reach) and two reachable shown
// items swapped. The reachable items are arranged among themselves; nothing is dragged round the
// items out of reach, those are left where they are and named, and no item is dragged one way
// and then back over the hour. The layout keeps app19 hidden, where the user put it.
TEST(ScenarioReach, itemsThatCannotCrossTheSeparatorMoveNoOneElse) {
    // Shown: app23..app01 (app21..app17 behind the housing); hidden: app32..app24;
    // always-hidden: app40..app33.
    const QList<MenuBarItemID> shown = apps({23, 22, 16, 21, 20, 18, 17, 14, 15}) + appRange(13, 1);
    const SectionLayout wanted = layoutOf(shown, appRange(32, 24) + apps({19}), appRange(40, 33));
    ReachScenario mac(laptop(40, {screen(1, 0, 1512, 200)}, 500, 880, 1220), wanted);
    mac.run(3600);

    const Lanes lanes = mac.lanes();
    EXPECT_EQ(lanes.value(Section::shown),
              apps({23, 22, 21, 20, 19, 18, 17, 16, 14, 15}) + appRange(13, 1));
    EXPECT_EQ(mac.engine().storedLayout(), wanted);
    EXPECT_EQ(mac.app.model()->layoutStore().value(), wanted);

    const QList<QJsonObject> log = reconcileLog();
    for (auto [item, ways] : dragDirections(log).asKeyValueRange()) {
        EXPECT_EQ(ways.size(), 1) << item.toStdString() << " dragged both ways";
    }
    const LogCounts counts = counted(log);
    RecordProperty("runs", counts.runs);
    RecordProperty("drags", counts.drags);
    EXPECT_LE(counts.runs, 3);
    EXPECT_LE(counts.drags, 4);
    EXPECT_EQ(counts.retired, 0);
    QStringList why;
    for (const QJsonValue &entry : mac.engine().lastReconcile().value(u"unreachable"_s).toArray()) {
        if (entry[u"name"_s] == u"app16"_s || entry[u"name"_s] == u"app19"_s) {
            why.append(entry[u"name"_s].toString() + u": "_s + entry[u"why"_s].toString());
        }
    }
    EXPECT_EQ(why, (QStringList{u"app19: "_s + Reachability::underHousing}));
}

} // namespace
} // namespace zorv
