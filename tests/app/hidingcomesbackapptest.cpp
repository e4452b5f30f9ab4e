#include "appinput.h"
#include "desktopapp.h"
#include "diagnostics/enginesections.h"
#include "keptpositionsfile.h"
#include "modelprofiles.h"
#include "scenariomac.h"
#include "storage/zorvpaths.h"
#include "wholeapptest.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QQuickWindow>
#include <QTemporaryDir>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QJsonObject at(double seconds, const QString &what, QJsonObject event = {}) {
    event.insert(u"at"_s, seconds);
    event.insert(u"do"_s, what);
    return event;
}

QJsonObject accessibility(double seconds, bool granted) {
    return at(seconds, u"permission"_s,
              {{u"permission"_s, u"accessibility"_s}, {u"granted"_s, granted}});
}

QString writeScenario(const QTemporaryDir &folder, const QJsonObject &scenario) {
    const QString path = folder.filePath(scenario.value(u"name"_s).toString() + u".json"_s);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(scenario).toJson());
    return path;
}

BarEntry zorvEntry(SimulatedDesktop &desktop, const QString &name) {
    const std::optional<quint64> item =
        desktop.items().find(desktop.applications().currentProcessId(), name);
    return item ? desktop.readout().entry(*item).value_or(BarEntry{}) : BarEntry{};
}

// Left to right: the always-hidden separator, the hidden separator, the icon; the icon in sight.
void expectZorvsItemsInOrder(SimulatedDesktop &desktop, const char *when) {
    const BarEntry always = zorvEntry(desktop, BarItems::zorvAlwaysHiddenSeparatorName);
    const BarEntry hidden = zorvEntry(desktop, BarItems::zorvHiddenSeparatorName);
    const BarEntry icon = zorvEntry(desktop, BarItems::zorvIconName);
    EXPECT_LT(always.frame.left(), hidden.frame.left()) << when;
    EXPECT_LT(hidden.frame.left(), icon.frame.left()) << when;
    EXPECT_TRUE(icon.visible) << when << ": icon at x " << icon.frame.left();
}

// Hiding works: every status item the engine holds hidden or always hidden is out of sight.
void expectHidden(SimulatedMac &mac, const char *when) {
    EXPECT_EQ(mac.engine().hidingBlocked(), std::nullopt) << when;
    EXPECT_FALSE(mac.engine().isRevealed()) << when;
    const QList<BarEntry> bar = mac.platform.desktop().readout().bar();
    const QHash<quint64, Section> sections = EngineSections::of(bar, mac.engine().lastItems());
    int hidden = 0;
    for (const BarEntry &entry : bar) {
        if (sections.value(entry.itemId, Section::shown) != Section::shown) {
            ++hidden;
            EXPECT_FALSE(entry.onScreen)
                << when << ": " << entry.bundleIdentifier.value_or(QString()).toStdString();
        }
    }
    EXPECT_GT(hidden, 0) << when;
}

// Zorv's items in order and hiding working, as a user sees it.
void expectHidingWorks(SimulatedMac &mac, const char *when) {
    expectZorvsItemsInOrder(mac.platform.desktop(), when);
    expectHidden(mac, when);
}

QList<QJsonObject> adoptionsInto(Section lane) {
    QList<QJsonObject> found;
    for (const QJsonObject &line : reconcileLog()) {
        if (line.value(u"kind"_s) == u"adopt"_s && line.value(u"lane"_s) == rawValue(lane)) {
            found.append(line);
        }
    }
    return found;
}

// The crowded notched laptop on the day Zorv is first installed, with the Accessibility permission
// from the start, from `grantAt`, or never.
QJsonObject crowdedFirstLaunch(bool granted, std::optional<double> grantAt = std::nullopt) {
    QJsonObject scenario = shippedScenario(u"crowded-first-launch"_s);
    scenario.insert(u"name"_s, u"crowded-grant"_s);
    scenario.insert(u"permissions"_s, QJsonObject{{u"accessibility"_s, granted}});
    scenario.insert(u"events"_s,
                    grantAt ? QJsonArray{accessibility(*grantAt, true)} : QJsonArray{});
    return scenario;
}

constexpr double kGrantAt = 60.0;
// Long enough after the grant for the items to be placed and taken into the layout.
constexpr double kAfterTheGrant = 180.0;

