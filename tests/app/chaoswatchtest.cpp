#include "chaos/chaoswatch.h"
#include "chaos/chaosplan.h"
#include "scenariomac.h"
#include "script/screenarrangement.h"
#include "storage/zorvpaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <functional>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The same seed makes the same plan, so a failing seed replays exactly; another seed makes
// another.
TEST(ChaosPlanTest, aSeedAlwaysMakesTheSamePlan) {
    const ChaosPlan plan = ChaosPlan::generate(7, seconds(1800));
    EXPECT_EQ(ChaosPlan::generate(7, seconds(1800)).describe(), plan.describe());
    EXPECT_NE(ChaosPlan::generate(8, seconds(1800)).describe(), plan.describe());
    EXPECT_GT(plan.scenario.events.size(), 50);
    EXPECT_GT(plan.steps.size(), 10);
    // The rarest happening comes in a long plan, unless it is left out.
    EXPECT_TRUE(
        ChaosPlan::generate(7, seconds(36000)).describe().contains(u"moveZorvIconToLeftEnd"_s));
    EXPECT_FALSE(ChaosPlan::generate(7, seconds(36000), {u"iconToLeftEnd"_s})
                     .describe()
                     .contains(u"moveZorvIconToLeftEnd"_s));
    // Only the crowded laptop brings menus of 700 pt and more to the front and has the user ask
    // for items.
    const QRegularExpression longMenus(u"menus (70[1-9]|7[1-9]\\d|[89]\\d\\d|1[01]\\d\\d)$"_s,
                                       QRegularExpression::MultilineOption);
    const QString crowded =
        ChaosPlan::generate(7, seconds(3600), {}, ChaosPlan::Mac::crowdedNotched).describe();
    EXPECT_TRUE(crowded.contains(longMenus));
    EXPECT_TRUE(crowded.contains(u"step activation"_s));
    EXPECT_FALSE(ChaosPlan::generate(7, seconds(3600)).describe().contains(longMenus));
    EXPECT_FALSE(ChaosPlan::generate(7, seconds(3600)).describe().contains(u"step activation"_s));
}

// The first item of the list that is not pinned by the system.
std::optional<MenuBarItemID> firstMovable(const QList<MenuBarItemID> &ids) {
    const auto movable = std::find_if(ids.cbegin(), ids.cend(),
                                      [](const MenuBarItemID &id) { return !id.isSystemPinned(); });
    return movable == ids.cend() ? std::nullopt : std::optional<MenuBarItemID>(*movable);
}

