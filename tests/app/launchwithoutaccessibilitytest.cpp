#include "desktopapp.h"
#include "desktopdump.h"
#include "keptpositionsfile.h"
#include "onboardingcontroller.h"
#include "scenariomac.h"
#include "storage/zorvpaths.h"
#include "wholeapptest.h"
#include "windows/titlebar.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// When Teams comes to the front with menus reaching past the camera housing, when Finder is back
// in front, and when the user grants the Accessibility permission.
constexpr double kLongMenusAt = 60.0;
constexpr double kFinderBackAt = 120.0;
constexpr double kGrantAt = 150.0;

// The crowded notched laptop on the day Zorv is first installed, before the user grants the
// Accessibility permission: Teams comes to the front with menus that reach past the housing, then
// Finder again; the permission comes when `grantAt` is set.
QJsonObject crowdedWithoutAccessibility(std::optional<double> grantAt) {
    QJsonObject scenario = shippedScenario(u"crowded-first-launch"_s);
    scenario.insert(u"permissions"_s, QJsonObject{{u"accessibility"_s, false}});
    QJsonArray events{QJsonObject{{u"at"_s, kLongMenusAt},
                                  {u"do"_s, u"activate"_s},
                                  {u"app"_s, u"com.microsoft.teams2"_s},
                                  {u"menusWidth"_s, 1000}},
                      QJsonObject{{u"at"_s, kFinderBackAt},
                                  {u"do"_s, u"activate"_s},
                                  {u"app"_s, u"com.apple.finder"_s}}};
    if (grantAt) {
        events.append(QJsonObject{{u"at"_s, *grantAt},
                                  {u"do"_s, u"permission"_s},
                                  {u"permission"_s, u"accessibility"_s},
                                  {u"granted"_s, true}});
    }
    scenario.insert(u"events"_s, events);
    return scenario;
}

BarEntry iconEntry(SimulatedDesktop &desktop) {
    const std::optional<quint64> icon =
        desktop.items().find(desktop.applications().currentProcessId(), BarItems::zorvIconName);
    return icon ? desktop.readout().entry(*icon).value_or(BarEntry{}) : BarEntry{};
}

// Drawn, clickable, clear of the housing and the front application's menus.
void expectInSight(SimulatedDesktop &desktop, const char *when) {
    const BarEntry icon = iconEntry(desktop);
    EXPECT_TRUE(icon.visible) << when << ": x " << icon.frame.left();
    EXPECT_FALSE(icon.underHousing) << when;
    EXPECT_FALSE(icon.underMenus) << when;
}

// Hiding waits for the permission and gives no other reason: the icon is not what blocks it.
void expectWaitingForThePermission(const ClassicEngine &engine) {
    EXPECT_TRUE(engine.waitingForAccessibility());
    EXPECT_EQ(engine.hidingBlocked(), std::nullopt);
}

class LaunchWithoutAccessibilityTest : public WholeAppTest {
protected:
    LaunchWithoutAccessibilityTest()
        : WholeAppTest(parsedScenario(crowdedWithoutAccessibility(kGrantAt),
                                      u"crowded-without-accessibility"_s)) {}

    // Runs on until `at` seconds after the launch.
    void runUntil(double at) {
        run(at - std::chrono::duration<double>(clock.now() - m_launchedAt).count());
    }

    void start() {
        m_launchedAt = clock.now();
        ASSERT_TRUE(app.start());
    }

private:
    MonotonicTime m_launchedAt;
};

