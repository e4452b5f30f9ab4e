#include "reconcile/sortoptimizer.h"
#include "drift/driftrules.h"
#include "reconcile/sortplanrecord.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using Plan = SortOptimizer::Plan;
using Move = SortOptimizer::Move;
const MoveCoordinator::Gesture &standard = MoveCoordinator::Gesture::standard;

QList<QString> keys(const QString &letters) {
    QList<QString> result;
    for (const QChar letter : letters) {
        result.append(QString(letter));
    }
    return result;
}

struct ExampleCase {
    const char *name;
    SortOptimizer::Lane lane;
    QList<Plan> candidates;
    QString winner;
};

class Examples : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(Examples, PriceEveryStrategyAndPickTheCheapest) {
    const ExampleCase &example = GetParam();
    EXPECT_EQ(SortOptimizer::candidates(example.lane, standard), example.candidates);
    const auto best = SortOptimizer::bestPlan(example.lane, standard);
    ASSERT_TRUE(best.has_value());
    EXPECT_EQ(best->strategy, example.winner);
}

INSTANTIATE_TEST_SUITE_P(
    SortOptimizer, Examples,
    ::testing::Values(
        // Equal time and moves everywhere: the earliest name wins, candidates keep their order.
        ExampleCase{"Swap",
                    {keys(u"BA"_s), {{u"A"_s, 20.0}, {u"B"_s, 30.0}}, keys(u"AB"_s), 0.0, 6.0},
                    {Plan{u"selectionLTR"_s, {Move{u"A"_s, 0, 36.0}}, 220000},
                     Plan{u"selectionRTL"_s, {Move{u"B"_s, 1, 26.0}}, 220000},
                     Plan{u"lisKeep"_s, {Move{u"A"_s, 0, 36.0}}, 220000}},
                    u"lisKeep"_s},
        // Keeping A and C, B drops in after A and D after C: two moves, tying right-to-left
        // selection on time and moves.
        ExampleCase{
            "FourItems",
            {keys(u"DACB"_s), {}, keys(u"ABCD"_s), 0.0, 6.0},
            {Plan{u"selectionRTL"_s, {Move{u"D"_s, 3, 90.0}, Move{u"C"_s, 2, 30.0}}, 410000},
             Plan{u"lisKeep"_s, {Move{u"B"_s, 2, 30.0}, Move{u"D"_s, 3, 90.0}}, 410000},
             Plan{u"selectionLTR"_s,
                  {Move{u"A"_s, 0, 30.0}, Move{u"B"_s, 1, 60.0}, Move{u"C"_s, 2, 30.0}},
                  660000}},
            u"lisKeep"_s}),
    [](const auto &info) { return std::string(info.param.name); });

// Each strategy's moves, replayed, must reach the goal; lisKeep in exactly one move per item
// outside a longest run already in order, the selections in at most one per item but one.
TEST(SortOptimizer, EveryStrategyReachesTheGoalFromEveryOrdering) {
    for (int count = 2; count <= 7; ++count) {
        QList<QString> goal;
        for (int i = 0; i < count; ++i) {
            goal.append(QString(QChar(u'A' + i)));
        }
        QList<int> permutation(count);
        std::iota(permutation.begin(), permutation.end(), 0);
        do {
            SortOptimizer::Lane lane{{}, {{u"A"_s, 40.0}, {u"C"_s, 90.0}}, goal, 0.0, 6.0};
            QList<double> ranks;
            for (const int index : permutation) {
                lane.current.append(goal.at(index));
                ranks.append(index);
            }
            if (lane.current == goal) {
                continue;
            }
            const QList<Plan> plans = SortOptimizer::candidates(lane, standard);
            ASSERT_EQ(plans.size(), 3) << lane.current.join(QString()).toStdString();
            for (const Plan &plan : plans) {
                QList<QString> order = lane.current;
                for (const Move &move : plan.moves) {
                    order = SortOptimizer::applied(order, move.id, move.toIndex);
                }
                ASSERT_EQ(order, goal) << plan.strategy.toStdString() << " from "
                                       << lane.current.join(QString()).toStdString();
                const qsizetype expected =
                    plan.strategy == u"lisKeep"_s
                        ? count - DriftRules::longestIncreasingRun(ranks).size()
                        : count - 1;
                if (plan.strategy == u"lisKeep"_s) {
                    ASSERT_EQ(plan.moves.size(), expected)
                        << lane.current.join(QString()).toStdString();
                } else {
                    ASSERT_LE(plan.moves.size(), expected);
                }
            }
        } while (std::next_permutation(permutation.begin(), permutation.end()));
    }
}

