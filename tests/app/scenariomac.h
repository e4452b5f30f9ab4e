#pragma once

#include "desktopapp.h"
#include "manualclock.h"
#include "simulatedplatform.h"
#include "workerclockdriver.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QStringList>

#include <functional>
#include <optional>

namespace zorv {

// Per lane, the items the bar shows there left to right, each named by the engine's identity.
using Lanes = QMap<Section, QList<MenuBarItemID>>;

// Zorv's whole app on a simulated Mac that plays `scenario`, on a manual clock set to the
// scenario's start. Whole-app scenario tests drive it second by second and read the bar back.
struct SimulatedMac {
    explicit SimulatedMac(const Scenario &scenario, SimOptions options = {});

    // Runs `seconds` of simulated time; after each simulated second `each` looks at the Mac.
    void run(double seconds, const std::function<void()> &each = {});

    // The bar's lanes by the separators' places, of the items `keep` takes (by default those the
    // engine's stored layout holds).
    [[nodiscard]] Lanes
    lanes(const std::function<bool(const BarEntry &, const MenuBarItem &)> &keep = {});

    [[nodiscard]] const ClassicEngine &engine() const { return *app.engine(); }

    ManualClock clock;
    SimulatedPlatform platform;
    DesktopApp app;
    WorkerClockDriver driver;
};

// The scenario of that name shipped in the app's resources, to be edited before parsing.
QJsonObject shippedScenario(const QString &name);
Scenario parsedScenario(const QJsonObject &scenario, const QString &name);
// The shipped scenario of that name without its timed events.
Scenario quietScenario(const QString &name);
// The shipped laptop with every item in reach and movable (no camera housing, no menus reaching
// the status items, every application taking drags: items that cannot be moved are another
// matter), its timed events replaced by `events`; the applications in `later` are not running
// when the scenario starts.
Scenario reachableLaptop(const QJsonArray &events, const QStringList &later = {});
// A Mac with one screen and one application of one item: for what Zorv's own windows do.
Scenario oneItemMac();
// The shipped laptop with Zorv in Applications and an update feed, written in `folder` as
// "appcast.xml", offering build 12 ("1.2") with release notes.
Scenario laptopOfferingAnUpdate(const QString &folder);

// Empties Zorv's folder and stores `layout` there as the user's layout, as someone who has used
// Zorv before: the welcome tour is done.
void storeLayout(const SectionLayout &layout);
// Settings of someone who has finished the welcome tour.
inline constexpr auto tourDoneSettings = R"({"onboardingCompleted": true})";
// Empties Zorv's folder and stores `settingsJson` there as the user's settings.
void storeSettings(const QByteArray &settingsJson);
// Stores settings in Zorv's folder that mark the welcome tour done, so that a launch shows no tour
// (nor brings Zorv to the front for it).
void markWelcomeTourDone();

// Moves the pointer to `at` and clicks there.
void click(SimulatedMac &mac, QPointF at);
// Opens the status menu from Zorv's icon and chooses the row titled `row`.
void chooseFromStatusMenu(SimulatedMac &mac, const QString &row);
// The middle of Zorv's icon on the bar (top-left convention), where a click on it goes.
QPointF zorvIconCentre(DesktopApp &app, SimulatedPlatform &platform);
// The middle of the open status menu's row titled `title`; nullopt when no such row shows.
std::optional<QPointF> statusMenuRowCentre(const SimMenus &menus, const QString &title);

// The lines of the reconcile log in Zorv's folder.
QList<QJsonObject> reconcileLog();
// The lines of the events log in Zorv's folder.
QList<QJsonObject> eventsLog();
// How many records of this kind the events log in Zorv's folder holds.
int eventsOfKind(const QString &kind);

// The id of the item of `bundleID` in `layout`; a test failure when it holds none.
MenuBarItemID idIn(const SectionLayout &layout, const QString &bundleID);
// `layout` with `ids` taken out of their lanes and put first in `lane`.
SectionLayout movedTo(SectionLayout layout, const QList<MenuBarItemID> &ids, Section lane);
// Opens the status menu from Zorv's icon and chooses the profile from its Profile submenu.
void chooseProfile(SimulatedMac &mac, const QString &name);

} // namespace zorv
