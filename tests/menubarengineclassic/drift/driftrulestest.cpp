#include "drift/driftrules.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

MenuBarItemID idOf(const QString &bundle, int ordinal = 0) {
    return MenuBarItemID{bundle, std::nullopt, std::nullopt, ordinal};
}

// An item 20 points wide centred at midX, in the lane the scan put it.
MenuBarItem itemAt(const QString &bundle, double midX, Section lane = Section::shown,
                   double width = 20.0, bool dormant = false) {
    return MenuBarItem{idOf(bundle), 1,
                       bundle,       QRectF(midX - width / 2, 0, width, 24),
                       std::nullopt, std::nullopt,
                       lane,         false,
                       dormant,      false};
}

SectionLayout layoutOf(QList<QString> shown, QList<QString> hidden, QList<QString> always = {}) {
    SectionLayout layout;
    auto ids = [](const QList<QString> &bundles) {
        QList<MenuBarItemID> list;
        for (const QString &bundle : bundles) {
            list.append(idOf(bundle));
        }
        return list;
    };
    layout.sections = {{Section::shown, ids(shown)},
                       {Section::hidden, ids(hidden)},
                       {Section::alwaysHidden, ids(always)}};
    return layout;
}

struct VerdictCase {
    const char *name;
    QList<MenuBarItem> items;
    std::optional<double> hiddenSepX;
    double barMinX;
    DriftVerdict::Kind kind;
    QList<QString> drifted;
};

void PrintTo(const VerdictCase &verdictCase, std::ostream *out) {
    *out << verdictCase.name;
}

class Verdicts : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(Verdicts, JudgeTheBarAgainstTheLayout) {
    const SectionLayout layout =
        layoutOf({u"s1"_s, u"s2"_s, u"com.apple.controlcenter"_s}, {u"h1"_s, u"h2"_s}, {u"a1"_s});
    QSet<MenuBarItemID> drifted;
    for (const QString &bundle : GetParam().drifted) {
        drifted.insert(idOf(bundle));
    }
    const DriftVerdict verdict = DriftRules::driftVerdict(
        GetParam().items, layout, GetParam().hiddenSepX, GetParam().barMinX);
    EXPECT_EQ(verdict.kind, GetParam().kind);
    EXPECT_EQ(verdict.drifted,
              GetParam().kind == DriftVerdict::Kind::drifted ? drifted : QSet<MenuBarItemID>{});
    EXPECT_EQ(DriftRules::driftedItems(GetParam().items, layout, GetParam().hiddenSepX), drifted);
}

using Kind = DriftVerdict::Kind;

