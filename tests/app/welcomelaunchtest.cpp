#include "appwindow.h"
#include "desktopapp.h"
#include "manualclock.h"
#include "onboardingcontroller.h"
#include "scenariomac.h"
#include "settingswindowcontroller.h"
#include "settingswindowmodel.h"
#include "simulatedplatform.h"
#include "storage/zorvpaths.h"
#include "welcomewindowmodel.h"
#include "workerclockdriver.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The first launch on a fresh data folder shows the welcome tour on the simulated screen; finishing
// it with Open Menu Bar Layout opens Settings there, and the next launch shows no tour.
TEST(WelcomeLaunchTest, TheFirstLaunchShowsTheTourAndTheNextDoesNot) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    for (const bool first : {true, false}) {
        SCOPED_TRACE(first);
        ManualClock clock(QDateTime(QDate(2026, 12, 1), QTime(9, 0), QTimeZone::utc()));
        SimulatedPlatform platform(clock, oneItemMac(), false);
        DesktopApp app(platform, SimOptions());
        ASSERT_TRUE(app.start());
        WorkerClockDriver driver(clock);
        driver.run(seconds(2));
        // The offer to move into Applications comes first when it is due.
        if (app.mover() && app.mover()->window()) {
            app.mover()->dismiss();
            driver.drain();
        }
        if (!first) {
            EXPECT_EQ(app.onboarding(), nullptr);
            EXPECT_EQ(app.finish(), 0);
            continue;
        }
        ASSERT_NE(app.onboarding(), nullptr);
        ASSERT_NE(app.onboarding()->appWindow(), nullptr);
        EXPECT_TRUE(app.onboarding()->appWindow()->isVisible());
        EXPECT_EQ(app.onboarding()->window()->title(), u"Welcome to Zorv"_s);
        EXPECT_EQ(app.settingsWindow(), nullptr);
        const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
        ASSERT_TRUE(QDir().mkpath(folder));
        EXPECT_TRUE(app.screenPicture().save(folder + u"/screen-first-launch.png"_s));

        WelcomeWindowModel &tour = *app.onboarding()->model();
        tour.advance();
        tour.advance();
        tour.advance();
        driver.drain();
        EXPECT_EQ(app.onboarding()->window(), nullptr);
        EXPECT_TRUE(app.model()->settings().onboardingCompleted);
        ASSERT_NE(app.settingsWindow(), nullptr);
        EXPECT_TRUE(app.settingsWindow()->appWindow()->isVisible());
        // The Menu Bar Layout pane where this build has it; the pending pane is taken either way.
        const bool hasLayout =
            SettingsWindowController::builtInPanes().contains(SettingsPane::arrange);
        EXPECT_EQ(app.settingsWindow()->model()->pane(), hasLayout ? u"arrange"_s : u"general"_s);
        EXPECT_EQ(app.model()->pendingSettingsPane(), std::nullopt);
        EXPECT_EQ(app.finish(), 0);
        // The next launch reads what this one wrote at quit.
        app.waitForQuitWrites();
    }
}

} // namespace
} // namespace zorv