// Zorv's icon is the user's one way to Zorv and to the permission it waits for: it comes up in
// sight within seconds, stays so once the welcome window is closed and while an application with
// long menus is in front, and opens the status menu there; hiding waits for the permission.
// Once the permission comes, Zorv measures the bar, places its items in reach and hides.
TEST_F(LaunchWithoutAccessibilityTest, TheIconIsInSightUntilThePermissionComesAndThenZorvHides) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    ASSERT_NO_FATAL_FAILURE(start());
    run(3);
    expectInSight(mac(), "at launch");
    expectWaitingForThePermission(*app.engine());

    ASSERT_NE(app.onboarding(), nullptr);
    const SimAppWindow *welcome = serverOf(app.onboarding()->window());
    ASSERT_NE(welcome, nullptr);
    const auto close = TitleBar::buttons(welcome->record().style).value(0);
    ASSERT_TRUE(close.enabled);
    const std::optional<QRectF> titleBar = TitleBar::rect(welcome->record());
    ASSERT_TRUE(titleBar);
    click(titleBar->topLeft() + close.rect.center());
    run(2);
    EXPECT_TRUE(app.onboarding() == nullptr || app.onboarding()->appWindow() == nullptr ||
                !app.onboarding()->appWindow()->isVisible());
    expectInSight(mac(), "after the welcome window closed");

    runUntil(kLongMenusAt + 5);
    ASSERT_EQ(frontApplication(), u"Microsoft Teams"_s);
    expectInSight(mac(), "with Teams' long menus in front");
    clickIcon();
    EXPECT_TRUE(mac().menus().isTracking()) << "the icon opens the status menu";
    press(KeyCode::escape);
    expectWaitingForThePermission(*app.engine());
    EXPECT_EQ(eventsOfKind(u"watchdog-miss"_s), 0);

    runUntil(kGrantAt + 10);
    expectInSight(mac(), "after the grant");
    EXPECT_EQ(app.engine()->hidingBlocked(), std::nullopt);
    EXPECT_FALSE(app.engine()->isRevealed());
    EXPECT_TRUE(std::any_of(app.engine()->lastItems().cbegin(), app.engine()->lastItems().cend(),
                            [](const MenuBarItem &item) {
                                return item.section == Section::hidden && item.frame.right() < 0.0;
                            }))
        << "the hidden items are tucked away";
    QFile events(ZorvPaths::file(u"events.jsonl"_s));
    ASSERT_TRUE(events.open(QIODevice::ReadOnly));
    bool placed = false;
    for (const QByteArray &line : events.readAll().split('\n')) {
        const QJsonObject record = QJsonDocument::fromJson(line).object();
        placed = placed || (record.value(u"kind"_s) == u"launch-placement"_s &&
                            record.value(u"placed"_s).toBool());
    }
    EXPECT_TRUE(placed) << "the launch placement ran once the permission came";
    // The placement replaced the icon clicked before it: that click is still Zorv's own.
    EXPECT_EQ(DesktopDump::toJson(platform).value(u"itemClicks"_s).toArray(), QJsonArray());
    EXPECT_EQ(app.finish(), 0);
}

// What a launch keeps of the user's setup, by file name.
QMap<QString, QByteArray> usersFiles() {
    QMap<QString, QByteArray> files;
    const QDir root(ZorvPaths::root());
    for (const QString &name :
         {u"settings.json"_s, u"layout.json"_s, u"profiles.json"_s, u"triggers.json"_s}) {
        QFile file(root.filePath(name));
        files.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    const QDir backups(root.filePath(u"backups"_s));
    for (const QString &name : backups.entryList(QDir::Files)) {
        QFile file(backups.filePath(name));
        files.insert(u"backups/"_s + name, file.open(QIODevice::ReadOnly) ? file.readAll() : "");
    }
    return files;
}

// Zorv launched again, still without the permission, on a Mac that kept where its items stood:
// the icon is in sight again and the user's files stay byte for byte as they were.
TEST(RelaunchWithoutAccessibilityTest, TheIconIsInSightAgainAndTheUsersFilesStayAsTheyWere) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    const QTemporaryDir folder;
    const QString path = folder.filePath(u"crowded-without-accessibility.json"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(crowdedWithoutAccessibility(std::nullopt)).toJson());
    file.close();
    SimOptions options;
    options.scenario = path;
    options.positionsPath = folder.filePath(u"positions.json"_s);

    QMap<QString, QByteArray> afterFirstRun;
    for (const bool first : {true, false}) {
        SCOPED_TRACE(first);
        SimulatedMac mac(DesktopApp::loadScenario(options), options);
        ASSERT_TRUE(mac.app.start());
        mac.run(3);
        expectInSight(mac.platform.desktop(), "at launch");
        mac.run(kLongMenusAt + 5);
        expectInSight(mac.platform.desktop(), "with Teams' long menus in front");
        expectWaitingForThePermission(mac.engine());
        EXPECT_EQ(mac.app.finish(), 0);
        mac.app.waitForQuitWrites();
        mac.driver.drain();
        if (first) {
            afterFirstRun = usersFiles();
            EXPECT_EQ(KeptPositionsFile::read(options.positionsPath)
                          .value(SimulatedPlatform::bundleIdentifier)
                          .size(),
                      3);
        } else {
            EXPECT_EQ(usersFiles(), afterFirstRun);
        }
    }
}

} // namespace
} // namespace zorv