struct GrantedRun {
    SectionLayout layout;
    QList<QJsonObject> alwaysHiddenAdoptions;
};

// Zorv launched once, or first for 30 s without the permission and then again, on one data folder
// and one Mac that keeps its status items' positions, the permission granted 60 s into the last
// launch. Then launched once more with it.
GrantedRun grantAfter(bool relaunch, const QTemporaryDir &folder) {
    EXPECT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    SimOptions options;
    options.positionsPath = folder.filePath(u"positions.json"_s);
    if (relaunch) {
        options.scenario = writeScenario(folder, crowdedFirstLaunch(false));
        SimulatedMac mac(DesktopApp::loadScenario(options), options);
        EXPECT_TRUE(mac.app.start());
        mac.run(30);
        EXPECT_EQ(mac.app.finish(), 0);
        mac.app.waitForQuitWrites();
        mac.driver.drain();
    }
    options.scenario = writeScenario(folder, crowdedFirstLaunch(false, kGrantAt));
    GrantedRun result;
    {
        SimulatedMac mac(DesktopApp::loadScenario(options), options);
        EXPECT_TRUE(mac.app.start());
        mac.run(kGrantAt + 5);
        expectZorvsItemsInOrder(mac.platform.desktop(), "5 s after the grant");
        mac.run(kAfterTheGrant - 5);
        expectHidingWorks(mac, "after the grant");
        result.layout = mac.engine().storedLayout();
        EXPECT_EQ(mac.app.finish(), 0);
        mac.app.waitForQuitWrites();
        mac.driver.drain();
    }
    result.alwaysHiddenAdoptions = adoptionsInto(Section::alwaysHidden);

    // The next launch, with the permission: what the layout shows stays in view.
    options.scenario = writeScenario(folder, crowdedFirstLaunch(true));
    SimulatedMac mac(DesktopApp::loadScenario(options), options);
    EXPECT_TRUE(mac.app.start());
    mac.run(10);
    expectZorvsItemsInOrder(mac.platform.desktop(), "at the next launch");
    int inView = 0;
    for (const MenuBarItem &item : mac.engine().lastItems()) {
        inView += item.section == Section::shown && !item.id.isSystemPinned() &&
                          ClassicEngine::isOnTheBar(item) && item.frame.left() >= 0.0
                      ? 1
                      : 0;
    }
    EXPECT_GT(inView, 0) << "the shown items are in view at the next launch";
    EXPECT_EQ(mac.app.finish(), 0);
    mac.app.waitForQuitWrites();
    mac.driver.drain();
    return result;
}

// A grant after a relaunch that found Zorv's items where a launch without the permission left
// them (the icon in sight, the separators out of order) places them as a grant on the first
// launch does: no item is taken in as always hidden off that bar, hiding works with the icon in
// sight, and the layout is the same.
TEST(GrantAfterARelaunchTest, PlacesTheItemsAsAGrantOnTheFirstLaunchDoes) {
    const QTemporaryDir once;
    const GrantedRun onFirstLaunch = grantAfter(false, once);
    const QTemporaryDir twice;
    const GrantedRun afterRelaunch = grantAfter(true, twice);
    EXPECT_TRUE(onFirstLaunch.alwaysHiddenAdoptions.isEmpty());
    EXPECT_TRUE(afterRelaunch.alwaysHiddenAdoptions.isEmpty())
        << afterRelaunch.alwaysHiddenAdoptions.size() << " items taken in as always hidden";
    EXPECT_FALSE(afterRelaunch.layout.ids(Section::hidden).isEmpty());
    EXPECT_FALSE(afterRelaunch.layout.ids(Section::shown).isEmpty());
    EXPECT_EQ(afterRelaunch.layout, onFirstLaunch.layout);
}

// The permission taken away, the system pushing Zorv's icon to the left end meanwhile, and the
// permission given back: within seconds Zorv's items are back in order and hiding works, and it
// keeps working.
TEST(RegrantAfterThePushTest, PutsZorvsItemsBackInOrderAndHides) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    markWelcomeTourDone();
    QJsonObject scenario = shippedScenario(u"laptop"_s);
    scenario.insert(u"events"_s,
                    QJsonArray{accessibility(60, false), at(120, u"moveZorvIconToLeftEnd"_s),
                               accessibility(240, true)});
    SimulatedMac mac(parsedScenario(scenario, u"laptop-regrant"_s));
    ASSERT_TRUE(mac.app.start());
    mac.run(245);
    expectHidingWorks(mac, "5 s after the grant");
    mac.run(600);
    expectHidingWorks(mac, "ten minutes on");
    EXPECT_EQ(mac.app.finish(), 0);
}

