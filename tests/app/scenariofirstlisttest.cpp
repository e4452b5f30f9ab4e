#include "scenariomac.h"
#include "storage/zorvpaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

struct FirstListCase {
    const char *name;
    const char *scenario;
    // Launched a second time on the same data and on a Mac that kept where Zorv's items stood.
    bool relaunch;

    friend void PrintTo(const FirstListCase &c, std::ostream *out) { *out << c.name; }
};

// Runs on until the model holds the items of its first list, for at most `limit` simulated
// seconds: whether it came.
bool firstListWithin(SimulatedMac &mac, double limit) {
    for (double at = 0.0; at < limit; at += 0.1) {
        if (!mac.app.model()->items().isEmpty()) {
            return true;
        }
        mac.driver.run(seconds(0.1));
    }
    return !mac.app.model()->items().isEmpty();
}

class ScenarioFirstListTest : public testing::TestWithParam<FirstListCase> {};

// Zorv's hot keys, search and secondary bar work from the model's items: on every Mac the first
// list reaches the model within seconds of the launch, not with the first poll half a minute on.
TEST_P(ScenarioFirstListTest, reachesTheModelWithinFourSecondsOfTheLaunch) {
    const FirstListCase &c = GetParam();
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    markWelcomeTourDone();
    const QTemporaryDir folder;
    SimOptions options;
    options.scenario = QString::fromUtf8(c.scenario);
    options.positionsPath = folder.filePath(u"positions.json"_s);
    if (c.relaunch) {
        SimulatedMac first(DesktopApp::loadScenario(options), options);
        ASSERT_TRUE(first.app.start());
        first.run(60.0);
        EXPECT_EQ(first.app.finish(), 0);
        first.app.waitForQuitWrites();
        first.driver.drain();
    }
    SimulatedMac mac(DesktopApp::loadScenario(options), options);
    ASSERT_TRUE(mac.app.start());
    EXPECT_TRUE(firstListWithin(mac, 4.0)) << "no item list reached the model within 4 s";
}

INSTANTIATE_TEST_SUITE_P(
    Macs, ScenarioFirstListTest,
    testing::Values(FirstListCase{"Laptop", "laptop", false},
                    FirstListCase{"LaptopRelaunched", "laptop", true},
                    FirstListCase{"DualDisplays", "dual-displays", false},
                    FirstListCase{"DualDisplaysRelaunched", "dual-displays", true},
                    FirstListCase{"CrowdedBar", "crowded-bar", false},
                    FirstListCase{"CrowdedBarRelaunched", "crowded-bar", true},
                    FirstListCase{"FirstRun", "first-run", false},
                    FirstListCase{"FirstRunRelaunched", "first-run", true},
                    FirstListCase{"CrowdedFirstLaunch", "crowded-first-launch", false},
                    FirstListCase{"CrowdedFirstLaunchRelaunched", "crowded-first-launch", true},
                    FirstListCase{"OnTheGo", "on-the-go", false},
                    FirstListCase{"OnTheGoRelaunched", "on-the-go", true}),
    [](const auto &info) { return info.param.name; });

} // namespace
} // namespace zorv
