#include "appinput.h"
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

// The pane's lane held in its property `lane` ("shownLane", "hiddenLane").
LaneModel *laneOf(QQuickWindow &window, const char *lane) {
    auto *pane = window.property("paneItem").value<QObject *>();
    return pane ? pane->property(lane).value<QObject *>()->property("lane").value<LaneModel *>()
                : nullptr;
}

// The crowded notched laptop on the day Zorv is first installed, Finder in front.
Scenario crowdedFirstLaunch() {
    QJsonObject scenario = shippedScenario(u"crowded-first-launch"_s);
    scenario.insert(u"events"_s, QJsonArray{});
    return parsedScenario(scenario, u"crowded-first-launch"_s);
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
    LaneModel *shown = laneOf(*window, "shownLane");
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
    SimulatedMac mac(crowdedFirstLaunch());
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
    LaneModel *shown = laneOf(*window, "shownLane");
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

// On the crowded laptop on Zorv's first day the Hidden lane holds more chips than the pane is
// wide, the last where an item moved to it goes: the wheel turned with Shift held over the lane
// brings that chip into view.
TEST(LayoutPaneAppTest, AScrollSidewaysBringsTheLastChipOfALongLaneIntoView) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    markWelcomeTourDone();
    SimulatedMac mac(crowdedFirstLaunch());
    ASSERT_TRUE(mac.app.start());
    mac.run(180);
    QQuickWindow *window = openLayoutPane(mac);
    ASSERT_NE(window, nullptr);
    const LaneModel *hidden = laneOf(*window, "hiddenLane");
    const QQuickItem *well = findIn(window->contentItem(), u"well-hidden"_s);
    ASSERT_TRUE(hidden && well);
    const QQuickItem *last =
        findIn(window->contentItem(), u"chip-hidden-%1"_s.arg(hidden->count() - 1));
    ASSERT_NE(last, nullptr);
    const auto inView = [&] {
        return well->mapRectToScene(well->boundingRect())
            .contains(last->mapRectToScene(last->boundingRect()));
    };
    ASSERT_FALSE(inView());

    UserInput &hands = mac.platform.desktop().userInput();
    hands.moveMouse(pointOf(mac.platform.desktop(), window, u"well-hidden"_s).value());
    for (int notch = 0; notch < 100 && !inView(); ++notch) {
        hands.holding(EventFlags::shift, [&](quint64 held) { hands.scroll(-1, held); });
        mac.driver.drain();
    }
    EXPECT_TRUE(inView());

    // The wheel up or down over the lane is the pane's, which scrolls once the window is short.
    serverOf(mac.platform.desktop(), window)->userResizes(QSizeF(window->width(), 360));
    mac.driver.drain();
    hands.scroll(-3);
    mac.driver.drain();
    EXPECT_GT(findIn(window->contentItem(), u"paneScroller"_s)->property("contentY").toDouble(), 0);
    const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    QDir().mkpath(folder);
    window->grabWindow().save(folder + u"/app-layout-lane-scrolled.png"_s);
    EXPECT_EQ(mac.app.finish(), 0);
}

} // namespace
} // namespace zorv