// On the go, first with the permission; launched again without it, where the system brought the
// always-hidden separator back far left (its place was kept while the hidden one hid its lane),
// and granted a minute in. Hours later the user reveals the hidden items: every item they keep in
// Hidden stands between the separators, and all that the bar can show are in sight.
TEST(GrantOnTheGoTest, TheRevealShowsTheHiddenItemsTheBarCanShow) {
    storeSettings(tourDoneSettings);
    const QTemporaryDir folder;
    SimOptions options;
    options.positionsPath = folder.filePath(u"positions.json"_s);
    QJsonObject scenario = shippedScenario(u"on-the-go"_s);
    scenario.insert(u"name"_s, u"on-the-go-grant"_s);
    options.scenario = writeScenario(folder, scenario);
    {
        SimulatedMac mac(DesktopApp::loadScenario(options), options);
        ASSERT_TRUE(mac.app.start());
        mac.run(90);
        EXPECT_EQ(mac.app.finish(), 0);
        mac.app.waitForQuitWrites();
        mac.driver.drain();
    }
    scenario.insert(u"permissions"_s, QJsonObject{{u"accessibility"_s, false}});
    QJsonArray events = scenario.value(u"events"_s).toArray();
    events.append(accessibility(kGrantAt, true));
    scenario.insert(u"events"_s, events);
    options.scenario = writeScenario(folder, scenario);
    SimulatedMac mac(DesktopApp::loadScenario(options), options);
    ASSERT_TRUE(mac.app.start());
    mac.run(590);
    const SectionLayout wanted = mac.engine().storedLayout();
    ASSERT_GE(wanted.ids(Section::hidden).size(), 4);
    chooseFromStatusMenu(mac, u"Reveal Hidden Items"_s);
    mac.run(1);
    ASSERT_TRUE(mac.engine().isRevealed());
    EXPECT_EQ(mac.lanes().value(Section::hidden), wanted.ids(Section::hidden));
    const QList<BarEntry> bar = mac.platform.desktop().readout().bar();
    const QHash<quint64, Section> sections = EngineSections::of(bar, mac.engine().lastItems());
    for (const BarEntry &entry : bar) {
        if (sections.value(entry.itemId, Section::shown) == Section::hidden) {
            EXPECT_TRUE(entry.visible || entry.underHousing || entry.underMenus)
                << entry.bundleIdentifier.value_or(QString()).toStdString() << " at x "
                << entry.frame.left();
        }
    }
    EXPECT_EQ(mac.app.finish(), 0);
}

// With arranging left to Sort My Bar, the user quits while its drags run, and the quit leaves
// Zorv's icon between its separators, the always-hidden one far out at the left end (as the
// system kept them in the run reported; here the icon's kept place is moved there). Launched
// again, Zorv puts its own items back in order and hides, though it leaves the user's items where
// they stand until asked.
TEST(QuitMidSortTest, TheNextLaunchPutsZorvsItemsBackInOrderWithArrangingOnDemand) {
    storeSettings(R"({"onboardingCompleted": true, "liveLayout": false})");
    const QTemporaryDir folder;
    SimOptions options;
    options.scenario = u"crowded-bar"_s;
    options.positionsPath = folder.filePath(u"positions.json"_s);
    {
        SimulatedMac mac(DesktopApp::loadScenario(options), options);
        ASSERT_TRUE(mac.app.start());
        mac.run(90);
        // A few items moved in the Layout pane: the hidden lane's first three to Shown.
        const QList<MenuBarItemID> hidden = mac.lanes().value(Section::hidden);
        ASSERT_GE(hidden.size(), 3);
        for (const MenuBarItemID &id : hidden.mid(0, 3)) {
            mac.app.model()->move(id, Section::shown);
        }
        mac.run(5);
        chooseFromStatusMenu(mac, u"Sort My Bar"_s);
        mac.driver.run(seconds(1.5));
        ASSERT_TRUE(mac.engine().reconcileInFlight()) << "the sort's drags run at the quit";
        EXPECT_EQ(mac.app.finish(), 0);
        mac.app.waitForQuitWrites();
        mac.driver.drain();
    }
    RememberedPositions kept = KeptPositionsFile::read(options.positionsPath);
    QHash<QString, double> &zorvs = kept[SimulatedPlatform::bundleIdentifier];
    const double hiddenSeparator = zorvs.value(BarItems::zorvHiddenSeparatorName);
    ASSERT_GT(zorvs.value(BarItems::zorvAlwaysHiddenSeparatorName), hiddenSeparator + 400);
    zorvs.insert(BarItems::zorvIconName, hiddenSeparator + 300);
    ASSERT_FALSE(KeptPositionsFile::write(options.positionsPath, kept));

    SimulatedMac mac(DesktopApp::loadScenario(options), options);
    ASSERT_TRUE(mac.app.start());
    ASSERT_FALSE(mac.app.model()->settings().liveLayout);
    mac.driver.drain();
    mac.run(5);
    expectHidingWorks(mac, "5 s after the launch");
    mac.run(55);
    expectHidingWorks(mac, "a minute after the launch");
    EXPECT_EQ(mac.app.finish(), 0);
}

