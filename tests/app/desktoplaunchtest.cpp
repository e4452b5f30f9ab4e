#include "desktopapp.h"
#include "desktopdump.h"
#include "manualclock.h"
#include "move/moveoffer.h"
#include "scenario/scenarioloader.h"
#include "scenariomac.h"
#include "settingswindowmodel.h"
#include "simulatedplatform.h"
#include "storage/zorvpaths.h"
#include "updatescardmodel.h"
#include "workerclockdriver.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// A small Mac whose bundle lies where `bundle` says, with an update feed in a file beside the
// scenario that offers build 99 ("9.9").
Scenario launchScenario(const QTemporaryDir &folder, const QString &bundle) {
    QFile feed(folder.filePath(u"appcast.xml"_s));
    EXPECT_TRUE(feed.open(QIODevice::WriteOnly));
    feed.write("<rss version=\"2.0\" xmlns:u=\"urn:u\"><channel><item><u:version>99</u:version>"
               "<u:shortVersionString>9.9</u:shortVersionString></item></channel></rss>");
    feed.close();
    QFile file(folder.filePath(u"mac.json"_s));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((uR"({"name": "launch", "start": "2026-12-01T09:00:00Z",
        "screens": [{"name": "Screen", "frame": {"x": 0, "y": 0, "width": 1000, "height": 700}}],
        "bundle": )"_s +
                bundle + uR"(, "updates": {"feed": "appcast.xml"}})"_s)
                   .toUtf8());
    file.close();
    return ScenarioLoader::load(file.fileName());
}

TEST(DesktopLaunchTest, ADownloadedCopyIsOfferedTheMoveAndNeverChecksForUpdates) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    const QTemporaryDir folder;
    ManualClock clock(QDateTime(QDate(2026, 12, 1), QTime(9, 0), QTimeZone::utc()));
    SimulatedPlatform platform(
        clock,
        launchScenario(folder,
                       uR"({"path": "/Users/user/Downloads/Zorv.app", "translocated": true})"_s),
        false);
    DesktopApp app(platform, SimOptions());
    ASSERT_TRUE(app.start());
    WorkerClockDriver driver(clock);
    driver.run(seconds(10));

    ASSERT_TRUE(app.mover() && app.mover()->window());
    EXPECT_TRUE(app.mover()->window()->isVisible());
    const auto *offer = app.mover()->window()->findChild<MoveOffer *>();
    ASSERT_TRUE(offer);
    EXPECT_TRUE(offer->message().startsWith(u"Zorv is running from your Downloads folder."_s));
    EXPECT_FALSE(app.model()->updateStatus().canUpdate);
    EXPECT_EQ(platform.updater().checksStarted(), 0);
}

TEST(DesktopLaunchTest, AnInstalledCopyChecksTheScenariosFeedAfterLaunch) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    const QTemporaryDir folder;
    ManualClock clock(QDateTime(QDate(2026, 12, 1), QTime(9, 0), QTimeZone::utc()));
    SimulatedPlatform platform(
        clock, launchScenario(folder, uR"({"path": "/Applications/Zorv.app"})"_s), false);
    DesktopApp app(platform, SimOptions());
    ASSERT_TRUE(app.start());
    WorkerClockDriver driver(clock);
    driver.run(seconds(5));

    EXPECT_FALSE(app.mover());
    EXPECT_EQ(platform.updater().checksStarted(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !platform.updater().isChecking(); }, 5000));
    const UpdateStatus &status = app.model()->updateStatus();
    EXPECT_TRUE(status.canUpdate);
    EXPECT_EQ(status.availability, UpdateAvailability::available(u"9.9"_s));
    EXPECT_FALSE(status.failed);
}

