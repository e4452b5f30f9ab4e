#include "enginesections.h"
#include "heardupdates.h"
#include "itempositionsmodel.h"
#include "screenlistmodel.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

BarEntry entry(const QString &name, double x, bool visible, bool onScreen = true,
               bool underMenus = false, bool underHousing = false) {
    BarEntry entry;
    entry.autosaveName = name;
    entry.applicationName = u"App "_s + name;
    entry.bundleIdentifier = u"com.example."_s + name;
    entry.frame = QRectF(x, 0, 24, 24);
    entry.visible = visible;
    entry.onScreen = onScreen;
    entry.underMenus = underMenus;
    entry.underHousing = underHousing;
    return entry;
}

ScreenSnapshot screen(DisplayId id, const QString &name, QList<BarEntry> entries) {
    ScreenSnapshot snapshot;
    snapshot.screen.displayId = id;
    snapshot.screen.name = name;
    snapshot.screen.frame = QRectF(0, 0, 1512, 982);
    snapshot.screen.menuBarHeight = 37;
    snapshot.scene.size = snapshot.screen.frame.size();
    snapshot.entries = std::move(entries);
    return snapshot;
}

QVariant value(const QAbstractItemModel &model, int row, int role) {
    return model.data(model.index(row, 0), role);
}

// An item of com.example.`app` as the engine lists it.
MenuBarItem menuItem(const QString &app, const std::optional<QString> &title, Section section,
                     QRectF frame = QRectF(), bool dormant = false) {
    return {MenuBarItemID{u"com.example."_s + app, title, std::nullopt, 0},
            1,
            app,
            frame,
            std::nullopt,
            std::nullopt,
            section,
            false,
            dormant,
            false};
}

// One role's values down the rows, as strings.
QStringList column(const QAbstractItemModel &model, int role) {
    QStringList values;
    for (int row = 0; row < model.rowCount(); ++row) {
        values.append(value(model, row, role).toString());
    }
    return values;
}

TEST(ItemPositionsModelTest, ListsEveryScreensItemsWithTheirState) {
    ItemPositionsModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setScreens(
        {screen(1, u"Laptop"_s,
                {entry(u"far"_s, -40, false, false), entry(u"menus"_s, 300, false, true, true),
                 entry(u"notch"_s, 700, false, true, false, true), entry(u"shown"_s, 1200, true)}),
         screen(2, u"Wide"_s, {entry(u"far"_s, 7000, true)})});
    EXPECT_EQ(column(model, ItemPositionsModel::StateRole),
              (QStringList{u"off screen"_s, u"under the menus"_s, u"under the camera housing"_s,
                           u"shown"_s, u"shown"_s}));
    EXPECT_EQ(column(model, ItemPositionsModel::StartsScreenRole),
              (QStringList{u"true"_s, u"false"_s, u"false"_s, u"false"_s, u"true"_s}));
    EXPECT_EQ(value(model, 4, ItemPositionsModel::ScreenRole).toString(), u"Wide (display 2)"_s);
    EXPECT_EQ(value(model, 0, ItemPositionsModel::XRole).toDouble(), -40.0);
    EXPECT_EQ(value(model, 0, ItemPositionsModel::ApplicationRole).toString(), u"App far"_s);
}

// The engine's items pair with the bar's per application, left to right: its scan and the bar
// may disagree on positions after a reveal, never on an application's own order.
TEST(ItemPositionsModelTest, ShowsTheSectionTheEngineGivesEachItem) {
    QList<BarEntry> bar{entry(u"two"_s, -300, false, false), entry(u"two"_s, 900, true),
                        entry(u"unseen"_s, 1000, true)};
    bar[0].itemId = 1;
    bar[1].itemId = 2;
    bar[2].itemId = 3;
    // Scanned while tucked: the hidden one far left; the dormant one never pairs.
    const QHash<quint64, Section> sections = EngineSections::of(
        bar, {menuItem(u"two"_s, u"b"_s, Section::shown, QRectF(1100, 0, 24, 24)),
              menuItem(u"two"_s, u"gone"_s, Section::hidden, QRectF(), true),
              menuItem(u"two"_s, u"a"_s, Section::hidden, QRectF(-2000, 0, 24, 24))});
    EXPECT_EQ(sections, (QHash<quint64, Section>{{1, Section::hidden}, {2, Section::shown}}));

    ItemPositionsModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setScreens({screen(1, u"Laptop"_s, bar)}, sections);
    EXPECT_EQ(column(model, ItemPositionsModel::SectionRole),
              (QStringList{u"hidden"_s, u"shown"_s, QString()}));
}

// An item on the bar of display 1 or 2, visible, known by its id.
BarEntry placed(quint64 id, const QString &name, double x) {
    BarEntry placed = entry(name, x, true);
    placed.itemId = id;
    return placed;
}