// The end-of-run lines of the reconcile log.
QList<QJsonObject> runLines() {
    QList<QJsonObject> runs = reconcileLog();
    runs.removeIf([](const QJsonObject &line) { return !line.contains(u"passes"_s); });
    return runs;
}

// With arranging left to Sort My Bar, five items moved to Hidden and the sort asked for, the user
// takes the Accessibility permission away a second later and never gives it back. The sort stops
// at its next step and no other starts: the cursor is not borrowed again, and the engine and the
// Layout pane say the permission is missing.
TEST(RevokedDuringASortTest, TheSortStopsAndNoDragFollows) {
    storeSettings(R"({"onboardingCompleted": true, "liveLayout": false})");
    QJsonObject scenario = shippedScenario(u"crowded-bar"_s);
    scenario.insert(u"events"_s, QJsonArray{});
    SimulatedMac mac(parsedScenario(scenario, u"crowded-bar"_s));
    ASSERT_TRUE(mac.app.start());
    mac.run(90);
    const QList<MenuBarItemID> shown = mac.lanes().value(Section::shown);
    ASSERT_GE(shown.size(), 5);
    for (const MenuBarItemID &id : shown.mid(0, 5)) {
        mac.app.model()->move(id, Section::hidden);
    }
    mac.run(5);
    chooseFromStatusMenu(mac, u"Sort My Bar"_s);
    mac.driver.run(seconds(1));
    mac.platform.desktop().permissions().setAccessibilityTrusted(false);
    const int borrowedAtTheRevoke = eventsOfKind(u"cursor-borrowed"_s);
    const qsizetype runsAtTheRevoke = runLines().size();
    mac.run(390);

    EXPECT_LE(eventsOfKind(u"cursor-borrowed"_s), borrowedAtTheRevoke + 1);
    const QList<QJsonObject> runs = runLines();
    ASSERT_EQ(runs.size(), runsAtTheRevoke + 1) << "the sort ends, and no run follows";
    EXPECT_EQ(runs.last().value(u"aborted"_s), u"no Accessibility permission"_s);
    EXPECT_LE(runs.last().value(u"moves"_s).toArray().size(), 1);
    EXPECT_FALSE(mac.engine().reconcileInFlight());
    EXPECT_FALSE(mac.engine().cursor().session().has_value());
    EXPECT_TRUE(mac.engine().waitingForAccessibility());
    EXPECT_TRUE(mac.app.model()->needsAccessibility()) << "the Layout pane shows the banner";
    click(mac, zorvIconCentre(mac.app, mac.platform));
    EXPECT_TRUE(statusMenuRowCentre(mac.platform.desktop().menus(), u"Allow Accessibility…"_s));
    EXPECT_EQ(mac.app.finish(), 0);
}

