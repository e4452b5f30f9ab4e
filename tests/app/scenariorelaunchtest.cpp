#include "keptpositionsfile.h"
#include "scenariomac.h"
#include "storage/zorvpaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
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

INSTANTIATE_TEST_SUITE_P(ShippedScenarios, ScenarioRelaunchTest,
                         testing::Values("laptop", "crowded-returning"),
                         [](const testing::TestParamInfo<const char *> &info) {
                             QString name = QString::fromUtf8(info.param);
                             name.remove(u'-');
                             return name.toStdString();
                         });

} // namespace
} // namespace zorv