INSTANTIATE_TEST_SUITE_P(
    Cases, Verdicts,
    ::testing::Values(VerdictCase{"Empty", {}, 500.0, 0.0, Kind::clean, {}},
                      VerdictCase{"AllInPlace",
                                  {itemAt(u"a1"_s, -300), itemAt(u"h1"_s, -100),
                                   itemAt(u"s1"_s, 600), itemAt(u"unknown"_s, -50)},
                                  500.0,
                                  0.0,
                                  Kind::clean,
                                  {}},
                      VerdictCase{"ShownExactlyAtTheSeparatorHasDrifted",
                                  {itemAt(u"s1"_s, 500), itemAt(u"h1"_s, -100)},
                                  500.0,
                                  0.0,
                                  Kind::drifted,
                                  {u"s1"_s}},
                      VerdictCase{"HiddenExactlyAtTheSeparatorPeeks",
                                  {itemAt(u"h1"_s, 500)},
                                  500.0,
                                  0.0,
                                  Kind::peeking,
                                  {}},
                      VerdictCase{"AlwaysHiddenBetweenTheSeparatorsPeeks",
                                  {itemAt(u"a1"_s, 300)},
                                  500.0,
                                  0.0,
                                  Kind::peeking,
                                  {}},
                      VerdictCase{
                          "EveryInViewItemDrifted",
                          {itemAt(u"h1"_s, 600), itemAt(u"h2"_s, -20), itemAt(u"s1"_s, 700)},
                          500.0,
                          0.0,
                          Kind::drifted,
                          {u"h1"_s}},
                      VerdictCase{"TwoHiddenInViewAndDriftedHideNothing",
                                  {itemAt(u"h1"_s, 600), itemAt(u"h2"_s, 650)},
                                  500.0,
                                  0.0,
                                  Kind::nothingHidden,
                                  {u"h1"_s, u"h2"_s}},
                      VerdictCase{"UncountedItemsTakeNoPart",
                                  {itemAt(u"h1"_s, 600, Section::shown, 0.0),
                                   itemAt(u"h2"_s, 600, Section::shown, 20.0, true),
                                   itemAt(u"com.apple.controlcenter"_s, -40)},
                                  500.0,
                                  0.0,
                                  Kind::clean,
                                  {}},
                      VerdictCase{"NoSeparatorMeansTheScreenEdge",
                                  {itemAt(u"s1"_s, -10), itemAt(u"h1"_s, -30)},
                                  std::nullopt,
                                  0.0,
                                  Kind::drifted,
                                  {u"s1"_s}},
                      VerdictCase{"BarLeftOfMainCountsNegativeXAsInView",
                                  {itemAt(u"h1"_s, -1000)},
                                  -500.0,
                                  -1920.0,
                                  Kind::peeking,
                                  {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DriftRules, LongestIncreasingRunPrefersEarlyPositions) {
    const QList<std::pair<QList<double>, QSet<int>>> cases{
        {{}, {}},      {{7}, {0}},       {{3, 1, 2}, {1, 2}},
        {{2, 2}, {0}}, {{5, 4, 3}, {0}}, {{1, 3, 2, 4}, {0, 1, 3}},
    };
    for (const auto &[values, run] : cases) {
        EXPECT_EQ(DriftRules::longestIncreasingRun(values), run) << QList<double>(values).size();
    }
}

TEST(DriftRules, LaneFollowsTheSeparators) {
    const MenuBarItem left = itemAt(u"x"_s, 100);
    const MenuBarItem right = itemAt(u"x"_s, 600);
    EXPECT_EQ(DriftRules::laneOf(left, std::nullopt, 200.0, true), Section::shown);
    EXPECT_EQ(DriftRules::laneOf(itemAt(u"x"_s, 0), std::nullopt, 200.0, true), Section::hidden);
    EXPECT_EQ(DriftRules::laneOf(right, 500.0, 200.0, true), Section::shown);
    EXPECT_EQ(DriftRules::laneOf(left, 500.0, 200.0, true), Section::alwaysHidden);
    EXPECT_EQ(DriftRules::laneOf(left, 500.0, 200.0, false), Section::hidden);
    EXPECT_EQ(DriftRules::laneOf(left, 500.0, std::nullopt, true), Section::hidden);
}

TEST(DriftRules, AdoptsAfterTwoStableScansInOneLane) {
    const SectionLayout layout = layoutOf({u"placed"_s}, {});
    QHash<MenuBarItemID, LaneSighting> seen;
    auto scan = [&](QList<MenuBarItem> items) {
        QList<QString> adopted;
        for (const Adoption &adoption :
             DriftRules::adoptions(items, layout, {u"churning"_s}, seen, 2)) {
            adopted.append(adoption.id.bundleID + u':' + rawValue(adoption.lane));
        }
        return adopted;
    };
    const MenuBarItem placed = itemAt(u"placed"_s, 50);
    const MenuBarItem churning = itemAt(u"churning"_s, 60);
    EXPECT_EQ(scan({itemAt(u"new"_s, -10, Section::hidden), placed, churning}), QList<QString>{});
    EXPECT_EQ(scan({itemAt(u"new"_s, 10, Section::shown), churning}), QList<QString>{});
    EXPECT_EQ(scan({itemAt(u"new"_s, 10, Section::shown), churning}),
              QList<QString>{u"new:shown"_s});
    EXPECT_EQ(seen.value(idOf(u"churning"_s)).scans, 3) << "counted, never adopted";
    EXPECT_FALSE(seen.contains(idOf(u"placed"_s)));
    EXPECT_EQ(scan({churning}), QList<QString>{}) << "a missed scan starts the count again";
    EXPECT_EQ(scan({itemAt(u"new"_s, 10, Section::shown)}), QList<QString>{});
    EXPECT_EQ(scan({itemAt(u"new"_s, 10, Section::shown, 20.0, true)}), QList<QString>{});
    EXPECT_TRUE(seen.isEmpty()) << "a dormant item is not counted";
}

TEST(DriftRules, IconRepairTargetSitsBesideTheFirstSystemItem) {
    EXPECT_EQ(DriftRules::iconRepairTarget(100, {}, {}), 124.0);
    const QList<QRectF> ours{QRectF(200, 0, 8, 24), QRectF(300, 0, 0, 24)};
    const QList<QRectF> system{QRectF(150, 0, 30, 24), QRectF(400, 0, 30, 24),
                               QRectF(260, 0, 30, 24)};
    EXPECT_EQ(DriftRules::iconRepairTarget(100, ours, system), 244.0);
    EXPECT_EQ(DriftRules::iconRepairTarget(235.9, ours, system), 244.0);
    EXPECT_EQ(DriftRules::iconRepairTarget(236, ours, system), std::nullopt);
}

TEST(DriftRules, SignatureListsEachDriftedItemsBundleInOrder) {
    const QSet<MenuBarItemID> drifted{idOf(u"b"_s, 0), idOf(u"a"_s, 0), idOf(u"b"_s, 1)};
    EXPECT_EQ(DriftRules::driftSignature(drifted), u"a,b,b"_s);
}

} // namespace
} // namespace zorv
