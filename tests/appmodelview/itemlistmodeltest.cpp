#include "modelsearch.h"
#include "modelviewfixture.h"
#include "search/stablekey.h"

#include "items/itempictures.h"
#include "kit/zorvkit.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using Tester = QAbstractItemModelTester;

// An item of com.example.`app` as the engine lists it.
MenuBarItem menuItem(const QString &app, const std::optional<QString> &title, Section section,
                     double x, bool dormant = false) {
    return {MenuBarItemID{u"com.example."_s + app, std::nullopt, title, 0},
            1,
            app,
            QRectF(x, 0, 24, 24),
            std::nullopt,
            std::nullopt,
            section,
            false,
            dormant,
            false};
}

class ItemListModelTest : public ::testing::Test, protected ModelViewFixture {
protected:
    [[nodiscard]] MenuBarItemID id(const QString &name) const {
        for (const MenuBarItem &item : model.items()) {
            if (item.appName == name) {
                return item.id;
            }
        }
        ADD_FAILURE() << "no item " << name.toStdString();
        return {};
    }
    [[nodiscard]] QString key(const QString &name) const { return stableKey(id(name)); }
};

// Rows follow the sections in turn, each in its wanted order with its heading on the first row;
// an untitled item shows its application's name; a section without items has no rows. An item
// that changes section keeps the number of rows, so the rows change in place.
TEST(ItemListModelSectionsTest, ListsTheSectionsItemsAndChangesInPlace) {
    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac(clock, cloud, u"Mac"_s,
                        {menuItem(u"A"_s, u"Wi-Fi"_s, Section::shown, 900),
                         menuItem(u"C"_s, u""_s, Section::alwaysHidden, 300, true),
                         menuItem(u"B"_s, std::nullopt, Section::alwaysHidden, 200)});
    AppModel &model = mac.started();
    ModelView view(model);
    ItemListModel &list = *view.items();
    Tester tester(&list, Tester::FailureReportingMode::Fatal);

    const std::pair<ItemListModel::Roles, QStringList> columns[] = {
        {ItemListModel::SectionRole, {u"shown"_s, u"alwaysHidden"_s, u"alwaysHidden"_s}},
        {ItemListModel::SectionTitleRole, {u"Shown"_s, u"Always hidden"_s, u"Always hidden"_s}},
        {ItemListModel::StartsSectionRole, {u"true"_s, u"true"_s, u"false"_s}},
        {ItemListModel::NameRole, {u"Wi-Fi"_s, u"B"_s, u"C"_s}},
        {ItemListModel::ApplicationRole, {u"A"_s, u"B"_s, u"C"_s}},
        {ItemListModel::DormantRole, {u"false"_s, u"false"_s, u"true"_s}},
        {ItemListModel::KeyRole,
         {u"com.example.A###0"_s, u"com.example.B###0"_s, u"com.example.C###0"_s}},
    };
    for (const auto &[role, values] : columns) {
        EXPECT_EQ(column(list, role), values) << role;
    }
    EXPECT_EQ(list.count(), 3);

    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&list, &QAbstractItemModel::modelReset);
    EXPECT_TRUE(list.move(u"com.example.A###0"_s, u"hidden"_s));
    clock.settle();
    EXPECT_EQ(reset.size(), 0);
    EXPECT_TRUE(std::any_of(changed.begin(), changed.end(), [](const QList<QVariant> &change) {
        return change[0].toModelIndex().row() == 0;
    }));
    EXPECT_EQ(column(list, ItemListModel::SectionTitleRole),
              (QStringList{u"Hidden"_s, u"Always hidden"_s, u"Always hidden"_s}));
    EXPECT_EQ(column(list, ItemListModel::StartsSectionRole),
              (QStringList{u"true"_s, u"true"_s, u"false"_s}));
}

// One section's lane, and the search panel's results, from the same model.
TEST_F(ItemListModelTest, ShowsOneSectionOrTheSearchResults) {
    ItemListModel list;
    Tester tester(&list, Tester::FailureReportingMode::Fatal);
    list.setView(&view);
    list.setSection(u"hidden"_s);
    EXPECT_EQ(column(list, ItemListModel::NameRole),
              (QStringList{u"Dropbox"_s, u"TextExpander"_s}));

    // An unknown section is refused and the lane stays as it was.
    list.setSection(u"Hidden"_s);
    EXPECT_EQ(list.section(), u"hidden"_s);
    EXPECT_EQ(list.count(), 2);

    list.setSearching(true);
    list.setQuery(u"drop"_s);
    EXPECT_EQ(column(list, ItemListModel::NameRole), QStringList{u"Dropbox"_s});
    list.setQuery(QString());
    EXPECT_EQ(column(list, ItemListModel::NameRole), [&] {
        QStringList names;
        for (const MenuBarItem &item : model.search().searchResults(QString())) {
            names.append(ModelSearch::displayName(item));
        }
        return names;
    }());
    list.setSearching(false);
    list.setSection(QString());
    EXPECT_EQ(list.count(), model.items().size());
}

