#include "separators/separatorplacement.h"

#include <gtest/gtest.h>

namespace zorv {

void PrintTo(const SeparatorPlacement &placement, std::ostream *out) {
    *out << "{icon " << placement.icon << ", hidden " << placement.hiddenSeparator << ", always "
         << placement.alwaysHiddenSeparator << ", misplaced " << placement.misplacedBefore << " -> "
         << placement.misplacedAfter
         << (placement.iconToRightEnd ? ", icon to the right end}" : "}");
}

namespace {

using Entry = SeparatorPlacement::Entry;
using Kind = Entry::Kind;

constexpr double kGap = 16.0;
constexpr double kItem = 24.0;
constexpr double kCollapsed = 8.0;
constexpr double kClockLeft = 1400.0;

struct Piece {
    Kind kind;
    std::optional<Section> wanted = std::nullopt;
    double width = kItem;
};

constexpr Section kShown = Section::shown;
constexpr Section kHidden = Section::hidden;
constexpr Section kAlways = Section::alwaysHidden;

Piece item(std::optional<Section> wanted) {
    return {Kind::item, wanted};
}
Piece separator(Kind kind, double length = kCollapsed) {
    return {kind, std::nullopt, length};
}
const Piece kIcon{Kind::icon};

// The pieces, left to right, laid out as the system lays a bar out: from the clock leftwards, each
// entry's right edge a gap short of its right neighbour's left edge.
QList<Entry> bar(const QList<Piece> &pieces) {
    QList<Entry> entries;
    double right = kClockLeft - kGap;
    for (auto piece = pieces.crbegin(); piece != pieces.crend(); ++piece) {
        entries.prepend(
            {piece->kind, QRectF(right - piece->width, 0, piece->width, 24), piece->wanted});
        right -= piece->width + kGap;
    }
    entries.append({Kind::fixed, QRectF(kClockLeft, 0, 90, 24), std::nullopt});
    return entries;
}

struct PlacementCase {
    const char *name;
    QList<Piece> pieces;
    std::optional<SeparatorPlacement> expected;
    SeparatorPlacement::Icon icon = SeparatorPlacement::Icon::keepsItsPlace;
};

// Distances count the rooms (length and gap) right of a slot: an item is 40, a collapsed
// separator 24; one point is kept back so that a slot's own distance never lands further left.
TEST(SeparatorPlacementTest, PutsTheSeparatorsWhereTheLanesMeet) {
    const Piece always = separator(Kind::alwaysHiddenSeparator);
    const Piece hidden = separator(Kind::hiddenSeparator);
    const Piece stretchedHidden = separator(Kind::hiddenSeparator, 1200);
    const QList<PlacementCase> cases{
        {"in place while tucked",
         {item(kAlways), always, item(kHidden), stretchedHidden, item(kShown), kIcon},
         std::nullopt},
        {"in place while revealed",
         {item(kAlways), separator(Kind::alwaysHiddenSeparator, 900), item(kHidden), hidden,
          item(kShown), kIcon},
         std::nullopt},
        // A position remembered while the hidden separator was lengthened: the always-hidden one
        // came up at the left end, left of the items it should hide.
        {"always-hidden separator at the left end",
         {always, item(kAlways), item(kAlways), item(kHidden), item(kHidden), stretchedHidden,
          item(kShown), kIcon},
         SeparatorPlacement{0, 79, 183, 2, 0}},
        {"separators out of order",
         {item(kAlways), hidden, item(kHidden), always, item(kShown), kIcon},
         SeparatorPlacement{0, 79, 143, 1, 0}},
        // No item between them, yet a reveal would show the always-hidden lane too.
        {"separators side by side out of order",
         {item(kAlways), hidden, always, item(kShown), kIcon},
         SeparatorPlacement{0, 79, 103, 0, 0}},
        // Items the layout does not place count nowhere: the separator stays among them.
        {"unplaced items between the lanes",
         {item(kAlways), item(std::nullopt), always, item(std::nullopt), item(kHidden), hidden,
          item(kShown), kIcon},
         std::nullopt},
        {"unplaced items and the always-hidden separator far out",
         {always, item(kAlways), item(std::nullopt), item(std::nullopt), item(kHidden), hidden,
          item(kShown), kIcon},
         SeparatorPlacement{0, 79, 223, 1, 0}},
        // Two places are as good and as near; the one that leaves the unplaced item on its side
        // of the hidden separator wins: here it stays hidden.
        {"tie: unplaced item stays hidden",
         {always, item(kShown), item(std::nullopt), item(kAlways), hidden, kIcon},
         SeparatorPlacement{0, 39, 63, 2, 1}},
        // ... and here it stays shown.
        {"tie: unplaced item stays shown",
         {item(kShown), always, hidden, item(std::nullopt), item(kHidden), kIcon},
         SeparatorPlacement{0, 159, 183, 2, 1}},
        // Moving a separator would put more items out of their lanes than the one out of place.
        {"one stray item",
         {item(kShown), item(kAlways), always, item(kHidden), hidden, item(kShown), kIcon},
         std::nullopt},
        {"hidden lane empty",
         {item(kAlways), item(kAlways), item(kShown), always, hidden, item(kShown), kIcon},
         SeparatorPlacement{0, 119, 143, 1, 0}},
        // The icon keeps its place among the items, here left of the shown item, and the hidden
        // separator goes left of it.
        {"icon not rightmost",
         {always, item(kAlways), item(kHidden), hidden, kIcon, item(kShown)},
         SeparatorPlacement{39, 79, 143, 1, 0}},
        // Left of a separator, the icon would be pushed off screen by a tuck: it goes to the
        // right end, and the separators' distances count its room (40).
        {"icon left of both separators",
         {kIcon, item(kAlways), always, item(kHidden), hidden, item(kShown)},
         SeparatorPlacement{0, 79, 143, 0, 0, true}},
        {"icon between the separators",
         {item(kAlways), always, kIcon, item(kHidden), hidden, item(kShown)},
         SeparatorPlacement{0, 79, 143, 0, 0, true}},
        {"icon between separators out of place",
         {item(kAlways), hidden, kIcon, item(kHidden), always, item(kShown)},
         SeparatorPlacement{0, 79, 143, 1, 0, true}},
        // An icon out of sight right of both separators goes to the right end when asked.
        {"icon sent to the right end",
         {always, hidden, kIcon, item(kShown), item(kShown)},
         SeparatorPlacement{0, 119, 143, 0, 0, true},
         SeparatorPlacement::Icon::toRightEnd},
        {"icon sent to the right end, already there",
         {item(kAlways), always, hidden, item(kShown), kIcon},
         std::nullopt,
         SeparatorPlacement::Icon::toRightEnd},
        {"no icon", {always, item(kAlways), item(kHidden), hidden, item(kShown)}, std::nullopt},
        {"two hidden separators",
         {always, item(kAlways), hidden, item(kHidden), hidden, item(kShown), kIcon},
         std::nullopt},
    };
    for (const PlacementCase &test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(SeparatorPlacement::compute(bar(test.pieces), kCollapsed, test.icon),
                  test.expected);
    }
}

// The bar's entries may come in any order: they are taken by their left edges.
TEST(SeparatorPlacementTest, ReadsTheBarInAnyOrder) {
    QList<Entry> entries = bar({separator(Kind::alwaysHiddenSeparator), item(kAlways),
                                item(kHidden), separator(Kind::hiddenSeparator), kIcon});
    const std::optional<SeparatorPlacement> expected =
        SeparatorPlacement::compute(entries, kCollapsed);
    ASSERT_TRUE(expected);
    std::reverse(entries.begin(), entries.end());
    EXPECT_EQ(SeparatorPlacement::compute(entries, kCollapsed), expected);
}

} // namespace
} // namespace zorv
