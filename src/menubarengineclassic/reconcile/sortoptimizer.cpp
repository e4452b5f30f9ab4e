#include "sortoptimizer.h"

#include "drift/driftrules.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

using Order = QList<QString>;
// The next (key, index) a strategy makes from the order reached so far.
using NextMove = std::function<std::optional<std::pair<QString, qsizetype>>(const Order &)>;

// Fixed cost of one drag beside its legs: picking up and letting go.
constexpr qint64 dragOverheadMicros = 130000;

std::optional<std::pair<QString, qsizetype>> selection(const Order &order, const Order &goal,
                                                       bool leftToRight) {
    const qsizetype count = goal.size();
    for (qsizetype step = 0; step < count; ++step) {
        const qsizetype i = leftToRight ? step : count - 1 - step;
        if (i < order.size() && order.at(i) != goal.at(i)) {
            return std::pair(goal.at(i), i);
        }
    }
    return std::nullopt;
}

// Keeps one longest run of keys already in wanted order and drops every other key in just after
// its wanted predecessor (the first one at the front), taking them in wanted order: each such
// key then ends next to the one before it, so the goal is reached in one move per key not kept.
NextMove lisKeep(const SortOptimizer::Lane &lane) {
    QHash<QString, qsizetype> rank;
    for (qsizetype i = 0; i < lane.goal.size(); ++i) {
        rank.insert(lane.goal.at(i), i);
    }
    QList<double> ranks;
    Order ranked;
    for (const QString &key : lane.current) {
        if (rank.contains(key)) {
            ranks.append(static_cast<double>(rank.value(key)));
            ranked.append(key);
        }
    }
    QSet<QString> keep;
    for (const int position : DriftRules::longestIncreasingRun(ranks)) {
        keep.insert(ranked.at(position));
    }
    auto pending = std::make_shared<QList<qsizetype>>();
    for (qsizetype i = 0; i < lane.goal.size(); ++i) {
        if (!keep.contains(lane.goal.at(i))) {
            pending->append(i);
        }
    }
    return [goal = lane.goal,
            pending](const Order &order) -> std::optional<std::pair<QString, qsizetype>> {
        if (pending->isEmpty()) {
            return std::nullopt;
        }
        const qsizetype i = pending->takeFirst();
        const QString &key = goal.at(i);
        if (i == 0) {
            return std::pair(key, qsizetype(0));
        }
        Order without = order;
        without.removeOne(key);
        return std::pair(key, without.indexOf(goal.at(i - 1)) + 1);
    };
}

std::optional<SortOptimizer::Plan> simulate(const SortOptimizer::Lane &lane,
                                            const QString &strategy,
                                            const MoveCoordinator::Gesture &gesture,
                                            const NextMove &nextMove) {
    Order order = lane.current;
    SortOptimizer::Plan plan{strategy, {}, 0};
    const qsizetype stepLimit = 4 * lane.current.size() + 8;
    while (order != lane.goal) {
        if (plan.moves.size() >= stepLimit) {
            return std::nullopt;
        }
        const auto move = nextMove(order);
        if (!move) {
            return std::nullopt;
        }
        const auto &[key, index] = *move;
        const double before = lane.centers(order).value(key, 0.0);
        order = SortOptimizer::applied(std::move(order), key, index);
        const double after = lane.centers(order).value(key, 0.0);
        plan.moves.append({key, index, std::abs(after - before)});
    }
    QList<double> distances;
    for (const SortOptimizer::Move &move : plan.moves) {
        distances.append(move.distance);
    }
    plan.microseconds = SortOptimizer::sequenceMicroseconds(distances, gesture);
    return plan;
}

QList<SortOptimizer::Plan> everyPlan(const SortOptimizer::Lane &lane,
                                     const MoveCoordinator::Gesture &gesture) {
    const auto ltr = [&goal = lane.goal](const Order &order) {
        return selection(order, goal, true);
    };
    const auto rtl = [&goal = lane.goal](const Order &order) {
        return selection(order, goal, false);
    };
    QList<SortOptimizer::Plan> plans;
    for (const auto &[name, rule] : {std::pair<QString, NextMove>(u"selectionLTR"_s, ltr),
                                     std::pair<QString, NextMove>(u"selectionRTL"_s, rtl),
                                     std::pair<QString, NextMove>(u"lisKeep"_s, lisKeep(lane))}) {
        if (auto plan = simulate(lane, name, gesture, rule)) {
            plans.append(std::move(*plan));
        }
    }
    return plans;
}

qint64 legMicros(double length, const MoveCoordinator::Gesture &gesture) {
    const qint64 steps = MoveCoordinator::stepsPerLeg(length, gesture.stepPx)
                             .value_or(MoveCoordinator::minimumSteps);
    return steps * gesture.stepDelay + gesture.dwell;
}

} // namespace

QHash<QString, double> SortOptimizer::Lane::centers(const QList<QString> &order) const {
    QHash<QString, double> result;
    double x = originX;
    for (const QString &key : order) {
        const double width = widths.value(key, defaultWidth);
        result.insert(key, x + width * 0.5);
        x += gap + width;
    }
    return result;
}

QList<QString> SortOptimizer::applied(QList<QString> order, const QString &key, qsizetype toIndex) {
    if (!order.removeOne(key)) {
        return order;
    }
    order.insert(std::clamp(toIndex, qsizetype(0), order.size()), key);
    return order;
}

qint64 SortOptimizer::sequenceMicroseconds(const QList<double> &distances,
                                           const MoveCoordinator::Gesture &gesture) {
    qint64 total = 0;
    const double detour = MoveCoordinator::detourDistance;
    for (const double distance : distances) {
        const double length = std::abs(distance);
        total += gesture.holdBeforeMove + dragOverheadMicros;
        if (length >= detour) {
            total += legMicros(length, gesture);
        } else {
            total += legMicros(detour, gesture) + legMicros(length + detour, gesture);
        }
    }
    return total;
}

QList<SortOptimizer::Plan> SortOptimizer::candidates(const Lane &lane,
                                                     const MoveCoordinator::Gesture &gesture) {
    QList<Plan> plans = everyPlan(lane, gesture);
    std::stable_sort(plans.begin(), plans.end(),
                     [](const Plan &a, const Plan &b) { return a.microseconds < b.microseconds; });
    return plans;
}

std::optional<SortOptimizer::Plan>
SortOptimizer::bestPlan(const Lane &lane, const MoveCoordinator::Gesture &gesture) {
    Order currentSorted = lane.current;
    Order goalSorted = lane.goal;
    std::sort(currentSorted.begin(), currentSorted.end());
    std::sort(goalSorted.begin(), goalSorted.end());
    if (currentSorted != goalSorted || lane.current == lane.goal) {
        return std::nullopt;
    }
    std::optional<Plan> best;
    for (Plan &plan : everyPlan(lane, gesture)) {
        const auto better = [&plan](const Plan &held) {
            if (plan.microseconds != held.microseconds) {
                return plan.microseconds < held.microseconds;
            }
            if (plan.moves.size() != held.moves.size()) {
                return plan.moves.size() < held.moves.size();
            }
            return plan.strategy < held.strategy;
        };
        if (!best || better(*best)) {
            best = std::move(plan);
        }
    }
    return best;
}

} // namespace zorv