// Each invariant's watch notices the breach it is there for: a watch that cannot fail would
// let every chaos run pass.
TEST(ChaosWatchTest, noticesEveryKindOfBreach) {
    const struct {
        const char *name;
        std::function<void(SimulatedMac &, ChaosWatch &)> sabotage;
        const char *noticed;
        ChaosWatch::IconRule iconRule = ChaosWatch::IconRule::offScreen;
        // The bar's clock keeps one time, so that its width never pushes the items about.
        bool stoppedClock = false;
    } cases[] = {
        {"cursor left detached",
         [](SimulatedMac &mac, ChaosWatch &) {
             mac.platform.desktop().inputEvents().associateMouseAndCursor(false);
         },
         "detached from the mouse"},
        {"cursor left hidden",
         [](SimulatedMac &mac, ChaosWatch &) {
             InputEvents &input = mac.platform.desktop().inputEvents();
             input.hideCursor(input.mainDisplayId());
         },
         "the cursor is hidden"},
        {"drag under the user's hands",
         [](SimulatedMac &mac, ChaosWatch &) {
             SimulatedDesktop &desktop = mac.platform.desktop();
             desktop.userInput().click(QPointF(700, 600));
             mac.driver.run(seconds(0.5));
             auto source =
                 desktop.inputEvents().createEventSource(EventSourceState::CombinedSession);
             (void)source->post(MouseEvent{EventType::LeftMouseDown, QPointF(1200, 12),
                                           MouseButton::Left, EventFlags::command, 1});
             (void)source->post(MouseEvent{EventType::LeftMouseUp, QPointF(1200, 12),
                                           MouseButton::Left, EventFlags::command, 1});
         },
         "began a drag 0.50 s after"},
        {"item lost from the wanted layout",
         [](SimulatedMac &mac, ChaosWatch &) {
             SectionLayout layout = mac.app.model()->layoutOrder();
             for (Section lane : allSections) {
                 QList<MenuBarItemID> ids = layout.ids(lane);
                 if (!ids.isEmpty()) {
                     ids.removeFirst();
                     layout.sections.insert(lane, ids);
                     break;
                 }
             }
             mac.app.model()->setLayoutOrder(layout);
         },
         "left the wanted layout"},
        {"store file gone",
         [](SimulatedMac &, ChaosWatch &) { QFile::remove(ZorvPaths::file(u"layout.json"_s)); },
         "layout.json is gone"},
        {"store file cut short",
         [](SimulatedMac &, ChaosWatch &) {
             QFile file(ZorvPaths::file(u"layout.json"_s));
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("[{\"section\": ");
         },
         "layout.json cannot be read"},
        {"icon under the front application's menus while the rightmost slot is clear",
         [](SimulatedMac &mac, ChaosWatch &watch) {
             SimulatedDesktop &desktop = mac.platform.desktop();
             ApplicationRegistry &apps = desktop.applications();
             const auto icon =
                 desktop.items().find(apps.currentProcessId(), BarItems::zorvIconName);
             ASSERT_TRUE(icon.has_value());
             // Just right of the hidden separator, in the shown part of the bar.
             qsizetype index = 0;
             for (const BarEntry &entry : desktop.readout().bar()) {
                 if (entry.autosaveName == BarItems::zorvHiddenSeparatorName) {
                     break;
                 }
                 index += entry.immovable || entry.itemId == *icon ? 0 : 1;
             }
             desktop.items().moveToIndex(*icon, index + 1);
             desktop.model().layOutNow();
             const std::optional<BarEntry> entry = desktop.readout().entry(*icon);
             ASSERT_TRUE(entry.has_value());
             ASSERT_TRUE(entry->onScreen) << entry->frame.left();
             // Menus that reach the camera housing continue right of it.
             const qint32 front = *apps.frontmostProcessId();
             const double reach = entry->frame.right() + 10.0;
             apps.setMenusWidth(front, reach);
             apps.setMenusWidth(front, 2 * reach - *desktop.readout().menusRight(entry->displayId));
             ASSERT_TRUE(desktop.readout().entry(*icon)->underMenus);
             // Past the watchdog's stand-down after the watch first saw the screens.
             mac.clock.advance(seconds(4));
             watch.checkTick();
             mac.clock.advance(seconds(3));
         },
         "icon out of sight for 3.0 s though it fits", ChaosWatch::IconRule::notDrawn},
        {"activation that opens nothing and says nothing",
         [](SimulatedMac &mac, ChaosWatch &watch) {
             watch.activationAsked(mac.app.model()->itemsIn(Section::shown).first().id,
                                   ClickKind::right, u"the Layout pane"_s);
             mac.clock.advance(seconds(ChaosWatch::kActivationSeconds + 1.0));
         },
         "asked for by the Layout pane (right click) neither opened nor failed"},
        {"right click answered by a left one",
         [](SimulatedMac &mac, ChaosWatch &watch) {
             const MenuBarItemID id = mac.app.model()->itemsIn(Section::shown).last().id;
             watch.activationAsked(id, ClickKind::right, u"the Layout pane"_s);
             mac.app.model()->activate(id, ClickKind::left);
             mac.driver.run(seconds(5));
             mac.clock.advance(seconds(ChaosWatch::kActivationSeconds + 1.0));
         },
         "asked for by the Layout pane (right click) neither opened nor failed"},
        {"activation said to find a menu open that was not",
         [](SimulatedMac &mac, ChaosWatch &watch) {
             const MenuBarItemID id = mac.app.model()->itemsIn(Section::shown).first().id;
             watch.activationAsked(id, ClickKind::left, u"the Layout pane"_s);
             QFile record(ZorvPaths::file(u"last-activate.json"_s));
             ASSERT_TRUE(record.open(QIODevice::WriteOnly));
             record.write(u"{\"kind\": \"activate\", \"item\": \"%1\", \"outcome\": \"its menu was "
                          "open already\", \"wasTucked\": false}"_s.arg(id.bundleID)
                              .toUtf8());
             record.close();
             watch.checkTick();
             mac.clock.advance(seconds(ChaosWatch::kActivationSeconds + 1.0));
         },
         "(its activation record: its menu was open already)"},
        {"item given up where it stands with no refused drag",
         [](SimulatedMac &mac, ChaosWatch &) {
             SectionLayout layout = mac.app.model()->layoutOrder();
             QList<MenuBarItemID> shown = layout.ids(Section::shown);
             const std::optional<MenuBarItemID> movable = firstMovable(shown);
             ASSERT_TRUE(movable.has_value());
             const MenuBarItemID id = *movable;
             QFile log(ZorvPaths::file(u"reconcile-log.jsonl"_s));
             ASSERT_TRUE(log.open(QIODevice::Append));
             log.write(u"{\"kind\": \"adopt\", \"item\": \"%1\", \"lane\": \"hidden\", "
                       "\"reason\": \"lane drag refused on 2 runs, still out of place 45s "
                       "later\"}\n"_s.arg(id.bundleID)
                           .toUtf8());
             log.close();
             shown.removeAll(id);
             layout.sections.insert(Section::shown, shown);
             layout.sections.insert(Section::hidden, layout.ids(Section::hidden) + QList{id});
             mac.app.model()->setLayoutOrder(layout);
         },
         "changed lane (shown to hidden) with no drag, adoption or refused drags"},
        {"item out of its stored lane on a settled bar, from the last display change",
         [](SimulatedMac &mac, ChaosWatch &watch) {
             // As wide as the laptop's, so that the bar's items stand alike on both.
             ScreenArrangement &screens = mac.platform.desktop().arrangement();
             ScreenDescription twin;
             twin.size = {1512, 982};
             twin.origin = QPointF(1512, 0);
             const DisplayId second = screens.add(twin);
             mac.driver.run(seconds(40.0));
             SectionLayout layout = mac.app.model()->layoutOrder();
             QList<MenuBarItemID> shown = layout.ids(Section::shown);
             const std::optional<MenuBarItemID> movable = firstMovable(shown);
             ASSERT_TRUE(movable.has_value());
             const MenuBarItemID id = *movable;
             shown.removeAll(id);
             layout.sections.insert(Section::shown, shown);
             layout.sections.insert(Section::alwaysHidden,
                                    layout.ids(Section::alwaysHidden) + QList{id});
             mac.app.model()->setLayoutOrder(layout);
             watch.checkTick();
             watch.checkLanes();
             // The bar goes over to the other display: the engine's scans wait for the screens
             // to settle before a run mends anything.
             mac.clock.advance(seconds(ChaosWatch::kSettledSeconds - 10.0));
             ASSERT_TRUE(screens.setMainScreen(second));
             mac.platform.desktop().model().layOutNow();
             watch.checkLanes();
             mac.clock.advance(seconds(20.0));
             watch.checkLanes();
             EXPECT_EQ(watch.breachCount(), 0) << watch.breaches().join(u'\n').toStdString();
             mac.clock.advance(seconds(ChaosWatch::kSettledSeconds));
         },
         "stands in shown on the settled bar, stored in alwaysHidden",
         ChaosWatch::IconRule::offScreen, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(ZorvPaths::root()).removeRecursively();
        Scenario scenario = ChaosPlan::generate(1, seconds(0)).scenario;
        for (ScenarioApplication &application : scenario.applications) {
            for (ScenarioItem &item : application.items) {
                item.clock = item.clock && !c.stoppedClock;
            }
        }
        SimulatedMac mac(scenario);
        ASSERT_TRUE(mac.app.start());
        // The poll's first scans adopt every item within the first minute.
        mac.driver.run(seconds(70));
        ASSERT_FALSE(mac.app.model()->layoutOrder().ids(Section::shown).isEmpty());
        ChaosWatch watch(mac.platform.desktop(), *mac.app.engine(), *mac.app.model(), mac.clock,
                         c.iconRule);
        QObject::connect(mac.app.model(), &AppModel::layoutOrderChanged, mac.app.model(),
                         [&watch] { watch.layoutChanged(); });
        watch.checkTick();
        watch.checkHands();
        watch.checkStores();
        watch.checkLanes();
        ASSERT_EQ(watch.breachCount(), 0) << watch.breaches().join(u'\n').toStdString();
        ASSERT_FALSE(mac.app.engine()->reconcileInFlight());

        c.sabotage(mac, watch);
        watch.checkTick();
        watch.checkHands();
        watch.checkStores();
        watch.checkLanes();
        EXPECT_TRUE(watch.breaches().join(u'\n').contains(QString::fromLatin1(c.noticed)))
            << watch.breaches().join(u'\n').toStdString();
        (void)mac.app.finish();
        mac.driver.drain();
    }
}

// An activation that clicks its item in sight is seen through whichever click it asked for, and
// is no breach; so is one of an application's items the user dragged past its sibling right
// before asking, before the engine looked at the bar again, and one that finds the item's menu
// open.
TEST(ChaosWatchTest, anItemClickedInSightIsOpened) {
    QDir(ZorvPaths::root()).removeRecursively();
    SimulatedMac mac(reachableLaptop({}));
    ASSERT_TRUE(mac.app.start());
    mac.driver.run(seconds(70));
    ChaosWatch watch(mac.platform.desktop(), *mac.app.engine(), *mac.app.model(), mac.clock,
                     ChaosWatch::IconRule::notDrawn);
    const QList<MenuBarItem> shown = mac.app.model()->itemsIn(Section::shown);
    ASSERT_GE(shown.size(), 3);
    qint64 opened = 0;
    for (const ClickKind click : {ClickKind::left, ClickKind::right, ClickKind::option}) {
        const MenuBarItem &item = shown.at(qsizetype(++opened));
        watch.activationAsked(item.id, click, u"the Layout pane"_s);
        mac.app.model()->activate(item.id, click);
        for (int tick = 0; tick < 25; ++tick) {
            mac.driver.run(seconds(0.2));
            watch.checkTick();
        }
        EXPECT_EQ(watch.counts().activations, opened) << item.id.bundleID.toStdString();
    }

    SimulatedDesktop &desktop = mac.platform.desktop();
    const QString siblings = u"com.apple.controlcenter"_s;
    QList<BarEntry> inSight;
    for (const BarEntry &entry : desktop.readout().bar()) {
        if (entry.bundleIdentifier == siblings && entry.visible && !entry.immovable) {
            inSight.append(entry);
        }
    }
    ASSERT_GE(inSight.size(), 2);
    const QList<MenuBarItem> &scanned = mac.app.engine()->lastItems();
    const auto first = std::find_if(scanned.cbegin(), scanned.cend(), [&](const MenuBarItem &item) {
        return item.id.bundleID == siblings && item.frame == inSight.first().frame;
    });
    ASSERT_NE(first, scanned.cend());
    const MenuBarItemID id = first->id;
    ASSERT_TRUE(
        desktop.userInput().commandDragItem(inSight.first().itemId, inSight.last().frame.right()));
    desktop.model().layOutNow();
    watch.activationAsked(id, ClickKind::left, u"the Layout pane"_s);
    mac.app.model()->activate(id, ClickKind::left);
    for (int tick = 0; tick < 25; ++tick) {
        mac.driver.run(seconds(0.2));
        watch.checkTick();
    }
    EXPECT_EQ(watch.counts().activations, opened + 1);
    EXPECT_EQ(watch.breachCount(), 0) << watch.breaches().join(u'\n').toStdString();

    // An item whose menu is open is left so, and counts as opened though the user chooses a row
    // in the menu before the watch looks again.
    const MenuBarItem withMenu = mac.app.model()->itemsIn(Section::shown).at(1);
    desktop.userInput().click(withMenu.frame.center());
    const std::optional<OpenItemMenu> userOpened = desktop.readout().openItemMenu();
    ASSERT_TRUE(userOpened.has_value());
    ASSERT_EQ(userOpened->item.bundleId, withMenu.id.bundleID);
    watch.activationAsked(withMenu.id, ClickKind::left, u"the Layout pane"_s);
    mac.app.model()->activate(withMenu.id, ClickKind::left);
    const auto answered = [] {
        QFile record(ZorvPaths::file(u"last-activate.json"_s));
        return record.open(QIODevice::ReadOnly) &&
               record.readAll().contains("its menu was open already");
    };
    for (int step = 0; step < 500 && !answered(); ++step) {
        mac.driver.run(seconds(0.01));
    }
    ASSERT_TRUE(answered());
    ASSERT_TRUE(desktop.userInput().chooseInItemMenu());
    for (int tick = 0; tick < 25; ++tick) {
        mac.driver.run(seconds(0.2));
        watch.checkTick();
    }
    EXPECT_EQ(watch.counts().activations, opened + 2);
    mac.clock.advance(seconds(ChaosWatch::kActivationSeconds));
    watch.checkTick();
    EXPECT_EQ(watch.breachCount(), 0) << watch.breaches().join(u'\n').toStdString();
    (void)mac.app.finish();
    mac.driver.drain();
}

} // namespace
} // namespace zorv
