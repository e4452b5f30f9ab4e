#include "appinput.h"
#include "inputevent.h"
#include "modelsearch.h"
#include "scenariomac.h"
#include "search/stablekey.h"
#include "storage/zorvpaths.h"
#include "windows/itemrowsmodel.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QQuickWindow>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr quint16 keyS = 1;
constexpr quint16 keyD = 2;

QString hotkeyLog() {
    QFile file(ZorvPaths::file(u"hotkey-log.txt"_s));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Zorv's first launch on the laptop: within its first seconds, before the engine has taken any
// item into a layout, the user presses the hot key of an item that stands left of the
// always-hidden separator. The bar reveals it and it is clicked, as the same key does later.
TEST(ItemHotkeyAppTest, ReachesAnAlwaysHiddenItemBeforeALayoutIsStored) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    markWelcomeTourDone();
    SimulatedMac mac(reachableLaptop({}));
    ASSERT_TRUE(mac.app.start());
    for (int step = 0; step < 100 && !mac.app.shell()->launch().isStarted(); ++step) {
        mac.driver.run(seconds(0.1));
    }
    ASSERT_TRUE(mac.app.shell()->launch().isStarted());

    const QList<MenuBarItem> &items = mac.engine().lastItems();
    const auto target = std::find_if(items.cbegin(), items.cend(), [&](const MenuBarItem &item) {
        return item.section == Section::alwaysHidden && !item.isDormant;
    });
    ASSERT_NE(target, items.cend()) << "no item stands in the always-hidden part of the bar";
    const MenuBarItemID id = target->id;
    ASSERT_FALSE(mac.engine().storedLayout().sectionOf(id).has_value());
    mac.app.model()->search().setItemHotkey(
        KeyShortcut(keyD, KeyShortcut::kControl | KeyShortcut::kOption | KeyShortcut::kCommand),
        *target);
    mac.driver.drain();

    const qsizetype clicksBefore = mac.platform.desktop().readout().clicks().size();
    mac.platform.desktop().userInput().pressKey(keyD, EventFlags::control | EventFlags::option |
                                                          EventFlags::command);
    mac.run(3);

    ASSERT_FALSE(mac.engine().storedLayout().sectionOf(id).has_value())
        << "the press came before the layout placed the item";
    const QList<DeliveredClick> clicks = mac.platform.desktop().readout().clicks();
    ASSERT_EQ(clicks.size(), clicksBefore + 1);
    const QList<BarEntry> bar = mac.platform.desktop().readout().bar();
    const auto clicked = std::find_if(bar.cbegin(), bar.cend(), [&](const BarEntry &entry) {
        return entry.itemId == clicks.last().itemId;
    });
    ASSERT_NE(clicked, bar.cend());
    EXPECT_EQ(clicked->bundleIdentifier, id.bundleID);
    const QString log = hotkeyLog();
    EXPECT_TRUE(log.contains(u"key="_s + stableKey(id) + u" fired -> "_s)) << log.toStdString();
    EXPECT_FALSE(log.contains(u"FAILED"_s)) << log.toStdString();
}

// Sets the item of `bundleID` that the engine last read a hot key: Control-Option-Command and
// `key`. The item it was set for; a test failure when the bar holds none.
std::optional<MenuBarItem> giveHotkey(SimulatedMac &mac, const QString &bundleID, quint16 key) {
    for (const MenuBarItem &item : mac.engine().lastItems()) {
        if (item.id.bundleID == bundleID && !item.isDormant) {
            mac.app.model()->search().setItemHotkey(KeyShortcut(key, KeyShortcut::kControl |
                                                                         KeyShortcut::kOption |
                                                                         KeyShortcut::kCommand),
                                                    item);
            mac.driver.drain();
            return item;
        }
    }
    ADD_FAILURE() << bundleID.toStdString() << " has no item on the bar";
    return std::nullopt;
}

// How many times the auto-hide has tucked the bar.
qsizetype autoHides() {
    QList<QJsonObject> events = eventsLog();
    return std::count_if(events.cbegin(), events.cend(), [](const QJsonObject &event) {
        return event[u"kind"_s] == u"tuck"_s && event[u"reason"_s] == u"auto-rehide"_s;
    });
}

void pressHotkey(SimulatedMac &mac, quint16 key) {
    mac.platform.desktop().userInput().pressKey(key, EventFlags::control | EventFlags::option |
                                                         EventFlags::command);
}