TEST(SortOptimizer, ModelsEachDragWithTheDetourOfShortOnes) {
    const QList<std::pair<QList<double>, qint64>> cases{{{}, 0},
                                                        {{0.0}, 220000},
                                                        {{79.9}, 220000},
                                                        {{80.0}, 190000},
                                                        {{239.99}, 190000},
                                                        {{240.0}, 193000},
                                                        {{-400.0}, 205000},
                                                        {{36.0, 400.0}, 425000}};
    for (const auto &[distances, micros] : cases) {
        EXPECT_EQ(SortOptimizer::sequenceMicroseconds(distances, standard), micros)
            << distances.size() << " drags, first " << distances.value(0);
    }
}

TEST(SortOptimizer, MovesOneKeyWithinTheOrder) {
    const QList<QString> order = keys(u"ABC"_s);
    EXPECT_EQ(SortOptimizer::applied(order, u"C"_s, -3), keys(u"CAB"_s));
    EXPECT_EQ(SortOptimizer::applied(order, u"A"_s, 7), keys(u"BCA"_s));
    EXPECT_EQ(SortOptimizer::applied(order, u"A"_s, 1), keys(u"BAC"_s));
    EXPECT_EQ(SortOptimizer::applied(order, u"X"_s, 0), order);
}

TEST(SortOptimizer, PlansNothingForOtherMembersOrAnOrderedLane) {
    EXPECT_FALSE(SortOptimizer::bestPlan({keys(u"AB"_s), {}, keys(u"AB"_s), 0, 6}, standard));
    EXPECT_FALSE(SortOptimizer::bestPlan({keys(u"BA"_s), {}, keys(u"AC"_s), 0, 6}, standard));
    EXPECT_FALSE(SortOptimizer::bestPlan({keys(u"BAA"_s), {}, keys(u"ABB"_s), 0, 6}, standard));
}

MenuBarItem barItem(const QString &bundle, double left, double width, bool dormant = false) {
    return MenuBarItem{MenuBarItemID{bundle, std::nullopt, std::nullopt, 1},
                       7,
                       bundle,
                       QRectF(left, 0, width, 24),
                       std::nullopt,
                       std::nullopt,
                       Section::shown,
                       false,
                       dormant,
                       false};
}

SectionLayout layoutOf(QList<QString> shown, QList<QString> hidden) {
    auto ids = [](const QList<QString> &bundles) {
        QList<MenuBarItemID> list;
        for (const QString &bundle : bundles) {
            list.append(MenuBarItemID{bundle, std::nullopt, std::nullopt, 1});
        }
        return list;
    };
    return SectionLayout{{{Section::shown, ids(shown)},
                          {Section::hidden, ids(hidden)},
                          {Section::alwaysHidden, {}}}};
}

TEST(SortPlanRecord, LogsOnlyTheLanesThatNeedSorting) {
    // Shown: B stands left of A; the dormant and zero-width items and the system item count in
    // neither order. Hidden: one item on the bar, nothing to sort.
    const QList<MenuBarItem> items{barItem(u"b"_s, 100, 30),
                                   barItem(u"a"_s, 140, 20),
                                   barItem(u"z"_s, 10, 20, true),
                                   barItem(u"w"_s, 60, 0),
                                   barItem(u"com.apple.Siri"_s, 5, 20),
                                   barItem(u"h"_s, 300, 20),
                                   barItem(u"g"_s, 400, 20, true)};
    const SortPlanRecord record =
        SortPlanRecord::build(items, layoutOf({u"a"_s, u"z"_s, u"w"_s, u"b"_s}, {u"g"_s, u"h"_s}));

    const QJsonArray candidates{
        QJsonObject{{u"strategy"_s, u"selectionLTR"_s}, {u"ms"_s, 220}, {u"moves"_s, 1}},
        QJsonObject{{u"strategy"_s, u"selectionRTL"_s}, {u"ms"_s, 220}, {u"moves"_s, 1}},
        QJsonObject{{u"strategy"_s, u"lisKeep"_s}, {u"ms"_s, 220}, {u"moves"_s, 1}}};
    const QJsonObject lane{{u"lane"_s, u"shown"_s},
                           {u"winner"_s, u"lisKeep"_s},
                           {u"ms"_s, 220},
                           {u"moves"_s, 1},
                           {u"candidates"_s, candidates}};
    EXPECT_EQ(record.line, (QJsonObject{{u"kind"_s, u"sort-plan"_s},
                                        {u"lanes"_s, QJsonArray{lane}},
                                        {u"modeledMs"_s, 220}}));
    EXPECT_EQ(record.modeledMicros, 220000);

    const SortPlanRecord ordered =
        SortPlanRecord::build(items, layoutOf({u"b"_s, u"a"_s}, {u"h"_s}));
    EXPECT_EQ(ordered.line.value(u"lanes"_s), QJsonArray());
    EXPECT_EQ(ordered.line.value(u"modeledMs"_s), 0);
    EXPECT_EQ(SortPlanRecord::keyOf(MenuBarItemID{u"x"_s, u"clock"_s, u"9:41"_s, 2}),
              u"x#2#clock"_s);
}

} // namespace
} // namespace zorv