// Rows follow their item on its screen: an item that comes, goes or moves touches its own row,
// and the row whose screen heading it shifts; the list is never reset, so it keeps its scroll
// position. An item moved to another screen is another row there.
TEST(ItemPositionsModelTest, ChangesOnlyTheRowsOfItemsThatCameWentOrMoved) {
    const BarEntry a = placed(1, u"a"_s, 10);
    const BarEntry b = placed(2, u"b"_s, 50);
    const BarEntry c = placed(3, u"c"_s, 90);
    const QList<ScreenSnapshot> before{screen(1, u"A"_s, {a, b}), screen(2, u"B"_s, {c})};
    const struct {
        const char *name;
        QList<ScreenSnapshot> after;
        QStringList heard;
        QStringList startsScreen;
    } cases[] = {
        {"nothing changed", before, {}, {u"true"_s, u"false"_s, u"true"_s}},
        {"an item moves along its bar",
         {screen(1, u"A"_s, {a, placed(2, u"b"_s, 60)}), screen(2, u"B"_s, {c})},
         {u"changed 1"_s},
         {u"true"_s, u"false"_s, u"true"_s}},
        {"an item appears",
         {screen(1, u"A"_s, {a, placed(4, u"new"_s, 30), b}), screen(2, u"B"_s, {c})},
         {u"inserted 1"_s},
         {u"true"_s, u"false"_s, u"false"_s, u"true"_s}},
        {"the first item goes",
         {screen(1, u"A"_s, {b}), screen(2, u"B"_s, {c})},
         {u"removed 0"_s, u"changed 0"_s},
         {u"true"_s, u"true"_s}},
        {"an item moves to the next screen, before its first item",
         {screen(1, u"A"_s, {a}), screen(2, u"B"_s, {b, c})},
         {u"removed 1"_s, u"inserted 1"_s, u"changed 2"_s},
         {u"true"_s, u"true"_s, u"false"_s}},
        {"two items swap places",
         {screen(1, u"A"_s, {placed(2, u"b"_s, 10), placed(1, u"a"_s, 50)}),
          screen(2, u"B"_s, {c})},
         {u"moved 1 to 0"_s, u"changed 0"_s, u"changed 1"_s},
         {u"true"_s, u"false"_s, u"true"_s}},
        {"a display is unplugged",
         {screen(1, u"A"_s, {a, b})},
         {u"removed 2"_s},
         {u"true"_s, u"false"_s}},
    };
    for (const auto &c : cases) {
        ItemPositionsModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        model.setScreens(before);
        HeardUpdates heard(model);
        model.setScreens(c.after);
        EXPECT_EQ(heard.take(), c.heard) << c.name;
        EXPECT_EQ(column(model, ItemPositionsModel::StartsScreenRole), c.startsScreen) << c.name;
    }
}

TEST(ScreenListModelTest, DescribesEachScreenAndCarriesItsScene) {
    ScreenListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ScreenSnapshot laptop = screen(1, u"Laptop"_s, {});
    laptop.screen.cameraHousingWidth = 200;
    laptop.active = true;
    laptop.globalFrame = QRectF(0, 0, 1512, 982);
    laptop.look = MacScreenScene::of(laptop.scene, std::nullopt, true, u"Finder"_s);
    ScreenSnapshot airplay = screen(2, u"AirPlay"_s, {});
    airplay.screen.notHiding = true;
    airplay.screen.scale = 1;
    model.setScreens({laptop, airplay});

    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(value(model, 0, ScreenListModel::DetailsRole).toString(),
              u"1512 × 982 points, scale 2, camera housing 200 points wide"_s);
    EXPECT_EQ(value(model, 1, ScreenListModel::DetailsRole).toString(),
              u"1512 × 982 points, scale 1, does not follow length changes"_s);
    EXPECT_TRUE(value(model, 0, ScreenListModel::ActiveRole).toBool());
    EXPECT_EQ(value(model, 0, ScreenListModel::SceneRole).value<MacScreenScene>(), laptop.look);
    EXPECT_EQ(value(model, 0, ScreenListModel::FrameRole).toRectF(), laptop.globalFrame);

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    airplay.scene.menusRight = 300;
    model.setScreens({laptop, airplay});
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 1);
    HeardUpdates heard(model);
    model.setScreens({airplay});
    EXPECT_EQ(value(model, 0, ScreenListModel::NameRole).toString(), u"AirPlay"_s);
    model.setScreens({laptop, airplay});
    EXPECT_EQ(heard.take(), (QStringList{u"removed 0"_s, u"inserted 0"_s}))
        << "the other screen's row stays while a display goes and comes back";
}

} // namespace
} // namespace zorv
