#include "reconcile/bargeometry.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

MenuBarItemID idOf(const QString &name) {
    return MenuBarItemID{u"com.example."_s + name, std::nullopt, std::nullopt, 0};
}

// A bar screen left of the primary one (x -1512 to 0), a camera housing from -800 to -600, the
// front application's menus ending at -1100, and a silent application owning "hung".
const Reachability notchedLeft{
    QRectF(-1512, 0, 1512, 982), {{-800.0, -600.0}}, -1100.0, {idOf(u"hung"_s)}};

struct ReachCase {
    const char *name;
    QString item;
    QRectF frame;
    std::optional<QString> why;
};

class ItemReach : public ::testing::TestWithParam<ReachCase> {};

TEST_P(ItemReach, NamesWhyAnItemCannotBeReached) {
    EXPECT_EQ(notchedLeft.whyNot(idOf(GetParam().item), GetParam().frame), GetParam().why);
}

INSTANTIATE_TEST_SUITE_P(
    Reachability, ItemReach,
    ::testing::Values(
        ReachCase{"Reachable", u"a"_s, QRectF(-300, 0, 22, 32), std::nullopt},
        ReachCase{"NegativeXOnTheBarScreen", u"a"_s, QRectF(-1000, 0, 22, 32), std::nullopt},
        ReachCase{"PastTheLeftEdge", u"a"_s, QRectF(-1600, 0, 22, 32), Reachability::offScreen},
        ReachCase{"OnThePrimaryScreen", u"a"_s, QRectF(100, 0, 22, 32), Reachability::offScreen},
        ReachCase{"BehindTheHousing", u"a"_s, QRectF(-700, 0, 22, 32), Reachability::underHousing},
        ReachCase{"MenusCoverItsLeftEdge", u"a"_s, QRectF(-1110, 0, 40, 32),
                  Reachability::underMenus},
        ReachCase{"BarAboveTheTopEdge", u"a"_s, QRectF(-300, -32, 22, 32), Reachability::barHidden},
        ReachCase{"SilentApplication", u"hung"_s, QRectF(-300, 0, 22, 32),
                  Reachability::notAnswering}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Reachability, DragPointsLieClearOfEdgesHousingAndMenusOnAShowingBar) {
    QList<double> reached;
    for (const double x : {-1600.0, -1509.0, -1200.0, -1099.0, -700.0, -599.0, -4.0, -3.0, 50.0}) {
        if (notchedLeft.reaches(x)) {
            reached.append(x);
        }
    }
    EXPECT_EQ(reached, (QList<double>{-1099.0, -599.0, -4.0}));
    EXPECT_FALSE(Reachability{}.reaches(0.0)) << "no bar screen";
    Reachability hidden = notchedLeft;
    hidden.barShowing = false;
    EXPECT_FALSE(hidden.reaches(-300.0));
    EXPECT_EQ(hidden.whyNot(idOf(u"a"_s), QRectF(-300, 0, 22, 32)), Reachability::barHidden);
}

// Tucked: the hidden separator 1600 long (its right edge at 600), the always-hidden one
// collapsed at -1100; one item in each lane.
// The nearest drag point within a span: the wanted one when it can be reached, else just past the
// housing, the menus or the screen's inset edge on the nearer side, kept within the span.
TEST(Reachability, FindsTheNearestDragPointWithinASpan) {
    const struct {
        const char *name;
        double preferred;
        double lower;
        double upper;
        std::optional<double> x;
    } cases[] = {
        {"reachable as it is", -300, -500, -100, -300},
        {"clamped into the span", -50, -500, -100, -100},
        {"behind the housing, nearer its right edge", -620, -1000, -200, -599},
        {"behind the housing, nearer its left edge", -780, -1000, -200, -801},
        {"the near side cut off by the span", -780, -790, -200, -599},
        {"under the menus", -1300, -1400, -1000, -1100},
        {"past the screen's edge", 10, -500, 40, -4},
        {"a span behind the housing", -700, -790, -610, std::nullopt},
        {"an empty span", -300, -100, -500, std::nullopt},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(notchedLeft.nearestReachable(c.preferred, c.lower, c.upper), c.x) << c.name;
    }
    Reachability hidden = notchedLeft;
    hidden.barShowing = false;
    EXPECT_EQ(hidden.nearestReachable(-300, -500, -100), std::nullopt);
}

TEST(BarGeometry, RevealedMovesWhatTheSeparatorsKeptOffScreen) {
    BarGeometry tucked;
    tucked.frames = {{idOf(u"always"_s), QRectF(-1200, 0, 20, 24)},
                     {idOf(u"hidden"_s), QRectF(-1060, 0, 20, 24)},
                     {idOf(u"shown"_s), QRectF(700, 0, 20, 24)}};
    tucked.hiddenSep = QRectF(-1000, 958, 1600, 24);
    tucked.alwaysSep = QRectF(-1100, 958, 8, 24);
    tucked.separatorsOrdered = true;
    const auto lefts = [](const BarGeometry &g) {
        QList<double> result;
        for (const ItemFrame &entry : g.frames) {
            result.append(entry.frame.left());
        }
        return result << g.alwaysSep->left() << g.alwaysSep->right() << g.hiddenSep.left()
                      << g.hiddenSep.right();
    };
    // Without the always-hidden section its separator grows by what the hidden one gives up.
    EXPECT_EQ(lefts(tucked.revealed(false, 8)),
              (QList<double>{-1200, 532, 700, -1100, 500, 592, 600}));
    EXPECT_EQ(lefts(tucked.revealed(true, 8)), (QList<double>{392, 532, 700, 492, 500, 592, 600}));
}

} // namespace
} // namespace zorv