// With arranging left to Sort My Bar, Raycast, Docker and Dropbox moved to Hidden and the
// permission taken away, the user chooses Sort My Bar: the system asks for the permission, and
// the sort waits for it. Granted 24 s later, the sort is done once, and the three are out of sight
// in the hidden lane. No application's long menus are in front, so the hidden lane is in reach.
TEST(SortAskedForWithoutThePermissionTest, TheSortWaitsForTheGrantAndHidesWhatWasAsked) {
    storeSettings(R"({"onboardingCompleted": true, "liveLayout": false})");
    QJsonObject scenario = shippedScenario(u"crowded-bar"_s);
    scenario.insert(u"events"_s, QJsonArray{});
    QJsonArray applications = scenario.value(u"applications"_s).toArray();
    for (QJsonValueRef application : applications) {
        QJsonObject app = application.toObject();
        app.remove(u"frontmost"_s);
        application = app;
    }
    scenario.insert(u"applications"_s, applications);
    SimulatedMac mac(parsedScenario(scenario, u"crowded-bar"_s));
    ASSERT_TRUE(mac.app.start());
    mac.run(90);
    const QStringList toHide{u"com.raycast.macos"_s, u"com.docker.docker"_s,
                             u"com.getdropbox.dropbox"_s};
    QList<MenuBarItemID> moved;
    for (const MenuBarItem &item : mac.engine().lastItems()) {
        if (toHide.contains(item.id.bundleID)) {
            ASSERT_EQ(item.section, Section::shown) << item.id.bundleID.toStdString();
            moved.append(item.id);
        }
    }
    ASSERT_EQ(moved.size(), toHide.size());
    for (const MenuBarItemID &id : std::as_const(moved)) {
        mac.app.model()->move(id, Section::hidden);
    }
    mac.run(5);
    SimulatedDesktop &desktop = mac.platform.desktop();
    desktop.permissions().setAccessibilityTrusted(false);
    mac.run(35);
    ASSERT_TRUE(mac.engine().waitingForAccessibility());
    ASSERT_FALSE(desktop.permissions().trustPromptShown());
    const qsizetype runsBefore = runLines().size();

    chooseFromStatusMenu(mac, u"Sort My Bar"_s);
    EXPECT_TRUE(desktop.permissions().trustPromptShown());
    mac.run(24);
    EXPECT_EQ(runLines().size(), runsBefore) << "nothing runs without the permission";
    desktop.permissions().setAccessibilityTrusted(true);
    mac.run(120);

    const QList<QJsonObject> runs = runLines().mid(runsBefore);
    ASSERT_EQ(runs.size(), 1);
    EXPECT_EQ(runs.first().value(u"trigger"_s), u"sort-my-bar"_s);
    EXPECT_FALSE(mac.engine().reorderEnabled()) << "arranging is left to the next sort";
    const QList<MenuBarItemID> hidden = mac.lanes().value(Section::hidden);
    for (const MenuBarItemID &id : std::as_const(moved)) {
        EXPECT_TRUE(hidden.contains(id)) << id.bundleID.toStdString();
    }
    for (const BarEntry &entry : desktop.readout().bar()) {
        if (toHide.contains(entry.bundleIdentifier.value_or(QString()))) {
            EXPECT_FALSE(entry.onScreen)
                << entry.bundleIdentifier->toStdString() << " at x " << entry.frame.left();
        }
    }
    expectHidingWorks(mac, "after the sort");
    EXPECT_EQ(mac.app.finish(), 0);
}

// A first launch without the Accessibility permission, which comes at `kGrantAt`.
class WithoutThePermissionAppTest : public WholeAppTest {
protected:
    WithoutThePermissionAppTest()
        : WholeAppTest(parsedScenario(crowdedFirstLaunch(false, kGrantAt), u"crowded-grant"_s)) {}

    // Opens Settings on the Layout pane from the status menu and its rail, the guide cards put
    // away.
    QQuickWindow *openLayoutPane() {
        QQuickWindow *window = openSettingsFromStatusMenu();
        if (!window) {
            return nullptr;
        }
        for (const QString &rail : {QString(), u"rail-arrange"_s}) {
            if (!rail.isEmpty()) {
                clickControl(window, rail);
            }
            run(1);
            if (window->property("guideShown").toBool()) {
                clickControl(window, u"guideDone"_s);
            }
        }
        return window;
    }

    [[nodiscard]] bool shows(QQuickWindow *window, const QString &banner) {
        return findIn(window->contentItem(), banner) != nullptr;
    }
};