// Aliases and hot keys are written through the model, saved like any other setting, and show in
// the row that has them, in place.
TEST_F(ItemListModelTest, WritesAliasesAndHotKeysThroughTheModel) {
    ItemListModel &list = *view.items();
    Tester tester(&list, Tester::FailureReportingMode::Fatal);
    const int row = int(column(list, ItemListModel::NameRole).indexOf(u"Alfred"_s));
    ASSERT_GE(row, 0);
    QSignalSpy saved(&model, &AppModel::lastSavedAtChanged);
    QSignalSpy shortcuts(&model, &AppModel::shortcutsChanged);
    QSignalSpy reset(&list, &QAbstractItemModel::modelReset);

    EXPECT_TRUE(list.setAlias(row, u"launcher"_s));
    EXPECT_EQ(model.settings().alias(key(u"Alfred"_s)), u"launcher"_s);
    EXPECT_EQ(value(list, row, ItemListModel::AliasRole).toString(), u"launcher"_s);
    EXPECT_EQ(saved.size(), 1);

    const QVariantMap shortcut{{u"keyCode"_s, 18}, {u"modifiers"_s, double(KeyShortcut::kCommand)}};
    EXPECT_TRUE(list.setHotKey(row, shortcut));
    EXPECT_EQ(model.settings().itemHotkey(key(u"Alfred"_s)),
              KeyShortcut(18, KeyShortcut::kCommand));
    EXPECT_EQ(value(list, row, ItemListModel::HotKeyDisplayRole).toString(), u"⌘1"_s);
    EXPECT_EQ(value(list, row, ItemListModel::HotKeyRole).toMap(), shortcut);
    EXPECT_EQ(shortcuts.size(), 1);

    // Refused: a row that does not exist, and values that are not shortcuts.
    const QVariant refused[] = {
        QVariantMap{{u"keyCode"_s, 18}}, QVariantMap{{u"keyCode"_s, 70000}, {u"modifiers"_s, 0}},
        QVariantMap{{u"keyCode"_s, 1.5}, {u"modifiers"_s, 0}},
        QVariantMap{{u"keyCode"_s, 1}, {u"modifiers"_s, -1}}, QVariant(u"⌘1"_s)};
    for (const QVariant &bad : refused) {
        EXPECT_FALSE(list.setHotKey(row, bad)) << bad.toString().toStdString();
    }
    EXPECT_FALSE(list.setAlias(list.count(), u"x"_s));
    EXPECT_FALSE(list.setAlias(-1, u"x"_s));
    EXPECT_EQ(model.settings().itemHotkey(key(u"Alfred"_s)),
              KeyShortcut(18, KeyShortcut::kCommand));

    // Null clears.
    EXPECT_TRUE(list.setHotKey(row, QVariant()));
    EXPECT_TRUE(list.setAlias(row, u"  "_s));
    EXPECT_EQ(value(list, row, ItemListModel::HotKeyDisplayRole).toString(), QString());
    EXPECT_EQ(value(list, row, ItemListModel::AliasRole).toString(), QString());
    EXPECT_EQ(reset.size(), 0);
}

// Moves between lanes are handed to the model (and so to the engine and the reconcile), placed
// before the item dropped on though the stored layout does not hold it yet (it stands second in
// Hidden, after Dropbox); unknown keys and sections are refused.
TEST_F(ItemListModelTest, MovesItemsBetweenLanes) {
    ItemListModel hidden;
    hidden.setView(&view);
    hidden.setSection(u"hidden"_s);
    Tester tester(&hidden, Tester::FailureReportingMode::Fatal);

    EXPECT_TRUE(view.items()->move(key(u"Alfred"_s), u"hidden"_s, key(u"TextExpander"_s)));
    clock.settle();
    ASSERT_FALSE(mac.engine().moves().isEmpty());
    EXPECT_EQ(mac.engine().moves().back(),
              std::pair(id(u"Alfred"_s), SectionPlacement{Section::hidden, 1}));
    QStringList lane = column(hidden, ItemListModel::NameRole);
    lane.sort();
    EXPECT_EQ(lane, (QStringList{u"Alfred"_s, u"Dropbox"_s, u"TextExpander"_s}));

    EXPECT_FALSE(hidden.move(u"com.example.nothing###0"_s, u"hidden"_s));
    EXPECT_FALSE(hidden.move(key(u"Alfred"_s), u"elsewhere"_s));
    clock.settle();
    EXPECT_EQ(hidden.count(), 3);
}

// With a kit, each row's picture is an address the kit's item pictures serve: a system item gets
// its symbol; an item with neither picture nor icon gets none. Pictures go when the list does.
TEST_F(ItemListModelTest, PublishesPicturesToTheKit) {
    QQmlEngine engine;
    ZorvKit &kit = ZorvKit::install(engine, mac.desktop().appearance(), clock);
    view.setKit(&kit);
    ItemListModel &list = *view.items();
    const int battery = int(column(list, ItemListModel::NameRole).indexOf(u"Battery"_s));
    const int dropbox = int(column(list, ItemListModel::NameRole).indexOf(u"Dropbox"_s));
    ASSERT_GE(battery, 0);
    ASSERT_GE(dropbox, 0);

    const QUrl source = value(list, battery, ItemListModel::PictureRole).toUrl();
    ASSERT_EQ(source.scheme(), u"image"_s);
    EXPECT_EQ(source.host(), ItemPictures::providerId);
    EXPECT_TRUE(value(list, dropbox, ItemListModel::PictureRole).toUrl().isEmpty());
    const QString id = source.path().mid(1);
    QSize size;
    EXPECT_FALSE(kit.itemPictures().requestImage(id, &size, QSize()).isNull());

    // The tint is part of the address; the picture stays the same.
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    list.setPictureTint(Qt::white);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_NE(value(list, battery, ItemListModel::PictureRole).toUrl(), source);

    view.setKit(nullptr);
    EXPECT_TRUE(kit.itemPictures().requestImage(id, &size, QSize()).isNull());
}

} // namespace
} // namespace zorv