// Runs on in small steps until an item receives something, for at most `limit` seconds: what it
// received and how long that took, or none.
std::optional<std::pair<DeliveredClick, double>> untilAClick(SimulatedMac &mac, double limit) {
    const qsizetype before = mac.platform.desktop().readout().clicks().size();
    for (double waited = 0.0; waited < limit; waited += 0.01) {
        mac.driver.run(seconds(0.01));
        const QList<DeliveredClick> clicks = mac.platform.desktop().readout().clicks();
        if (clicks.size() > before) {
            return std::pair(clicks.at(before), waited + 0.01);
        }
    }
    return std::nullopt;
}

// The laptop, arranging left to Sort My Bar: the user puts three items of Hidden after 1Password
// and chooses Sort My Bar, and while its drags are under way presses 1Password's hot key. It opens
// under itself at the sort's next pause, within a drag's time, and once its menu is closed the
// sort goes on to put the lane in the order asked for.
TEST(ItemHotkeyAppTest, OpensAnItemAskedForDuringASortUnderItselfAtTheSortsNextPause) {
    storeSettings(R"({"onboardingCompleted": true, "liveLayout": false})");
    SimulatedMac mac(quietScenario(u"laptop"_s));
    ASSERT_TRUE(mac.app.start());
    mac.run(90);
    const std::optional<MenuBarItem> asked = giveHotkey(mac, u"com.1password.1password"_s, keyD);
    ASSERT_TRUE(asked);
    ASSERT_EQ(mac.engine().storedLayout().sectionOf(asked->id), Section::hidden);
    // Right of the camera housing, the user puts Raycast, Google Drive and Docker after 1Password.
    const SectionLayout &stored = mac.engine().storedLayout();
    const QList<MenuBarItemID> moved{idIn(stored, u"com.raycast.macos"_s),
                                     idIn(stored, u"com.google.drivefs"_s),
                                     idIn(stored, u"com.docker.docker"_s)};
    for (const MenuBarItemID &id : moved) {
        mac.app.model()->move(id, Section::hidden);
    }
    mac.run(5);
    chooseFromStatusMenu(mac, u"Sort My Bar"_s);
    for (int step = 0; step < 1000 && !mac.engine().cursor().session(); ++step) {
        mac.driver.run(seconds(0.01));
    }
    ASSERT_TRUE(mac.engine().cursor().session()) << "the sort never began dragging";

    pressHotkey(mac, keyD);
    const auto opened = untilAClick(mac, 5.0);
    ASSERT_TRUE(opened) << hotkeyLog().toStdString();
    EXPECT_TRUE(mac.engine().reconcileInFlight()) << "it waited for the sort to end";
    EXPECT_LT(opened->second, 1.0);
    const std::optional<BarEntry> entry =
        mac.platform.desktop().readout().entry(opened->first.itemId);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->bundleIdentifier, asked->id.bundleID);
    EXPECT_EQ(opened->first.via, ItemOpening::Click) << "not clicked under itself";

    // The sort goes on once the user has closed 1Password's menu.
    click(mac, QPointF(700.0, 500.0));
    mac.run(60);
    EXPECT_FALSE(mac.engine().reconcileInFlight());
    const QList<MenuBarItemID> lane = mac.lanes().value(Section::hidden);
    ASSERT_GE(lane.size(), 4);
    EXPECT_EQ(lane.mid(lane.size() - 4), QList<MenuBarItemID>{asked->id} + moved);
    EXPECT_FALSE(hotkeyLog().contains(u"FAILED"_s)) << hotkeyLog().toStdString();
    EXPECT_EQ(mac.app.finish(), 0);
}