// While the permission is missing, what the user is told is that it is missing, with the way to
// grant it: the Layout pane shows the Accessibility banner and no banner about the icon, the log
// does not tell them to drag the icon, and the engine gives no other reason. Granted, the banner
// goes and Zorv hides.
TEST_F(WithoutThePermissionAppTest, TheReasonShownIsTheMissingPermission) {
    const MonotonicTime launched = clock.now();
    launch(tourDoneSettings);
    QQuickWindow *window = openLayoutPane();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(shows(window, u"accessibilityBanner"_s));
    EXPECT_FALSE(shows(window, u"hidingBlockedBanner"_s));
    EXPECT_TRUE(app.engine()->waitingForAccessibility());
    EXPECT_EQ(app.engine()->hidingBlocked(), std::nullopt);
    EXPECT_TRUE(platform.systemLog().lines().filter(u"Drag Zorv"_s).isEmpty())
        << platform.systemLog().lines().join(u'\n').toStdString();

    run(kGrantAt + 10 - toSeconds(clock.now() - launched));
    EXPECT_FALSE(shows(window, u"accessibilityBanner"_s));
    EXPECT_FALSE(shows(window, u"hidingBlockedBanner"_s));
    EXPECT_FALSE(app.engine()->isRevealed());
    EXPECT_EQ(app.engine()->hidingBlocked(), std::nullopt);
}

constexpr double kXcodeAt = 60.0;

// The crowded notched laptop on Zorv's first day, with the permission or without it, and Xcode's
// long menus in front from a minute in.
struct XcodeCase {
    const char *name;
    bool granted;
    double menusWidth;

    friend void PrintTo(const XcodeCase &c, std::ostream *out) { *out << c.name; }
};

QJsonObject crowdedWithXcode(const XcodeCase &c) {
    QJsonObject scenario = crowdedFirstLaunch(c.granted);
    QJsonArray applications = scenario.value(u"applications"_s).toArray();
    applications.append(QJsonObject{{u"bundleId"_s, u"com.apple.dt.Xcode"_s},
                                    {u"name"_s, u"Xcode"_s},
                                    {u"activationPolicy"_s, u"regular"_s},
                                    {u"menusWidth"_s, c.menusWidth}});
    scenario.insert(u"applications"_s, applications);
    scenario.insert(u"events"_s,
                    QJsonArray{at(kXcodeAt, u"activate"_s, {{u"app"_s, u"com.apple.dt.Xcode"_s}})});
    return scenario;
}

class LongMenusAppTest : public WholeAppTest, public ::testing::WithParamInterface<XcodeCase> {
protected:
    LongMenusAppTest()
        : WholeAppTest(parsedScenario(crowdedWithXcode(GetParam()), u"crowded-xcode"_s)) {}
};

// Zorv's icon comes up right of the shown items, right of the camera housing, where the front
// application's long menus reach last: with Xcode in front it stays in sight and opens the menu,
// with the permission or without it.
TEST_P(LongMenusAppTest, TheIconStandsRightOfTheShownItemsAndStaysInSight) {
    launch(tourDoneSettings, kXcodeAt + 5);
    ASSERT_EQ(frontApplication(), u"Xcode"_s);
    const BarEntry icon = zorvEntry(mac(), BarItems::zorvIconName);
    EXPECT_TRUE(icon.visible) << "x " << icon.frame.left();
    EXPECT_FALSE(icon.underMenus);
    EXPECT_FALSE(icon.underHousing);
    for (const MenuBarItem &item : app.engine()->lastItems()) {
        if (item.section == Section::shown && !item.id.isSystemPinned() &&
            ClassicEngine::isOnTheBar(item)) {
            EXPECT_LT(item.frame.left(), icon.frame.left()) << item.id.bundleID.toStdString();
        }
    }
    clickIcon();
    EXPECT_TRUE(mac().menus().isTracking()) << "the icon opens the status menu";
}

INSTANTIATE_TEST_SUITE_P(
    Permission, LongMenusAppTest,
    ::testing::Values(XcodeCase{"Granted", true, 700.0},
                      // The menus reach x 1300, short of the rightmost slot only.
                      XcodeCase{"Missing", false, 1100.0}),
    [](const auto &info) { return std::string(info.param.name); });

