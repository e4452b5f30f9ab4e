#include "aboutpanemodel.h"
#include "appinput.h"
#include "desktopdump.h"
#include "scenariomac.h"
#include "settingswindowcontroller.h"
#include "settingswindowmodel.h"
#include "storage/zorvpaths.h"
#include "updates/updaterwindowcontent.h"
#include "windows/titlebar.h"
#include "windows/windowrecord.h"
#include "workerclockdriver.h"
#include "zorvlaunches.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QQuickItem>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// A run of ten minutes that saves pictures and ends with a dump.
SimOptions tenMinutesDumped(const QTemporaryDir &folder) {
    SimOptions options;
    options.runFor = seconds(600);
    options.dumpPath = folder.filePath(u"dump.json"_s);
    options.screenshotFolder = folder.filePath(u"shots"_s);
    return options;
}

// Zorv on the laptop across the relaunch an installed update makes, driven through the simulated
// Mac's mouse and keyboard.
class UpdateInstallAppTest : public ::testing::Test {
protected:
    UpdateInstallAppTest()
        : scenario(laptopOfferingAnUpdate(folder.path())), clock(*scenario.start),
          platform(clock, scenario, false), launches(platform, tenMinutesDumped(folder)),
          driver(clock) {}

    SimulatedDesktop &mac() { return platform.desktop(); }
    [[nodiscard]] QString frontApplication() {
        const auto front = mac().applications().frontmostProcessId();
        const auto record = front ? mac().applications().application(*front) : std::nullopt;
        return record ? record->localizedName.value_or(QString()) : QString();
    }
    DesktopApp &app() { return *launches.app(); }

    void click(QPointF at) {
        mac().userInput().moveMouse(at);
        mac().userInput().click(at, MouseButton::Left);
        driver.drain();
    }
    void press(quint16 keyCode) {
        mac().userInput().pressKeyHolding(keyCode, EventFlags::none);
        driver.drain();
    }
    void clickControl(QQuickWindow *window, const QString &name) {
        const std::optional<QPointF> at = pointOf(mac(), window, name);
        ASSERT_TRUE(at) << name.toStdString();
        click(*at);
    }
    // Zorv has not been replaced: it runs at the version it was launched at, launched once.
    void expectStillTheFirstCopy(const QString &version) {
        driver.drain();
        EXPECT_EQ(launches.launches(), 1);
        EXPECT_EQ(mac().systemFacts().bundleInfoString(u"CFBundleShortVersionString"_s),
                  std::optional<QString>(version));
        EXPECT_FALSE(platform.updater().takeInstalledUpdate());
    }
    // Waits for the updater to read the feed.
    void finishCheck() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !platform.updater().isChecking(); }, 5000));
        driver.drain();
    }
    // The update framework's window on screen, with the keyboard; null (a failure added) without.
    QQuickWindow *updateWindow() {
        QQuickWindow *window = app().updaterWindows().window();
        if (!window || !serverOf(mac(), window) || !serverOf(mac(), window)->isVisible()) {
            ADD_FAILURE() << "the update window is not shown";
            return nullptr;
        }
        EXPECT_TRUE(serverOf(mac(), window)->isKeyWindow());
        return window;
    }
    [[nodiscard]] QStringList windowTitles() {
        QStringList titles;
        const QJsonArray windows = DesktopDump::toJson(platform, app().engine(), app().model())
                                       .value(u"windows"_s)
                                       .toArray();
        for (const QJsonValue &window : windows) {
            if (window[u"visible"_s].toBool()) {
                titles.append(window[u"title"_s].toString());
            }
        }
        return titles;
    }

    const QTemporaryDir folder;
    const Scenario scenario;
    ManualClock clock;
    SimulatedPlatform platform;
    ZorvLaunches launches;
    WorkerClockDriver driver;
};

