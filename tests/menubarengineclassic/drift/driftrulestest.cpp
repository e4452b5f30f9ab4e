#include "drift/driftrules.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

MenuBarItemID idOf(const QString &bundle) {
    return MenuBarItemID{bundle, std::nullopt, std::nullopt, 0};
}

// An item centred at midX, in the lane the scan put it.
MenuBarItem itemAt(const QString &bundle, double midX, Section lane = Section::shown,
                   double width = 20.0, bool dormant = false) {
    return MenuBarItem{idOf(bundle), 1,    bundle, QRectF(midX - width / 2, 0, width, 24),
                       {},           {},   lane,   false,
                       dormant,      false};
}

struct VerdictCase {
    const char *name;
    QList<MenuBarItem> items;
    std::optional<double> hiddenSepX;
    double barMinX;
    DriftVerdict::Kind kind;
    QList<QString> drifted;
};

class Verdicts : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(Verdicts, JudgeTheBarAgainstTheLayout) {
    SectionLayout layout;
    layout.sections = {{Section::shown, {idOf(u"s1"_s), idOf(u"com.apple.controlcenter"_s)}},
                       {Section::hidden, {idOf(u"h1"_s), idOf(u"h2"_s)}},
                       {Section::alwaysHidden, {idOf(u"a1"_s)}}};
    QSet<MenuBarItemID> drifted;
    for (const QString &bundle : GetParam().drifted) {
        drifted.insert(idOf(bundle));
    }
    const auto &[name, items, hiddenSepX, barMinX, kind, unused] = GetParam();
    const DriftVerdict verdict = DriftRules::driftVerdict(items, layout, hiddenSepX, barMinX);
    EXPECT_EQ(verdict.kind, kind);
    EXPECT_EQ(verdict.drifted,
              kind == DriftVerdict::Kind::drifted ? drifted : QSet<MenuBarItemID>{});
    EXPECT_EQ(DriftRules::driftedItems(items, layout, hiddenSepX), drifted);
}

using enum DriftVerdict::Kind;

INSTANTIATE_TEST_SUITE_P(
    Cases, Verdicts,
    ::testing::Values(
        VerdictCase{"AllInPlace",
                    {itemAt(u"a1"_s, -300), itemAt(u"h1"_s, -100), itemAt(u"s1"_s, 600),
                     itemAt(u"unknown"_s, -50)},
                    500.0,
                    0.0,
                    clean,
                    {}},
        // The planner's lane tolerance: 14 points on the wrong side is still in the lane.
        VerdictCase{"ShownFourteenLeftOfTheSeparatorStays",
                    {itemAt(u"s1"_s, 486), itemAt(u"h1"_s, -100)},
                    500.0,
                    0.0,
                    clean,
                    {}},
        VerdictCase{"ShownFurtherLeftHasDrifted",
                    {itemAt(u"s1"_s, 485.5), itemAt(u"h1"_s, -100)},
                    500.0,
                    0.0,
                    drifted,
                    {u"s1"_s}},
        VerdictCase{
            "HiddenExactlyAtTheSeparatorPeeks", {itemAt(u"h1"_s, 500)}, 500.0, 0.0, peeking, {}},
        VerdictCase{"AlwaysHiddenBetweenTheSeparatorsPeeks",
                    {itemAt(u"a1"_s, 300)},
                    500.0,
                    0.0,
                    peeking,
                    {}},
        VerdictCase{"TwoHiddenInViewHideNothingEvenWhenDrifted",
                    {itemAt(u"h1"_s, 600), itemAt(u"h2"_s, 650)},
                    500.0,
                    0.0,
                    nothingHidden,
                    {u"h1"_s, u"h2"_s}},
        VerdictCase{"UncountedItemsTakeNoPart",
                    {itemAt(u"h1"_s, 600, Section::shown, 0.0),
                     itemAt(u"h2"_s, 600, Section::shown, 20.0, true),
                     itemAt(u"com.apple.controlcenter"_s, -40)},
                    500.0,
                    0.0,
                    clean,
                    {}},
        VerdictCase{"NoSeparatorMeansTheScreenEdge",
                    {itemAt(u"s1"_s, -20)},
                    std::nullopt,
                    0.0,
                    drifted,
                    {u"s1"_s}},
        VerdictCase{"BarLeftOfMainCountsNegativeXAsInView",
                    {itemAt(u"h1"_s, -1000)},
                    -500.0,
                    -1920.0,
                    peeking,
                    {}}),
    [](const auto &info) { return std::string(info.param.name); });