// The crowded notched laptop on Zorv's first day with the permission, Finder's menus reaching
// `menusWidth` points.
// The crowded notched laptop on the day Zorv is first installed, with Finder in front, or with
// Xcode in front, its menus reaching `xcodeMenus` points.
QJsonObject crowdedWithMenusInFront(std::optional<double> xcodeMenus) {
    QJsonObject scenario = crowdedFirstLaunch(true);
    if (!xcodeMenus) {
        return scenario;
    }
    QJsonArray applications;
    for (const QJsonValue &application : scenario.value(u"applications"_s).toArray()) {
        QJsonObject app = application.toObject();
        app.remove(u"frontmost"_s);
        applications.append(app);
    }
    applications.append(QJsonObject{{u"bundleId"_s, u"com.apple.dt.Xcode"_s},
                                    {u"name"_s, u"Xcode"_s},
                                    {u"activationPolicy"_s, u"regular"_s},
                                    {u"menusWidth"_s, *xcodeMenus},
                                    {u"frontmost"_s, true}});
    scenario.insert(u"applications"_s, applications);
    return scenario;
}

// The items the user sees in the shown part of the bar.
int shownInSight(SimulatedMac &mac) {
    const QList<BarEntry> bar = mac.platform.desktop().readout().bar();
    const QHash<quint64, Section> sections = EngineSections::of(bar, mac.engine().lastItems());
    return int(std::count_if(bar.cbegin(), bar.cend(), [&sections](const BarEntry &entry) {
        return entry.visible && sections.value(entry.itemId) == Section::shown;
    }));
}

// Zorv's first launch on the crowded notched laptop with Finder or Xcode in front
// (crowdedWithMenusInFront), long enough to take every item into the layout, in a fresh data
// folder and on a Mac that keeps its status items' positions in `positionsPath`.
SectionLayout firstLaunchLayout(std::optional<double> xcodeMenus, const QTemporaryDir &folder) {
    EXPECT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    markWelcomeTourDone();
    SimOptions options;
    options.positionsPath = folder.filePath(u"positions.json"_s);
    options.scenario = writeScenario(folder, crowdedWithMenusInFront(xcodeMenus));
    SimulatedMac mac(DesktopApp::loadScenario(options), options);
    EXPECT_TRUE(mac.app.start());
    mac.run(kAfterTheGrant);
    const SectionLayout layout = mac.engine().storedLayout();
    EXPECT_EQ(mac.app.finish(), 0);
    mac.app.waitForQuitWrites();
    mac.driver.drain();
    return layout;
}

// A first launch with Xcode's menus too long to leave room beside any item right of them: the
// icon comes up at the right end, clear of the menus, and the items they cover are taken into the
// lanes a first launch with Finder in front gives, which Finder's menus decide. At the next launch
// with Finder in front the icon is there again, hiding works, and the shown items are in sight as
// after a first launch with Finder in front.
TEST(VeryLongMenusAtTheFirstLaunchTest, TheIconIsInSightThenAndAtTheNextLaunch) {
    const QTemporaryDir finderFolder;
    const SectionLayout underFinder = firstLaunchLayout(std::nullopt, finderFolder);
    int shownUnderFinder = 0;
    {
        SimOptions options;
        options.positionsPath = finderFolder.filePath(u"positions.json"_s);
        options.scenario = writeScenario(finderFolder, crowdedWithMenusInFront(std::nullopt));
        SimulatedMac mac(DesktopApp::loadScenario(options), options);
        ASSERT_TRUE(mac.app.start());
        mac.run(30);
        shownUnderFinder = shownInSight(mac);
        EXPECT_EQ(mac.app.finish(), 0);
        mac.app.waitForQuitWrites();
        mac.driver.drain();
    }

    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    markWelcomeTourDone();
    const QTemporaryDir folder;
    SimOptions options;
    options.positionsPath = folder.filePath(u"positions.json"_s);
    for (const std::optional<double> xcodeMenus :
         {std::optional(1100.0), std::optional<double>()}) {
        SCOPED_TRACE(xcodeMenus.value_or(0.0));
        options.scenario = writeScenario(folder, crowdedWithMenusInFront(xcodeMenus));
        SimulatedMac mac(DesktopApp::loadScenario(options), options);
        ASSERT_TRUE(mac.app.start());
        mac.run(30);
        const BarEntry icon = zorvEntry(mac.platform.desktop(), BarItems::zorvIconName);
        EXPECT_FALSE(icon.underMenus);
        expectHidingWorks(mac, "30 s after the launch");
        for (const MenuBarItem &item : mac.engine().lastItems()) {
            if (item.section == Section::shown && ClassicEngine::isOnTheBar(item)) {
                EXPECT_GE(item.frame.left(), 0.0) << item.id.bundleID.toStdString();
            }
        }
        if (!xcodeMenus) {
            EXPECT_EQ(shownInSight(mac), shownUnderFinder);
        } else {
            mac.run(kAfterTheGrant - 30);
            EXPECT_EQ(mac.engine().storedLayout(), underFinder);
        }
        EXPECT_EQ(mac.app.finish(), 0);
        mac.app.waitForQuitWrites();
        mac.driver.drain();
    }
}