TEST_F(UpdateInstallAppTest, InstallingRelaunchesZorvAtTheNewVersionOnTheSamePane) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    markWelcomeTourDone();
    const QString current =
        platform.desktop().systemFacts().bundleInfoString(u"CFBundleShortVersionString"_s).value();
    const MonotonicTime started = clock.now();
    ASSERT_TRUE(launches.start());
    driver.run(seconds(5));
    ASSERT_NO_FATAL_FAILURE(finishCheck());

    // The status menu's row opens Settings on About, whose card offers the install.
    click(zorvIconCentre(app(), platform));
    const std::optional<QPointF> row =
        statusMenuRowCentre(mac().menus(), u"Version 1.2 Available"_s);
    ASSERT_TRUE(row);
    click(*row);
    ASSERT_NE(app().settingsWindow(), nullptr);
    QQuickWindow *settings = app().settingsWindow()->window();
    ASSERT_EQ(app().settingsWindow()->model()->pane(), u"about"_s);
    ASSERT_NO_FATAL_FAILURE(clickControl(settings, u"install"_s));
    ASSERT_NO_FATAL_FAILURE(finishCheck());
    QQuickWindow *window = updateWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(windowTitles().value(0), u"Software Update"_s);
    EXPECT_EQ(app().updaterWindows().appWindow()->style().titled, true);
    const auto *content = window->findChild<UpdaterWindowContent *>();
    ASSERT_NE(content, nullptr);
    EXPECT_EQ(content->headline(), u"A new version of Zorv is available!"_s);
    EXPECT_EQ(content->message(), u"Zorv v1.2 is now available—you have v%1. Would you like to "
                                  u"download it now?"_s.arg(current));
    EXPECT_EQ(content->releaseNotes(), u"• Faster search"_s);

    // A click on the desktop leaves it open; its Remind Me Later button closes it.
    click(QPointF(40, 600));
    EXPECT_TRUE(serverOf(mac(), window)->isVisible());
    EXPECT_TRUE(platform.updater().sessionInProgress());
    ASSERT_NO_FATAL_FAILURE(clickControl(window, u"updateRemindLater"_s));
    EXPECT_EQ(app().updaterWindows().window(), nullptr);
    EXPECT_FALSE(windowTitles().contains(u"Software Update"_s));
    EXPECT_FALSE(platform.updater().sessionInProgress());
    ASSERT_NO_FATAL_FAILURE(expectStillTheFirstCopy(current));

    // Install again: Escape reminds later; at last Return installs.
    ASSERT_NO_FATAL_FAILURE(clickControl(settings, u"install"_s));
    ASSERT_NO_FATAL_FAILURE(finishCheck());
    ASSERT_NE(updateWindow(), nullptr);
    press(KeyCode::escape);
    EXPECT_EQ(app().updaterWindows().window(), nullptr);
    ASSERT_NO_FATAL_FAILURE(expectStillTheFirstCopy(current));
    // The close button reminds later too.
    ASSERT_NO_FATAL_FAILURE(clickControl(settings, u"install"_s));
    ASSERT_NO_FATAL_FAILURE(finishCheck());
    window = updateWindow();
    ASSERT_NE(window, nullptr);
    const WindowRecord &record = serverOf(mac(), window)->record();
    click(TitleBar::rect(record)->topLeft() + TitleBar::buttons(record.style)[0].rect.center());
    EXPECT_EQ(app().updaterWindows().window(), nullptr);
    EXPECT_TRUE(platform.updater().canCheckForUpdates());
    ASSERT_NO_FATAL_FAILURE(clickControl(settings, u"install"_s));
    ASSERT_NO_FATAL_FAILURE(finishCheck());
    ASSERT_NE(updateWindow(), nullptr);
    press(KeyCode::returnKey);
    ASSERT_TRUE(QTest::qWaitFor([&] { return launches.launches() == 2; }, 5000));
    driver.run(seconds(5));
    ASSERT_NO_FATAL_FAILURE(finishCheck());

    // Zorv runs again at 1.2, on the About pane, which reads up to date.
    ASSERT_NE(launches.app(), nullptr);
    EXPECT_EQ(platform.desktop().systemFacts().bundleInfoString(u"CFBundleShortVersionString"_s),
              std::optional<QString>(u"1.2"_s));
    EXPECT_EQ(platform.desktop().systemFacts().bundleInfoString(u"CFBundleVersion"_s),
              std::optional<QString>(u"12"_s));
    ASSERT_NE(app().settingsWindow(), nullptr);
    EXPECT_TRUE(app().settingsWindow()->appWindow()->isVisible());
    EXPECT_EQ(app().settingsWindow()->model()->pane(), u"about"_s);
    QObject *pane = app().settingsWindow()->window()->property("paneItem").value<QObject *>();
    ASSERT_NE(pane, nullptr);
    const auto *about = pane->findChild<AboutPaneModel *>();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->kicker(), u"Zorv v1.2"_s);
    EXPECT_FALSE(QFile::exists(ZorvPaths::file(u"update-settings-return.json"_s)));
    EXPECT_EQ(app().model()->updateStatus().availability, UpdateAvailability::upToDate());
    EXPECT_EQ(app().updaterWindows().window(), nullptr) << "a quiet check shows no window";
    EXPECT_EQ(frontApplication(), u"Zorv"_s);

    // The relaunched copy's pictures follow the first copy's.
    const QStringList pictures =
        QDir(folder.filePath(u"shots"_s)).entryList({u"layout-*.png"_s}, QDir::Files);
    EXPECT_GT(pictures.size(), 1);
    EXPECT_EQ(pictures.size(), app().layoutPicturesSaved());

    // The run limit counts on from the first launch, and the dump is the relaunched copy's.
    ASSERT_TRUE(QFile::remove(folder.filePath(u"dump.json"_s)));
    QSignalSpy finished(&launches, &ZorvLaunches::finished);
    driver.run(started + seconds(599) - clock.now());
    EXPECT_EQ(finished.size(), 0);
    driver.run(seconds(2));
    EXPECT_EQ(finished.size(), 1);
    EXPECT_TRUE(QFile::exists(folder.filePath(u"dump.json"_s)));
}

