#include "currentarrangement.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

MenuBarItemID itemID(const char *bundleID) {
    return {QString::fromLatin1(bundleID), std::nullopt, std::nullopt, 0};
}

const MenuBarItemID A = itemID("com.example.a");
const MenuBarItemID B = itemID("com.example.b");
const MenuBarItemID C = itemID("com.example.c");
const MenuBarItemID D = itemID("com.example.d");
const MenuBarItemID controlCentre = itemID("com.apple.controlcenter");

MenuBarItem onBar(const MenuBarItemID &id, Section section, double x, double width = 20,
                  bool dormant = false) {
    return MenuBarItem{
        id,    1,       id.bundleID, QRectF(x, 0, width, 24), std::nullopt, std::nullopt, section,
        false, dormant, false};
}

SectionLayout layout(QList<MenuBarItemID> alwaysHidden, QList<MenuBarItemID> hidden,
                     QList<MenuBarItemID> shown) {
    return {{{Section::alwaysHidden, alwaysHidden},
             {Section::hidden, hidden},
             {Section::shown, shown}}};
}

} // namespace

// Items the layout does not place join the end of the section they are in, left to right; placed
// items keep the layout's lane and order wherever the bar shows them; items off the bar, system
// items and ids listed twice are left out.
TEST(CurrentArrangementTest, AppendsTheItemsTheLayoutDoesNotPlaceWhereTheyStand) {
    const struct {
        const char *name;
        SectionLayout layout;
        QList<MenuBarItem> items;
        SectionLayout expected;
    } cases[] = {
        {"nothing placed: the bar's order",
         SectionLayout{},
         {onBar(C, Section::shown, 300), onBar(A, Section::hidden, 100),
          onBar(B, Section::shown, 200), onBar(D, Section::alwaysHidden, 50)},
         layout({D}, {A}, {B, C})},
        {"placed items first, in the layout's order",
         layout({}, {}, {C, A}),
         {onBar(A, Section::shown, 100), onBar(B, Section::shown, 50),
          onBar(C, Section::shown, 300), onBar(D, Section::shown, 10)},
         layout({}, {}, {C, A, D, B})},
        {"a placed item labelled elsewhere keeps its lane",
         layout({}, {A}, {}),
         {onBar(A, Section::shown, 100), onBar(B, Section::hidden, 50)},
         layout({}, {A, B}, {})},
        {"dormant, zero-width and system items are not taken",
         SectionLayout{},
         {onBar(A, Section::shown, 100, 0), onBar(B, Section::shown, 120, 20, true),
          onBar(controlCentre, Section::shown, 400), onBar(C, Section::shown, 200)},
         layout({}, {}, {C})},
        {"equal places keep the list's order, an id seen twice once",
         SectionLayout{},
         {onBar(B, Section::hidden, 100), onBar(A, Section::hidden, 100),
          onBar(B, Section::hidden, 300)},
         layout({}, {B, A}, {})},
    };
    for (const auto &test : cases) {
        EXPECT_EQ(currentArrangement(test.layout, test.items), test.expected) << test.name;
    }
}
