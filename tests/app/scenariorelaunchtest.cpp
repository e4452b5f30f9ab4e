#include "keptpositionsfile.h"
#include "scenariomac.h"
#include "storage/zorvpaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr int kRelaunches = 5;
constexpr double kMinutesPerRun = 5.0;

std::string storedLayoutFile() {
    QFile file(ZorvPaths::file(u"layout.json"_s));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// The scenario a run plays, by name: a shipped one, or the crowded laptop with a camera housing on
// which Zorv was used before, its items remembered with the separators in the part of the bar in
// view, written into `folder`.
QString scenarioFile(const QString &name, const QTemporaryDir &folder) {
    if (name != u"crowded-returning"_s) {
        return name;
    }
    QJsonObject scenario = shippedScenario(u"crowded-first-launch"_s);
    scenario.insert(u"zorvPositions"_s,
                    QJsonObject{{BarItems::zorvIconName, 0},
                                {BarItems::zorvHiddenSeparatorName, 300},
                                {BarItems::zorvAlwaysHiddenSeparatorName, 520}});
    const QString path = folder.filePath(u"crowded-returning.json"_s);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(scenario).toJson());
    return path;
}

// The items the layout took in, with why.
std::string adoptions() {
    std::string lines;
    for (const QJsonObject &line : reconcileLog()) {
        if (line.value(u"kind"_s) == u"adopt"_s) {
            lines += (line.value(u"item"_s).toString() + u": "_s +
                      line.value(u"reason"_s).toString() + u"\n"_s)
                         .toStdString();
        }
    }
    return lines;
}

// Zorv quit and launched again, over and over, on a Mac that keeps the status items' remembered
// positions between runs as every Mac does. What is remembered for the always-hidden separator at
// a quit while tucked counts the hidden separator's hiding length, which alone would bring it
// back at the left end; every launch must still find every item in its lane and leave the user's
// layout as it was.
class ScenarioRelaunchTest : public testing::TestWithParam<const char *> {};

TEST_P(ScenarioRelaunchTest, keepsEveryItemInItsLaneAndTheLayoutAsItWas) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    const QTemporaryDir folder;
    SimOptions options;
    options.scenario = scenarioFile(QString::fromUtf8(GetParam()), folder);
    options.positionsPath = folder.filePath(u"positions.json"_s);
    markWelcomeTourDone();

    std::string layoutAfterFirstRun;
    std::string adoptionsAfterFirstRun;
    for (int run = 0; run <= kRelaunches; ++run) {
        SCOPED_TRACE(run);
        SimulatedMac mac(DesktopApp::loadScenario(options), options);
        ASSERT_TRUE(mac.app.start());
        mac.run(kMinutesPerRun * 60.0);

        const SectionLayout &stored = mac.engine().storedLayout();
        const Lanes lanes = mac.lanes();
        for (auto lane = lanes.cbegin(); lane != lanes.cend(); ++lane) {
            for (const MenuBarItemID &id : *lane) {
                EXPECT_EQ(stored.sectionOf(id), lane.key()) << id.bundleID.toStdString();
            }
        }
        EXPECT_EQ(mac.app.finish(), 0);
        mac.app.waitForQuitWrites();
        mac.driver.drain();
        if (run == 0) {
            layoutAfterFirstRun = storedLayoutFile();
            adoptionsAfterFirstRun = adoptions();
            ASSERT_FALSE(layoutAfterFirstRun.empty());
        } else {
            EXPECT_EQ(storedLayoutFile(), layoutAfterFirstRun);
        }
        // Zorv's items were kept where they stood at the quit, the stretched separator included.
        EXPECT_EQ(KeptPositionsFile::read(options.positionsPath)
                      .value(SimulatedPlatform::bundleIdentifier)
                      .size(),
                  3);
    }
    // Only the first run took items into the layout, where the system had put them; no later
    // one gave up on an item's lane.
    EXPECT_EQ(adoptions(), adoptionsAfterFirstRun);
}

// The first run, without the Accessibility permission until 200 s, a relaunch for 100 s and one
// for 15 minutes, on one data folder and one Mac that keeps its status items' positions. An item
// that takes no drag comes up left of the separators at each relaunch, though the layout has it
// shown. The last launch arranges the rest in a few runs: no item is ordered round the one that
// stays out of its lane, and that one is not dragged again once two runs failed to move it. An
// item behind the camera housing while the first runs drag is ordered by a later run, once the
// bar lets a drag reach it.
TEST(ScenarioFirstRunRelaunches, costABoundedNumberOfRunsAndDrags) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    const QTemporaryDir folder;
    SimOptions options;
    options.positionsPath = folder.filePath(u"positions.json"_s);
    markWelcomeTourDone();
    QJsonObject scenario = shippedScenario(u"first-run"_s);
    const QJsonObject withGrant = [scenario]() mutable {
        QJsonArray events = scenario.value(u"events"_s).toArray();
        events.append(QJsonObject{{u"at"_s, 200},
                                  {u"do"_s, u"permission"_s},
                                  {u"permission"_s, u"accessibility"_s},
                                  {u"granted"_s, true}});
        scenario.insert(u"events"_s, events);
        scenario.insert(u"permissions"_s, QJsonObject{{u"accessibility"_s, false}});
        return scenario;
    }();
    const auto write = [&folder](const QString &name, const QJsonObject &contents) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(contents).toJson());
        return path;
    };
    const QString firstRun = write(u"first-run-granted.json"_s, withGrant);
    const QString relaunch = write(u"first-run-relaunch.json"_s, scenario);
    qsizetype linesBefore = 0;
    for (const auto &[path, seconds] :
         {std::pair(firstRun, 600.0), std::pair(relaunch, 100.0), std::pair(relaunch, 900.0)}) {
        linesBefore = reconcileLog().size();
        options.scenario = path;
        SimulatedMac mac(DesktopApp::loadScenario(options), options);
        ASSERT_TRUE(mac.app.start());
        mac.run(seconds);
        EXPECT_EQ(mac.app.finish(), 0);
        mac.app.waitForQuitWrites();
        mac.driver.drain();
    }
    int runs = 0;
    qsizetype drags = 0;
    for (const QJsonObject &line : reconcileLog().mid(linesBefore)) {
        if (line.contains(u"moves"_s)) {
            ++runs;
            drags += line.value(u"moves"_s).toArray().size();
        }
    }
    RecordProperty("runs", runs);
    RecordProperty("drags", int(drags));
    EXPECT_LE(runs, 8);
    EXPECT_LE(drags, 20);
}

INSTANTIATE_TEST_SUITE_P(ShippedScenarios, ScenarioRelaunchTest,
                         testing::Values("laptop", "crowded-returning"),
                         [](const testing::TestParamInfo<const char *> &info) {
                             QString name = QString::fromUtf8(info.param);
                             name.remove(u'-');
                             return name.toStdString();
                         });

} // namespace
} // namespace zorv