// Settings open on a pane, an update found and installed from the status menu's row and the
// About pane's card: the new build opens Settings on the pane that was open.
TEST(DesktopLaunchTest, AnUpdateRelaunchReopensTheSettingsPaneThatWasOpen) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    markWelcomeTourDone();
    const QTemporaryDir folder;
    const Scenario installed = launchScenario(folder, uR"({"path": "/Applications/Zorv.app"})"_s);
    {
        ManualClock clock(QDateTime(QDate(2026, 12, 1), QTime(9, 0), QTimeZone::utc()));
        SimulatedPlatform platform(clock, installed, false);
        DesktopApp app(platform, SimOptions());
        ASSERT_TRUE(app.start());
        WorkerClockDriver driver(clock);
        driver.run(seconds(5));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !platform.updater().isChecking(); }, 5000));
        driver.drain();

        app.shell()->statusItem().popUpMenu();
        ASSERT_TRUE(platform.desktop().menus().userChooses(u"Version 9.9 Available"_s));
        driver.drain();
        ASSERT_NE(app.settingsWindow(), nullptr);
        EXPECT_EQ(app.settingsWindow()->model()->pane(), u"about"_s);
        QObject *pane = app.settingsWindow()->window()->property("paneItem").value<QObject *>();
        ASSERT_NE(pane, nullptr);
        auto *card = pane->findChild<UpdatesCardModel *>();
        ASSERT_NE(card, nullptr);
        ASSERT_TRUE(card->offered());
        card->install();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return platform.updater().offeredUpdate().has_value(); }, 5000));
        // While the updater's window offers it, the user goes to another pane, then installs.
        app.openSettings(SettingsPane::spacing);
        driver.drain();
        ASSERT_EQ(app.settingsWindow()->model()->pane(), u"spacing"_s);
        platform.updater().userInstallsUpdate();
        EXPECT_EQ(app.finish(), 0);
        app.waitForQuitWrites();
    }

    ManualClock clock(QDateTime(QDate(2026, 12, 1), QTime(9, 2), QTimeZone::utc()));
    SimulatedPlatform platform(clock, installed, false);
    DesktopApp app(platform, SimOptions());
    ASSERT_TRUE(app.start());
    WorkerClockDriver(clock).run(seconds(2));
    ASSERT_NE(app.settingsWindow(), nullptr) << "the relaunch opens Settings";
    EXPECT_TRUE(app.settingsWindow()->appWindow()->isVisible());
    EXPECT_EQ(app.settingsWindow()->model()->pane(), u"spacing"_s);
    EXPECT_FALSE(QFile::exists(ZorvPaths::file(u"update-settings-return.json"_s)));
    EXPECT_EQ(app.finish(), 0);
}

// With ZORV_UPDATE_TEST_FEED set, the copy only shows the about panel and checks the feed with
// the updater's window: Zorv puts nothing in the bar and hides none of the user's items.
TEST(DesktopLaunchTest, UpdateTestModeChecksTheFeedAndLeavesTheBarAlone) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    const QTemporaryDir folder;
    (void)launchScenario(folder, uR"({"path": "/Applications/Zorv.app"})"_s);
    const QString feed = folder.filePath(u"appcast.xml"_s);
    ASSERT_TRUE(qputenv("ZORV_UPDATE_TEST_FEED", feed.toUtf8()));
    const auto unset = qScopeGuard([] { qunsetenv("ZORV_UPDATE_TEST_FEED"); });
    ManualClock clock(QDateTime(QDate(2026, 12, 1), QTime(9, 0), QTimeZone::utc()));
    SimulatedPlatform platform(clock, oneItemMac(), false);
    SimOptions options;
    options.launchArguments = {u"--show-about"_s};
    DesktopApp app(platform, options);
    ASSERT_TRUE(app.start());
    WorkerClockDriver driver(clock);
    driver.run(seconds(5));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return platform.updater().offeredUpdate().has_value(); }, 5000));

    EXPECT_EQ(app.engine(), nullptr);
    EXPECT_EQ(app.model(), nullptr);
    EXPECT_TRUE(platform.systemLog().lines().contains(u"Zorv update test: checking "_s + feed));
    EXPECT_EQ(platform.updater().checksStarted(), 1);
    ASSERT_NE(app.about().window(), nullptr);
    EXPECT_TRUE(app.about().window()->isVisible());
    driver.run(seconds(30));
    const QJsonArray items =
        DesktopDump::toJson(platform, app.engine(), app.model())[u"screens"_s][0][u"items"_s]
            .toArray();
    QStringList bar;
    for (const QJsonValue &item : items) {
        bar.append(item[u"bundleId"_s].toString() +
                   (item[u"onScreen"_s].toBool() ? u""_s : u" (hidden)"_s));
    }
    EXPECT_TRUE(bar.contains(u"com.example.a"_s)) << bar.join(u", "_s).toStdString();
    EXPECT_FALSE(bar.contains(u"app.zorv.Zorv"_s)) << bar.join(u", "_s).toStdString();
    EXPECT_FALSE(bar.contains(u"app.zorv.Zorv (hidden)"_s));
    EXPECT_EQ(app.finish(), 0);
}

} // namespace
} // namespace zorv