// The laptop's first run after Zorv's launch: the user presses Raycast's hot key while it is
// under way and then reads Raycast's menu for half a minute. While the menu is open the run
// neither borrows the cursor nor drags, nothing tucks, and Raycast stays where its menu opened;
// once a click elsewhere has closed the menu the run goes on and the bar settles and tucks.
TEST(ItemHotkeyAppTest, NeitherDragsNorTucksUnderAMenuItOpenedDuringTheLaunchRun) {
    // A first session puts three items into Hidden; launched again on the bar as the system lays
    // it out, Zorv starts with a run that drags them there.
    storeSettings(tourDoneSettings);
    {
        SimulatedMac before(quietScenario(u"laptop"_s));
        ASSERT_TRUE(before.app.start());
        before.run(60);
        const SectionLayout &stored = before.engine().storedLayout();
        for (const QString &bundle :
             {u"com.raycast.macos"_s, u"com.google.drivefs"_s, u"com.docker.docker"_s}) {
            before.app.model()->move(idIn(stored, bundle), Section::hidden);
        }
        before.run(60);
        ASSERT_EQ(before.app.finish(), 0);
    }
    SimulatedMac mac(quietScenario(u"laptop"_s));
    ASSERT_TRUE(mac.app.start());
    mac.run(20);
    ASSERT_TRUE(giveHotkey(mac, u"com.raycast.macos"_s, keyD));
    for (int step = 0; step < 3000 && !mac.engine().cursor().session(); ++step) {
        mac.driver.run(seconds(0.01));
    }
    ASSERT_TRUE(mac.engine().cursor().session()) << "the launch run never began dragging";
    SimulatedDesktop &desktop = mac.platform.desktop();
    pressHotkey(mac, keyD);
    const auto opened = untilAClick(mac, 5.0);
    ASSERT_TRUE(opened) << hotkeyLog().toStdString();
    const std::optional<OpenItemMenu> menu = desktop.readout().openItemMenu();
    ASSERT_TRUE(menu);
    ASSERT_EQ(desktop.readout().entry(menu->itemId)->bundleIdentifier, u"com.raycast.macos"_s);
    const QRectF raycastAt = desktop.readout().entry(menu->itemId)->frame;
    const qsizetype borrowed = eventsOfKind(u"cursor-borrowed"_s);
    const qsizetype tucks = eventsOfKind(u"tuck"_s);

    mac.run(30, [&] {
        EXPECT_EQ(desktop.readout().openItemMenu(), menu);
        // Only the clock's title, narrower as the minute turns, shifts it a few points.
        EXPECT_NEAR(desktop.readout().entry(menu->itemId)->frame.left(), raycastAt.left(), 4.0);
    });
    EXPECT_TRUE(mac.engine().reconcileInFlight());
    EXPECT_EQ(eventsOfKind(u"cursor-borrowed"_s), borrowed);
    EXPECT_EQ(eventsOfKind(u"tuck"_s), tucks);

    click(mac, QPointF(700.0, 500.0));
    EXPECT_FALSE(desktop.readout().openItemMenu());
    mac.run(60);
    EXPECT_FALSE(mac.engine().reconcileInFlight());
    EXPECT_TRUE(mac.engine().lastReconcile().value(u"settled"_s).toBool());
    EXPECT_FALSE(mac.engine().isRevealed());
    EXPECT_GT(eventsOfKind(u"tuck"_s), tucks);
    EXPECT_FALSE(hotkeyLog().contains(u"FAILED"_s)) << hotkeyLog().toStdString();
    EXPECT_EQ(mac.app.finish(), 0);
}

// The crowded bar: the user opens Bear by its hot key, which reveals the hidden items, and asks
// for Maccy by its own just as the auto-hide comes due, between Zorv's look at the bar and its
// press. Maccy opens all the same, and the bar stays revealed for the auto-hide's delay from that
// click; it tucks once that has passed and Maccy's menu is closed.
TEST(ItemHotkeyAppTest, OpensAnItemAskedForAsTheAutoHideComesDue) {
    markWelcomeTourDone();
    SimulatedMac mac(quietScenario(u"crowded-bar"_s));
    ASSERT_TRUE(mac.app.start());
    mac.run(60);
    ASSERT_TRUE(giveHotkey(mac, u"com.example.bear"_s, keyD));
    const std::optional<MenuBarItem> maccy = giveHotkey(mac, u"com.example.maccy"_s, keyS);
    ASSERT_TRUE(maccy);
    ASSERT_FALSE(mac.engine().isRevealed());
    pressHotkey(mac, keyD);
    for (int step = 0; step < 300 && !mac.engine().isRevealed(); ++step) {
        mac.driver.run(seconds(0.01));
    }
    ASSERT_TRUE(mac.engine().isRevealed());
    const MonotonicTime revealedAt = mac.clock.now();
    ASSERT_TRUE(untilAClick(mac, 3.0));
    // The auto-hide is due 10 s after Bear's reveal, a tenth of a second after Maccy's key.
    mac.driver.run(seconds(9.9) - (mac.clock.now() - revealedAt));
    const qsizetype autoHidesBefore = autoHides();
    pressHotkey(mac, keyS);
    const auto opened = untilAClick(mac, 3.0);
    ASSERT_TRUE(opened) << hotkeyLog().toStdString();
    const std::optional<BarEntry> entry =
        mac.platform.desktop().readout().entry(opened->first.itemId);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->bundleIdentifier, maccy->id.bundleID);
    mac.driver.run(seconds(mac.engine().autoRehideSeconds() - 0.1));
    EXPECT_EQ(autoHides(), autoHidesBefore);
    EXPECT_TRUE(mac.engine().isRevealed());
    // The tuck waits for Maccy's menu, which the user closes.
    mac.platform.desktop().userInput().pressKey(KeyCode::escape);
    mac.run(1);
    EXPECT_EQ(autoHides(), autoHidesBefore + 1);
    EXPECT_FALSE(mac.engine().isRevealed());
    EXPECT_FALSE(hotkeyLog().contains(u"FAILED"_s)) << hotkeyLog().toStdString();
    EXPECT_EQ(mac.app.finish(), 0);
}

