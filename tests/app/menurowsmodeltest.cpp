#include "menurowsmodel.h"
#include "heardupdates.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

MenuItem row(const QString &title, const QString &key = {},
             quint64 modifiers = EventFlags::command) {
    MenuItem item;
    item.title = title;
    item.keyEquivalent = key;
    item.keyEquivalentModifiers = modifiers;
    item.action = [] {};
    return item;
}

// A status menu: a row Option swaps for its alternate, a separator, and a row drawn by its view.
std::shared_ptr<const Menu> statusMenu() {
    auto menu = std::make_shared<Menu>();
    MenuItem alternate =
        row(u"Reveal All Items"_s, u"r"_s, EventFlags::command | EventFlags::option);
    alternate.alternate = true;
    MenuItem view = row(u"Zorv"_s);
    view.view = MenuItemView{
        QUrl(u"qrc:/Head.qml"_s), {{u"version"_s, u"1.0"_s}}, 40.0, u"About Zorv, v1.0"_s};
    menu->items = {row(u"Reveal Hidden Items"_s, u"r"_s), alternate, MenuItem::separator(), view};
    return menu;
}

QStringList titles(const QAbstractItemModel &model) {
    QStringList titles;
    for (int at = 0; at < model.rowCount(); ++at) {
        titles.append(model.index(at, 0).data(MenuRowsModel::TitleRole).toString());
    }
    return titles;
}

// The menu's rows as the drawn menu reads them, step by step while it is open: the highlight and
// Option touch only the rows they change, another menu replaces every row.
TEST(MenuRowsModelTest, ChangesOnlyTheRowsTheHighlightAndOptionTouch) {
    const std::shared_ptr<const Menu> menu = statusMenu();
    const std::shared_ptr<const Menu> rebuilt = statusMenu();
    const QList<int> plain{0, 2, 3};
    const QList<int> withOption{1, 2, 3};
    const struct {
        const char *name;
        std::shared_ptr<const Menu> menu;
        QList<int> shown;
        int highlighted;
        QStringList heard;
        QStringList titles;
    } steps[] = {
        {"opened",
         menu,
         plain,
         -1,
         {u"inserted 0"_s, u"inserted 1"_s, u"inserted 2"_s},
         {u"Reveal Hidden Items"_s, QString(), u"Zorv"_s}},
        {"the first row highlighted",
         menu,
         plain,
         0,
         {u"changed 0"_s},
         {u"Reveal Hidden Items"_s, QString(), u"Zorv"_s}},
        {"the view highlighted",
         menu,
         plain,
         3,
         {u"changed 0"_s, u"changed 2"_s},
         {u"Reveal Hidden Items"_s, QString(), u"Zorv"_s}},
        {"Option held",
         menu,
         withOption,
         3,
         {u"removed 0"_s, u"inserted 0"_s},
         {u"Reveal All Items"_s, QString(), u"Zorv"_s}},
        {"nothing changed", menu, withOption, 3, {}, {u"Reveal All Items"_s, QString(), u"Zorv"_s}},
        {"another menu",
         rebuilt,
         withOption,
         3,
         {u"removed 2"_s, u"removed 1"_s, u"removed 0"_s, u"inserted 0"_s, u"inserted 1"_s,
          u"inserted 2"_s},
         {u"Reveal All Items"_s, QString(), u"Zorv"_s}},
        {"closed", nullptr, withOption, -1, {u"removed 2"_s, u"removed 1"_s, u"removed 0"_s}, {}},
    };
    MenuRowsModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    HeardUpdates heard(model);
    for (const auto &step : steps) {
        model.setRows(step.menu, step.shown, step.highlighted);
        EXPECT_EQ(heard.take(), step.heard) << step.name;
        EXPECT_EQ(titles(model), step.titles) << step.name;
    }
}

// Each role reads its own field, as the drawn menu binds them.
TEST(MenuRowsModelTest, ReadsEachRowsLookFromItsItem) {
    MenuRowsModel model;
    model.setRows(statusMenu(), {1, 2, 3}, 3);
    ASSERT_EQ(model.rowCount(), 3);
    const auto read = [&](int at, int role) { return model.index(at, 0).data(role); };
    EXPECT_EQ(read(0, MenuRowsModel::KeyTextRole), u"⌥⌘R"_s);
    EXPECT_EQ(read(0, MenuRowsModel::MenuRowRole), 1);
    EXPECT_EQ(read(0, MenuRowsModel::EnabledRole), true);
    EXPECT_EQ(read(0, MenuRowsModel::HighlightedRole), false);
    EXPECT_EQ(read(1, MenuRowsModel::SeparatorRole), true);
    EXPECT_EQ(read(1, MenuRowsModel::EnabledRole), false) << "a separator does nothing";
    EXPECT_EQ(read(2, MenuRowsModel::AccessibleLabelRole), u"About Zorv, v1.0"_s);
    EXPECT_EQ(read(2, MenuRowsModel::RowHeightRole), 40.0);
    EXPECT_EQ(read(2, MenuRowsModel::ViewSourceRole), QUrl(u"qrc:/Head.qml"_s));
    EXPECT_EQ(read(2, MenuRowsModel::ViewPropertiesRole).toMap().value(u"version"_s), u"1.0"_s);
    EXPECT_EQ(read(2, MenuRowsModel::HighlightedRole), true);
}

} // namespace
} // namespace zorv
