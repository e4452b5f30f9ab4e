#include "lanemodel.h"
#include "scenariomac.h"
#include "settingswindowmodel.h"
#include "storage/zorvpaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QQuickItem *findIn(QQuickItem *item, const QString &name) {
    if (item->objectName() == name) {
        return item;
    }
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findIn(child, name)) {
            return found;
        }
    }
    return nullptr;
}

QPoint centre(const QQuickItem &item) {
    return item.mapToScene(QPointF(item.width() / 2, item.height() / 2)).toPoint();
}

// Opens the settings window on the Layout pane, its guide put away; null when it does not open.
QQuickWindow *openLayoutPane(SimulatedMac &mac) {
    mac.app.openSettings(SettingsPane::arrange);
    mac.driver.drain();
    SettingsWindowController *settings = mac.app.settingsWindow();
    if (!settings) {
        return nullptr;
    }
    settings->model()->finishGuide();
    mac.driver.drain();
    return settings->window();
}

LaneModel *shownLane(QQuickWindow &window) {
    auto *pane = window.property("paneItem").value<QObject *>();
    return pane ? pane->property("shownLane")
                      .value<QObject *>()
                      ->property("lane")
                      .value<LaneModel *>()
                : nullptr;
}

// Drags the chip with the pointer past every chip of the Hidden lane: its item goes to the end.
void dragToTheEndOfHidden(SimulatedMac &mac, QQuickWindow &window, const QString &chipName) {
    QQuickItem *chip = findIn(window.contentItem(), chipName);
    QQuickItem *well = findIn(window.contentItem(), u"well-hidden"_s);
    ASSERT_TRUE(chip && well);
    const QPoint from = centre(*chip);
    const QPoint to(int(well->mapToScene(QPointF(well->width() - 20, 0)).x()), centre(*well).y());
    QTest::mousePress(&window, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 12; ++step) {
        QTest::mouseMove(&window, from + (to - from) * step / 12);
        QCoreApplication::processEvents();
    }
    QTest::mouseRelease(&window, Qt::LeftButton, {}, to);
    mac.driver.drain();
}

// In the running application, a chip dragged with the pointer from the Shown lane of the layout
// pane to its Hidden lane makes the engine move that item behind the separator on the drawn bar.
TEST(LayoutPaneAppTest, DraggingAChipToTheHiddenLaneHidesTheItemInTheBar) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    SimulatedMac mac(reachableLaptop({}));
    ASSERT_TRUE(mac.app.start());
    mac.run(70);

    QQuickWindow *window = openLayoutPane(mac);
    ASSERT_NE(window, nullptr);
    LaneModel *shown = shownLane(*window);
    ASSERT_NE(shown, nullptr);
    ASSERT_GT(shown->count(), 1);
    // The pane with the bar's own pictures, for people to look at.
    const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    QDir().mkpath(folder);
    window->grabWindow().save(folder + u"/app-layout-pane.png"_s);

    // The first chip of the Shown lane, by its item in the engine's eyes.
    const QString key = shown->data(shown->index(0), LaneModel::KeyRole).toString();
    const QString name = shown->data(shown->index(0), LaneModel::NameRole).toString();
    const Lanes before = mac.lanes();
    const auto moved =
        std::find_if(before[Section::shown].cbegin(), before[Section::shown].cend(),
                     [&](const MenuBarItemID &id) { return id.title.value_or(QString()) == name; });
    ASSERT_NE(moved, before[Section::shown].cend()) << name.toStdString();
    const MenuBarItemID item = *moved;

    ASSERT_NO_FATAL_FAILURE(dragToTheEndOfHidden(mac, *window, u"chip-shown-0"_s));
    // The lane shows the move at once; the bar follows after the reconcile's delay.
    EXPECT_EQ(shown->count(), before[Section::shown].size() - 1);
    mac.run(10);

    const Lanes after = mac.lanes();
    EXPECT_FALSE(after[Section::shown].contains(item)) << key.toStdString();
    ASSERT_FALSE(after[Section::hidden].isEmpty());
    EXPECT_EQ(after[Section::hidden].last(), item);
    EXPECT_EQ(mac.engine().storedLayout().ids(Section::hidden).last(), item);
    EXPECT_EQ(mac.app.finish(), 0);
}

// The crowded notched laptop on the day Zorv is first installed, Finder in front: AltTab, in
// sight in Shown, dragged to the Hidden lane of the pane is dragged behind the separator on the bar
// within a minute and is out of sight once the bar is tucked.
TEST(LayoutPaneAppTest, AnItemMovedToHiddenAfterAFirstLaunchOnACrowdedBarIsHidden) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    markWelcomeTourDone();
    QJsonObject scenario = shippedScenario(u"crowded-first-launch"_s);
    scenario.insert(u"events"_s, QJsonArray{});
    SimulatedMac mac(parsedScenario(scenario, u"crowded-first-launch"_s));
    ASSERT_TRUE(mac.app.start());
    mac.run(180);
    const auto altTab = [&mac] {
        for (const BarEntry &entry : mac.platform.desktop().readout().bar()) {
            if (entry.bundleIdentifier == u"com.lwouis.alt-tab-macos"_s) {
                return entry;
            }
        }
        return BarEntry{};
    };
    ASSERT_TRUE(altTab().visible);

    QQuickWindow *window = openLayoutPane(mac);
    ASSERT_NE(window, nullptr);
    LaneModel *shown = shownLane(*window);
    ASSERT_NE(shown, nullptr);
    int row = 0;
    while (row < shown->count() &&
           shown->data(shown->index(row), LaneModel::NameRole).toString() != u"AltTab"_s) {
        ++row;
    }
    ASSERT_LT(row, shown->count());
    ASSERT_NO_FATAL_FAILURE(dragToTheEndOfHidden(mac, *window, u"chip-shown-%1"_s.arg(row)));
    mac.run(60);

    const QList<MenuBarItemID> hidden = mac.lanes().value(Section::hidden);
    EXPECT_TRUE(std::any_of(hidden.cbegin(), hidden.cend(), [](const MenuBarItemID &id) {
        return id.bundleID == u"com.lwouis.alt-tab-macos"_s;
    }));
    EXPECT_FALSE(mac.engine().isRevealed());
    EXPECT_FALSE(altTab().onScreen) << altTab().frame.left();
    EXPECT_EQ(mac.app.finish(), 0);
}

} // namespace
} // namespace zorv
