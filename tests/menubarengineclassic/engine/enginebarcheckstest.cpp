#include "enginetest.h"

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

struct IdleCase {
    const char *name;
    // Seconds before the wait starts that the user last pressed a key, and that `since` lies.
    double keyPressedAgo;
    std::optional<double> sinceAgo;
    double quiet;
    // Seconds the wait lasts.
    double waits;
};

class InputIdleTest : public EngineTest, public ::testing::WithParamInterface<IdleCase> {};

TEST_P(InputIdleTest, waitsUntilTheUserHasBeenQuietLongEnough) {
    const IdleCase &idle = GetParam();
    addLaptop();
    makeEngine();
    run(10.0 - idle.keyPressedAgo);
    desktop.userInput().pressKey(0);
    // Releases and modifier changes never count as activity.
    desktop.userInput().keyUp(0);
    run(idle.keyPressedAgo);
    std::optional<QDateTime> since;
    if (idle.sinceAgo) {
        since = clock.wallNow().addMSecs(qint64(-*idle.sinceAgo * 1000));
    }
    const MonotonicTime start = clock.now();
    drive(engine->waitForInputIdle(idle.quiet, since));
    EXPECT_NEAR(toSeconds(clock.now() - start), idle.waits, 0.02);
}

INSTANTIATE_TEST_SUITE_P(Waits, InputIdleTest,
                         ::testing::Values(IdleCase{"QuietLongEnough", 1.5, std::nullopt, 1.5, 0.0},
                                           IdleCase{"KeyJustPressed", 1.0, std::nullopt, 1.5, 0.5},
                                           IdleCase{"NothingSinceTheMark", 3.0, 2.0, 5.0, 0.0},
                                           IdleCase{"KeyAfterTheMark", 1.0, 2.0, 5.0, 4.0}),
                         [](const auto &info) { return info.param.name; });

TEST_F(EngineTest, aCompetingManagerIsRecognisedByItsBundlePrefix) {
    addLaptop();
    makeEngine();
    launch(u"com.example.surteesstudios.Bartender"_s);
    EXPECT_FALSE(engine->competingManagerRunning());
    launch(u"com.surteesstudios.Bartender-setapp"_s);
    EXPECT_TRUE(engine->competingManagerRunning());
}

} // namespace
} // namespace zorv::testing
