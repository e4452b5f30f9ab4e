#include "scenariomac.h"
#include "storage/zorvpaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <functional>
#include <ostream>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// One line per lane, for messages a reader can follow.
std::string text(const Lanes &lanes) {
    QString out;
    for (const Section lane : allSections) {
        out += u'\n' + rawValue(lane) + u':';
        for (const MenuBarItemID &id : lanes.value(lane)) {
            out += u' ' + id.bundleID.section(u'.', -1) + u'#' + QString::number(id.ordinal);
        }
    }
    return out.toStdString();
}

// A fresh Zorv folder whose settings have the welcome tour done and Arrange on Live or On-Demand.
void storeSettings(bool liveLayout) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(ZorvPaths::root()));
    QFile file(ZorvPaths::file(u"settings.json"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(liveLayout ? R"({"onboardingCompleted": true, "liveLayout": true})"
                          : R"({"onboardingCompleted": true, "liveLayout": false})");
}

// The stored layout's lanes cut to the items on the bar, as the bar's lanes read.
Lanes storedOnBar(const SectionLayout &stored, const Lanes &bar) {
    Lanes result;
    for (const Section lane : allSections) {
        for (const MenuBarItemID &id : stored.ids(lane)) {
            if (std::any_of(bar.cbegin(), bar.cend(),
                            [&id](const QList<MenuBarItemID> &ids) { return ids.contains(id); })) {
                result[lane].append(id);
            }
        }
    }
    return result;
}

// The reconcile runs the log holds from line `from` on, by trigger, and those that stopped early.
struct Runs {
    QStringList triggers;
    QStringList aborted;
};

Runs runsSince(qsizetype from) {
    Runs runs;
    for (const QJsonObject &line : reconcileLog().mid(from)) {
        if (line.contains(u"passes"_s)) {
            runs.triggers.append(line.value(u"trigger"_s).toString());
        }
        if (line.contains(u"aborted"_s)) {
            runs.aborted.append(line.value(u"aborted"_s).toString());
        }
    }
    return runs;
}

const QString kRelaunched = u"com.google.drivefs"_s;
const QString kRelaunchedItem = u"drive"_s;
const QString kRightmost = u"com.1password.1password"_s;
const QString kRightmostItem = u"1password"_s;
constexpr double kQuitAt = 100.0;
constexpr double kLaunchAt = 110.0;

struct Relaunch {
    const char *name;
    bool live;
    // Once Google Drive is back, its item and the two right of it swallow every drag.
    bool refusesDrags;
    // The runs of the five minutes after the relaunch, by trigger.
    const char *runs;
    bool restored;

    friend void PrintTo(const Relaunch &relaunch, std::ostream *out) { *out << relaunch.name; }
};

// The laptop on which Google Drive quits and, launched again, finds its item remembered right of
// 1Password's, the last of its lane, where another setup of the bar left it.
class ScenarioLaneOrderTest : public ::testing::TestWithParam<Relaunch> {};

// An application put back elsewhere inside its lane on relaunch: with Arrange on Live the engine
// takes the item back to its stored place once the bar has settled, and gives up as on any drift
// when the item will not move; On-Demand leaves the bar alone until Sort My Bar. Either way the
// stored layout is what the user arranged.
TEST_P(ScenarioLaneOrderTest, anOrderChangedInsideALaneIsRestored) {
    const Relaunch &relaunch = GetParam();
    storeSettings(relaunch.live);
    QJsonArray events{
        QJsonObject{{u"at"_s, kQuitAt}, {u"do"_s, u"quit"_s}, {u"app"_s, kRelaunched}},
        QJsonObject{{u"at"_s, kLaunchAt}, {u"do"_s, u"launch"_s}, {u"app"_s, kRelaunched}}};
    if (relaunch.refusesDrags) {
        for (const QString &app : {kRelaunched, kRightmost, u"com.docker.docker"_s}) {
            events.append(QJsonObject{{u"at"_s, kLaunchAt + 1.0},
                                      {u"do"_s, u"setDrag"_s},
                                      {u"app"_s, app},
                                      {u"drag"_s, u"never"_s}});
        }
    }
    SimulatedMac mac(reachableLaptop(events));
    ASSERT_TRUE(mac.app.start());
    ASSERT_EQ(mac.app.model()->settings().liveLayout, relaunch.live);
    mac.run(kQuitAt - 5.0);
    const SectionLayout arranged = mac.engine().storedLayout();
    const Lanes before = mac.lanes();
    ASSERT_EQ(text(storedOnBar(arranged, before)), text(before));

    mac.run(7.0);
    BarItems &items = mac.platform.desktop().items();
    const ScenarioPlayer &player = mac.platform.scenario().player();
    const std::optional<qint32> rightmost = player.processId(kRightmost);
    ASSERT_TRUE(rightmost);
    items.rememberPositionsOf(*rightmost);
    const std::optional<double> distance = items.rememberedPosition(kRightmost, kRightmostItem);
    ASSERT_TRUE(distance);
    items.setRememberedPosition(kRelaunched, kRelaunchedItem, *distance);
    const qsizetype logFrom = reconcileLog().size();
    mac.run(kLaunchAt + 5.0 - toSeconds(mac.clock.now()));
    const std::string reordered = text(mac.lanes());
    ASSERT_NE(reordered, text(before));

    mac.run(300.0);
    EXPECT_EQ(text(mac.lanes()), relaunch.restored ? text(before) : reordered);
    EXPECT_EQ(runsSince(logFrom).triggers.join(u", "_s).toStdString(), relaunch.runs);
    EXPECT_EQ(mac.engine().storedLayout(), arranged);
    EXPECT_EQ(mac.app.model()->layoutStore().value(), arranged);
    if (!relaunch.live) {
        mac.app.model()->sortMyBar();
        mac.run(60.0);
        EXPECT_EQ(text(mac.lanes()), text(before));
        EXPECT_EQ(mac.engine().storedLayout(), arranged);
        EXPECT_EQ(runsSince(logFrom).triggers.join(u", "_s), u"sort-my-bar"_s);
    }
    EXPECT_EQ(mac.app.finish(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Arrange, ScenarioLaneOrderTest,
    ::testing::Values(Relaunch{"Live", true, false, "drift:com.google.drivefs", true},
                      Relaunch{"LiveButTheItemsRefuseDrags", true, true,
                               "drift:com.google.drivefs, drift:com.google.drivefs, "
                               "drift:com.google.drivefs",
                               false},
                      Relaunch{"OnDemand", false, false, "", false}),
    [](const auto &info) { return std::string(info.param.name); });

// What the user does once Sort My Bar's run has begun dragging, and how the sort ends.
struct MidSort {
    const char *name;
    std::function<void(AppModel &)> act;
    // The run went on to bring the bar into the order asked for.
    bool sorted;
    bool arrangingAfter;

    friend void PrintTo(const MidSort &midSort, std::ostream *out) { *out << midSort.name; }
};

class ScenarioSortTest : public ::testing::TestWithParam<MidSort> {};

// In On-Demand the user reverses the longest lane in the Layout pane, presses Sort My Bar and,
// once its run has begun dragging, acts again: only switching Arrange off stops the run; anything
// else leaves it to bring the bar into the order asked for. The stored layout stays the user's.
TEST_P(ScenarioSortTest, onlySwitchingArrangeOffStopsASortUnderWay) {
    storeSettings(false);
    SimulatedMac mac(reachableLaptop({}));
    ASSERT_TRUE(mac.app.start());
    AppModel &model = *mac.app.model();
    ASSERT_FALSE(model.settings().liveLayout);
    mac.run(70.0);
    const Lanes before = mac.lanes();
    const auto longest =
        std::max_element(before.cbegin(), before.cend(),
                         [](const auto &a, const auto &b) { return a.size() < b.size(); });
    ASSERT_GE(longest->size(), 4);
    const Section lane = longest.key();
    Lanes wanted = before;
    std::reverse(wanted[lane].begin(), wanted[lane].end());
    for (const MenuBarItemID &id : wanted.value(lane)) {
        model.move(id, lane);
    }
    mac.run(10.0);
    // On-Demand: the moves wait for the sort.
    ASSERT_EQ(text(storedOnBar(mac.engine().storedLayout(), before)), text(wanted));
    ASSERT_EQ(text(mac.lanes()), text(before));
    const SectionLayout arranged = mac.engine().storedLayout();

    const qsizetype logFrom = reconcileLog().size();
    model.sortMyBar();
    bool dragging = false;
    for (int step = 0; step < 300 && !dragging; ++step) {
        mac.driver.run(seconds(0.1));
        dragging = mac.engine().cursor().session().has_value();
    }
    ASSERT_TRUE(dragging) << "the sort never began dragging";
    GetParam().act(model);
    mac.run(180.0);

    const Runs runs = runsSince(logFrom);
    if (GetParam().sorted) {
        EXPECT_EQ(text(mac.lanes()), text(wanted));
        EXPECT_EQ(runs.aborted.join(u", "_s), QString());
    } else {
        EXPECT_NE(text(mac.lanes()), text(wanted));
        EXPECT_EQ(runs.aborted.join(u", "_s), u"reordering was switched off"_s);
    }
    EXPECT_EQ(mac.engine().storedLayout(), arranged);
    EXPECT_EQ(mac.engine().reorderEnabled(), GetParam().arrangingAfter);
    ASSERT_FALSE(runs.triggers.isEmpty());
    EXPECT_EQ(runs.triggers.count(u"sort-my-bar"_s), runs.triggers.size())
        << runs.triggers.join(u", "_s).toStdString();
    EXPECT_EQ(mac.app.finish(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScenarioSortTest,
    ::testing::Values(MidSort{"aSecondSortAndTheAutoHideSlider",
                              [](AppModel &model) {
                                  model.sortMyBar();
                                  model.setAutoRehide(33.0);
                              },
                              true, false},
                      MidSort{"ArrangeSwitchedToLive",
                              [](AppModel &model) { model.setLiveLayout(true); }, true, true},
                      MidSort{"ArrangeSwitchedToLiveAndOffAgain",
                              [](AppModel &model) {
                                  model.setLiveLayout(true);
                                  model.setLiveLayout(false);
                              },
                              false, false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
