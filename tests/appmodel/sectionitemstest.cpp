#include "sectionitems.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorv {
namespace {

using Names = std::vector<std::string>;

MenuBarItemID idOf(const std::string &bundle) {
    return MenuBarItemID{QString::fromStdString(bundle), std::nullopt, std::nullopt, 0};
}

MenuBarItem item(const std::string &bundle, Section section, double x, bool dormant = false) {
    MenuBarItem item{};
    item.id = idOf(bundle);
    item.appName = QString::fromStdString(bundle);
    item.frame = QRectF(x, 0, 20, 22);
    item.section = section;
    item.isDormant = dormant;
    return item;
}

Names names(const QList<MenuBarItem> &items) {
    Names result;
    for (const MenuBarItem &entry : items) {
        result.push_back(entry.appName.toStdString());
    }
    return result;
}

SectionLayout layoutOf(Section section, const Names &bundles) {
    SectionLayout layout;
    for (const std::string &bundle : bundles) {
        layout.sections[section].append(idOf(bundle));
    }
    return layout;
}

TEST(SectionItems, OrdersASectionByTheWantedOrderThenLeftToRight) {
    const QList<MenuBarItem> items{
        item("c", Section::hidden, 300), item("x", Section::shown, 10),
        item("b", Section::hidden, 100), item("z", Section::hidden, 50, true),
        item("a", Section::hidden, 400), item("y", Section::hidden, 20),
        item("a", Section::hidden, 5)};
    struct Case {
        const char *name;
        SectionLayout layout;
        Section section;
        Names expected;
    } cases[] = {
        // Without an entry: by position; dormant items included.
        {"NoEntry", SectionLayout{}, Section::hidden, {"a", "y", "z", "b", "c", "a"}},
        // Listed ids first in the layout's order (equal ids share a key and go by position),
        // unlisted ones after them, left to right.
        {"Listed",
         layoutOf(Section::hidden, {"c", "a"}),
         Section::hidden,
         {"c", "a", "a", "y", "z", "b"}},
        {"OnlyTheSection", layoutOf(Section::hidden, {"x"}), Section::shown, {"x"}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(names(itemsInWantedOrder(items, c.layout, c.section)), c.expected) << c.name;
    }
}

TEST(SectionItems, FloatingBarShowsHiddenItemsAndAlwaysHiddenOnesOnlyWhenAsked) {
    const QList<MenuBarItem> items{
        item("shown", Section::shown, 0), item("h2", Section::hidden, 200),
        item("ah", Section::alwaysHidden, 100), item("dormant", Section::hidden, 10, true),
        item("h1", Section::hidden, 150)};
    EXPECT_EQ(names(floatingBarItems(items, false)), (Names{"h1", "h2"}));
    EXPECT_EQ(names(floatingBarItems(items, true)), (Names{"ah", "h1", "h2"}));
}

TEST(SectionItems, DropIndexCountsWithoutTheMovedItem) {
    const SectionLayout layout = layoutOf(Section::hidden, {"a", "b", "c"});
    struct Case {
        const char *name;
        std::string moved;
        std::optional<std::string> before;
        std::optional<qint64> expected;
    } cases[] = {
        {"NoBefore", "a", std::nullopt, std::nullopt},
        {"BeforeNotInSection", "a", "q", std::nullopt},
        {"BeforeItself", "b", "b", std::nullopt},
        {"OneToTheRight", "a", "c", 1},
        {"ToTheFront", "c", "a", 0},
    };
    for (const Case &c : cases) {
        const std::optional<MenuBarItemID> before =
            c.before ? std::optional(idOf(*c.before)) : std::nullopt;
        EXPECT_EQ(dropIndex(layout, Section::hidden, idOf(c.moved), before), c.expected) << c.name;
    }
}

} // namespace
} // namespace zorv