// Zorv's first launch on a crowded notched laptop where the system keeps no position for its items
// but the user's layout is there (restored data): it keeps AltTab, Teams and Rectangle in Hidden,
// which a first launch with Finder in front would show. The separators come up between the user's
// lanes and runs take those three out of sight. At 120 s the user chooses Presenting from the
// status menu, which keeps six more items in Hidden and three in Always Hidden: all nine are out of
// sight a few minutes later, those for Always Hidden in Hidden while no drag reaches that lane,
// and neither the layout nor the profiles change but for the choice.
TEST(FirstLaunchWithALayoutTest, PlacesTheSeparatorsBetweenItsLanesAndHidesWhatItHides) {
    const QTemporaryDir otherMac;
    const SectionLayout fromTheOtherMac = firstLaunchLayout(std::nullopt, otherMac);
    const auto ids = [&fromTheOtherMac](const QStringList &bundleIDs) {
        QList<MenuBarItemID> found;
        for (const QString &bundleID : bundleIDs) {
            found.append(idIn(fromTheOtherMac, bundleID));
        }
        return found;
    };
    const QList<MenuBarItemID> kept = ids(
        {u"com.lwouis.alt-tab-macos"_s, u"com.microsoft.teams2"_s, u"com.knollsoft.Rectangle"_s});
    const QList<MenuBarItemID> presentingHides =
        ids({u"io.tailscale.ipn.macos"_s, u"com.raycast.macos"_s, u"com.google.drivefs"_s});
    const QList<MenuBarItemID> presentingAlwaysHides =
        ids({u"com.docker.docker"_s, u"com.1password.1password"_s, u"com.getdropbox.dropbox"_s});
    for (const MenuBarItemID &id : kept + presentingHides + presentingAlwaysHides) {
        ASSERT_EQ(fromTheOtherMac.sectionOf(id), Section::shown) << id.bundleID.toStdString();
    }
    const SectionLayout users = movedTo(fromTheOtherMac, kept, Section::hidden);
    const SectionLayout presenting = movedTo(movedTo(users, presentingHides, Section::hidden),
                                             presentingAlwaysHides, Section::alwaysHidden);

    storeLayout(users);
    const QTemporaryDir folder;
    SimOptions options;
    options.positionsPath = folder.filePath(u"positions.json"_s);
    options.scenario = writeScenario(folder, crowdedWithMenusInFront(std::nullopt));
    SimulatedMac mac(DesktopApp::loadScenario(options), options);
    ASSERT_TRUE(mac.app.start());
    ProfileSet profiles;
    profiles.profiles = {Profile{QUuid::createUuid(), u"Presenting"_s, presenting, {}, {}}};
    mac.app.model()->setProfiles(profiles);
    mac.app.model()->persistProfiles();
    // Out of sight: left of the hidden separator on a tucked bar, off screen.
    const auto outOfSight = [&mac](const QList<MenuBarItemID> &wanted, const char *when) {
        EXPECT_FALSE(mac.engine().isRevealed()) << when;
        const Lanes lanes = mac.lanes([](const BarEntry &, const MenuBarItem &) { return true; });
        for (const MenuBarItemID &id : wanted) {
            EXPECT_FALSE(lanes.value(Section::shown).contains(id))
                << when << ": " << id.bundleID.toStdString();
        }
        expectHidden(mac, when);
    };
    mac.run(110);
    EXPECT_EQ(eventsOfKind(u"separators-placed"_s), 1);
    outOfSight(kept, "110 s after the first launch");

    ASSERT_NO_FATAL_FAILURE(chooseProfile(mac, u"Presenting"_s));
    mac.run(300);
    outOfSight(kept + presentingHides + presentingAlwaysHides, "after choosing Presenting");
    EXPECT_EQ(mac.app.model()->layoutStore().value(), presenting);
    profiles.activeID = profiles.profiles.first().id;
    EXPECT_EQ(mac.app.model()->profiles(), profiles);
    EXPECT_EQ(mac.app.finish(), 0);
}

} // namespace
} // namespace zorv