// Update-test mode exists to show the updater's window: Install Update there relaunches the copy at
// the new build, whose check then ends in the up-to-date alert.
TEST(UpdateTestModeAppTest, ShowsTheUpdateWindowAndRelaunchesAfterTheInstall) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    const QTemporaryDir folder;
    (void)laptopOfferingAnUpdate(folder.path());
    ASSERT_TRUE(qputenv("ZORV_UPDATE_TEST_FEED", folder.filePath(u"appcast.xml"_s).toUtf8()));
    const auto unset = qScopeGuard([] { qunsetenv("ZORV_UPDATE_TEST_FEED"); });
    ManualClock clock(QDateTime(QDate(2026, 12, 1), QTime(9, 0), QTimeZone::utc()));
    SimulatedPlatform platform(clock, oneItemMac(), false);
    ZorvLaunches launches(platform, SimOptions{});
    ASSERT_TRUE(launches.start());
    WorkerClockDriver driver(clock);
    const auto shownWindow = [&]() -> UpdaterWindowContent * {
        driver.run(seconds(2));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !platform.updater().isChecking(); }, 5000));
        driver.drain();
        QQuickWindow *window = launches.app()->updaterWindows().window();
        if (!window) {
            return nullptr;
        }
        EXPECT_TRUE(serverOf(platform.desktop(), window)->isKeyWindow());
        return window->findChild<UpdaterWindowContent *>();
    };

    const UpdaterWindowContent *offer = shownWindow();
    ASSERT_NE(offer, nullptr);
    EXPECT_TRUE(offer->offersUpdate());
    // Hiding the application takes the window away until it is shown again, with no answer.
    platform.desktop().application().hide();
    driver.drain();
    platform.desktop().application().unhide();
    platform.desktop().application().activate(true);
    driver.drain();
    ASSERT_TRUE(platform.updater().offeredUpdate());
    QQuickWindow *window = launches.app()->updaterWindows().window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(serverOf(platform.desktop(), window)->isVisible());
    EXPECT_TRUE(serverOf(platform.desktop(), window)->isKeyWindow());
    // Another launch while it waits brings it forward with the keyboard, and checks nothing new.
    platform.desktop().userInput().click(QPointF(40, 600), MouseButton::Left);
    driver.drain();
    ASSERT_FALSE(serverOf(platform.desktop(), window)->isKeyWindow());
    const int started = platform.updater().checksStarted();
    launches.openedByAnotherLaunch({});
    driver.drain();
    EXPECT_TRUE(serverOf(platform.desktop(), window)->isKeyWindow());
    EXPECT_EQ(platform.updater().checksStarted(), started);
    // A click on it gives it the keyboard again.
    const std::optional<QPointF> headline =
        pointOf(platform.desktop(), window, u"updateHeadline"_s);
    ASSERT_TRUE(headline);
    platform.desktop().userInput().click(*headline, MouseButton::Left);
    driver.drain();
    platform.desktop().userInput().pressKeyHolding(KeyCode::returnKey, EventFlags::none);
    ASSERT_TRUE(QTest::qWaitFor([&] { return launches.launches() == 2; }, 5000));

    const UpdaterWindowContent *alert = shownWindow();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->headline(), u"You're up to date!"_s);
    EXPECT_EQ(alert->message(), u"Zorv v1.2 is currently the newest version available."_s);
    platform.desktop().userInput().pressKeyHolding(KeyCode::escape, EventFlags::none);
    driver.drain();
    EXPECT_EQ(launches.app()->updaterWindows().window(), nullptr);
    EXPECT_TRUE(platform.updater().canCheckForUpdates());
}

} // namespace
} // namespace zorv