// Opens the secondary bar as the user does, with a right click on Zorv's icon where the bar shows
// it: the strip's rows half a second later, or null when no strip shows.
const ItemRowsModel *openSecondaryBar(SimulatedMac &mac) {
    SimulatedDesktop &desktop = mac.platform.desktop();
    const QList<BarEntry> bar = desktop.readout().bar();
    const auto icon = std::find_if(bar.cbegin(), bar.cend(), [](const BarEntry &entry) {
        return entry.autosaveName == BarItems::zorvIconName && entry.visible;
    });
    if (icon == bar.cend()) {
        ADD_FAILURE() << "Zorv's icon is not in sight";
        return nullptr;
    }
    desktop.userInput().moveMouse(icon->frame.center());
    desktop.userInput().click(icon->frame.center(), MouseButton::Right);
    mac.driver.run(seconds(0.5));
    QQuickWindow *strip = shownWindowWith(desktop, u"strip"_s);
    return strip ? qobject_cast<ItemRowsModel *>(strip->property("rows").value<QObject *>())
                 : nullptr;
}

// Zorv launched again on the crowded bar, where the first item list comes once the launch has
// tucked the bar, seconds in: Bear's hot key, pressed three and a half seconds in, opens Bear
// within two seconds, and the secondary bar opened half a second later lists the hidden items.
TEST(ItemHotkeyAppTest, ReachesAnItemAndTheSecondaryBarSecondsAfterARelaunchOnTheCrowdedBar) {
    storeSettings(R"({"onboardingCompleted": true, "secondaryBarEnabled": true})");
    const QTemporaryDir folder;
    SimOptions options;
    options.scenario = u"crowded-bar"_s;
    options.positionsPath = folder.filePath(u"positions.json"_s);
    std::vector<std::string> hidden;
    {
        SimulatedMac first(DesktopApp::loadScenario(options), options);
        ASSERT_TRUE(first.app.start());
        first.run(60);
        ASSERT_TRUE(giveHotkey(first, u"com.example.bear"_s, keyD));
        first.run(30);
        for (const MenuBarItemID &id : first.engine().storedLayout().ids(Section::hidden)) {
            hidden.push_back(id.bundleID.toStdString());
        }
        ASSERT_FALSE(hidden.empty());
        ASSERT_EQ(first.app.finish(), 0);
        first.app.waitForQuitWrites();
        first.driver.drain();
    }
    SimulatedMac mac(DesktopApp::loadScenario(options), options);
    ASSERT_TRUE(mac.app.start());
    const MonotonicTime launched = mac.clock.now();
    const auto at = [&](double second) {
        mac.driver.run(launched + seconds(second) - mac.clock.now());
    };
    SimulatedDesktop &desktop = mac.platform.desktop();
    const auto bearClicked = [&desktop] {
        const QList<DeliveredClick> clicks = desktop.readout().clicks();
        return std::any_of(clicks.cbegin(), clicks.cend(), [](const DeliveredClick &click) {
            return click.item.bundleId == u"com.example.bear"_s;
        });
    };

    at(3.5);
    pressHotkey(mac, keyD);
    at(4.0);
    const ItemRowsModel *rows = openSecondaryBar(mac);
    ASSERT_NE(rows, nullptr);
    // Left to right, less the item of a script without a bundle, which no layout keeps.
    std::vector<std::string> listed;
    for (const MenuBarItem &item : rows->items()) {
        if (!item.id.isEphemeral()) {
            listed.push_back(item.id.bundleID.toStdString());
        }
    }
    EXPECT_EQ(listed, hidden) << "the strip reads Nothing hidden while empty";
    while (!bearClicked() && mac.clock.now() < launched + seconds(5.5)) {
        mac.driver.run(seconds(0.01));
    }
    EXPECT_TRUE(bearClicked()) << hotkeyLog().toStdString();
    // The key waited for the first item list, and is not matched a second time once its wait ends.
    at(15.0);
    EXPECT_EQ(hotkeyLog().count(u" fired -> "_s), 1) << hotkeyLog().toStdString();
    EXPECT_FALSE(hotkeyLog().contains(u"NO MATCH"_s)) << hotkeyLog().toStdString();
    EXPECT_EQ(mac.app.finish(), 0);
}

} // namespace
} // namespace zorv