// With every item on its side of the separators, an order inside a lane that differs from the
// layout's is drift of the items outside the longest run already in order.
TEST(DriftRules, AnOrderLostInsideALaneIsDriftOfTheItemsOutOfIt) {
    SectionLayout layout;
    layout.sections = {{Section::shown, {idOf(u"s1"_s), idOf(u"s2"_s), idOf(u"s3"_s)}},
                       {Section::hidden, {idOf(u"h1"_s), idOf(u"h2"_s)}}};
    const QList<MenuBarItem> inOrder{itemAt(u"h1"_s, -200), itemAt(u"h2"_s, -100),
                                     itemAt(u"s1"_s, 600), itemAt(u"s2"_s, 650),
                                     itemAt(u"s3"_s, 700)};
    struct Case {
        const char *name;
        QList<MenuBarItem> items;
        QSet<MenuBarItemID> leftOut;
        DriftVerdict verdict;
    };
    const QList<Case> cases{
        {"InOrder", inOrder, {}, {clean, {}}},
        {"FirstShownPutLast",
         {inOrder[0], inOrder[1], itemAt(u"s1"_s, 750), inOrder[3], inOrder[4]},
         {},
         {drifted, {idOf(u"s1"_s)}}},
        {"HiddenPairSwapped",
         {itemAt(u"h1"_s, -100), itemAt(u"h2"_s, -200), inOrder[2], inOrder[3], inOrder[4]},
         {},
         {drifted, {idOf(u"h2"_s)}}},
        {"ItemsLeftAloneAreNeverNamed",
         {inOrder[0], inOrder[1], itemAt(u"s1"_s, 750), inOrder[3], inOrder[4]},
         {idOf(u"s1"_s)},
         {clean, {}}},
        // Not on the bar, an item has no place in the order to lose.
        {"DormantOrZeroWidthItemsTakeNoPart",
         {inOrder[0], inOrder[1], itemAt(u"s1"_s, 750, Section::shown, 0.0),
          itemAt(u"s2"_s, 800, Section::shown, 20.0, true), inOrder[4]},
         {},
         {clean, {}}},
        // A lane matter goes first: the run that settles it orders the lanes as well.
        {"AnItemOnTheWrongSideIsTheDrift",
         {inOrder[0], inOrder[1], itemAt(u"s1"_s, 400), itemAt(u"s3"_s, 640), itemAt(u"s2"_s, 700)},
         {},
         {drifted, {idOf(u"s1"_s)}}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(
            DriftRules::driftVerdict(c.items, layout, 500.0, 0.0, std::nullopt, false, c.leftOut),
            c.verdict)
            << c.name;
    }
}

TEST(DriftRules, LongestIncreasingRunPrefersEarlyPositions) {
    const QList<std::pair<QList<double>, QSet<int>>> cases{
        {{}, {}},
        {{3, 1, 2}, {1, 2}},
        {{2, 2}, {0}},
        {{5, 4, 3}, {0}},
        {{1, 3, 2, 4}, {0, 1, 3}},
        {{3, 1, 4, 2, 5}, {0, 2, 4}},
        // Not a number extends no run, yet stands alone as one.
        {{qQNaN(), 5}, {0}},
        {{5, qQNaN(), 6}, {0, 2}}};
    for (const auto &[values, run] : cases) {
        EXPECT_EQ(DriftRules::longestIncreasingRun(values), run) << values.size();
    }
}

TEST(DriftRules, AdoptsAfterTwoStableScansInOneLane) {
    SectionLayout layout;
    layout.sections = {{Section::shown, {idOf(u"placed"_s)}}};
    QHash<MenuBarItemID, LaneSighting> seen;
    auto adopted = [&](QList<MenuBarItem> items) {
        QList<QString> result;
        for (const Adoption &adoption :
             DriftRules::adoptions(items, layout, {u"churning"_s}, seen, 2)) {
            result.append(adoption.id.bundleID + u':' + rawValue(adoption.lane));
        }
        return result;
    };
    const MenuBarItem shown = itemAt(u"new"_s, 10, Section::shown);
    const MenuBarItem churning = itemAt(u"churning"_s, 60);
    EXPECT_TRUE(adopted({itemAt(u"new"_s, -10, Section::hidden), itemAt(u"placed"_s, 50), churning})
                    .isEmpty());
    EXPECT_TRUE(adopted({shown, churning}).isEmpty()) << "another lane starts the count again";
    EXPECT_EQ(adopted({shown, churning}), QList<QString>{u"new:shown"_s});
    EXPECT_EQ(seen.value(idOf(u"churning"_s)).scans, 3) << "counted, never adopted";
    EXPECT_TRUE(adopted({churning}).isEmpty());
    EXPECT_TRUE(adopted({shown}).isEmpty()) << "a missed scan starts the count again";
    EXPECT_TRUE(adopted({itemAt(u"new"_s, 10, Section::shown, 20.0, true)}).isEmpty());
    EXPECT_TRUE(seen.isEmpty()) << "a dormant item is not counted";
}

TEST(DriftRules, IconRepairTargetSitsBesideTheFirstSystemItem) {
    EXPECT_EQ(DriftRules::iconRepairTarget(100, {}, {}), 124.0);
    const QList<QRectF> ours{QRectF(200, 0, 8, 24), QRectF(300, 0, 0, 24)};
    const QList<QRectF> system{QRectF(150, 0, 30, 24), QRectF(400, 0, 30, 24),
                               QRectF(260, 0, 30, 24)};
    EXPECT_EQ(DriftRules::iconRepairTarget(235.9, ours, system), 244.0);
    EXPECT_EQ(DriftRules::iconRepairTarget(236, ours, system), std::nullopt);
}

} // namespace
} // namespace zorv
