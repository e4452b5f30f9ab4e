#include "desktopsnapshot.h"
#include "manualclock.h"
#include "scenario/scenarioloader.h"
#include "simulatedplatform.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The window and the dump say which application is in front even when it has no name of its own
// (it used to read as no application at all).
TEST(DesktopSnapshotTest, NamesTheFrontmostApplicationEvenWithoutAName) {
    const struct {
        QString application;
        QString shown;
    } cases[] = {
        {uR"("bundleId": "com.example.a", "name": "Alpha")"_s, u"Alpha"_s},
        {uR"("bundleId": "com.example.a")"_s, u"com.example.a"_s},
    };
    for (const auto &[application, shown] : cases) {
        ManualClock clock;
        const QString scenario = uR"({"name": "t",
                 "screens": [{"name": "A", "frame": {"x": 0, "y": 0, "width": 800, "height": 600}}],
                 "applications": [{%1, "activationPolicy": "regular", "frontmost": true}]})"_s.arg(
            application);
        SimulatedPlatform platform(clock, ScenarioLoader::parse(scenario.toUtf8(), u"t"_s), false);
        platform.start();
        clock.settle();
        EXPECT_EQ(DesktopSnapshot::take(platform.desktop()).frontmostApplication, shown);
    }
}

} // namespace
} // namespace zorv
