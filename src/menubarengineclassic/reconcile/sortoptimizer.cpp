#include "sortoptimizer.h"

#include "drift/driftrules.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Fixed cost of one drag beside its legs: picking up and letting go.
constexpr qint64 dragOverheadMicros = 130000;

// The lane with its keys numbered, so a replay moves integers instead of strings and prices a
// move with one walk along the order instead of building every centre twice.
class NumberedLane {
public:
    using Order = std::vector<int>;

    explicit NumberedLane(const SortOptimizer::Lane &lane)
        : m_originX(lane.originX), m_gap(lane.gap) {
        m_current = numbered(lane.current, lane);
        m_goal = numbered(lane.goal, lane);
    }

    [[nodiscard]] const Order &current() const { return m_current; }
    [[nodiscard]] const Order &goal() const { return m_goal; }
    [[nodiscard]] const QString &key(int number) const { return m_keys.at(std::size_t(number)); }

    // The modelled centre of the key's last occurrence in `order` (0 when absent), summed left to
    // right exactly as SortOptimizer::Lane::centers does.
    [[nodiscard]] double centre(const Order &order, int number) const {
        double result = 0.0;
        double x = m_originX;
        for (const int held : order) {
            const double width = m_widths[std::size_t(held)];
            if (held == number) {
                result = x + width * 0.5;
            }
            x += m_gap + width;
        }
        return result;
    }

private:
    Order numbered(const QList<QString> &keys, const SortOptimizer::Lane &lane) {
        Order order;
        order.reserve(std::size_t(keys.size()));
        for (const QString &key : keys) {
            auto at = m_numbers.constFind(key);
            if (at == m_numbers.cend()) {
                at = m_numbers.insert(key, int(m_keys.size()));
                m_keys.push_back(key);
                m_widths.push_back(lane.widths.value(key, SortOptimizer::defaultWidth));
            }
            order.push_back(*at);
        }
        return order;
    }

    double m_originX;
    double m_gap;
    QHash<QString, int> m_numbers;
    std::vector<QString> m_keys;
    std::vector<double> m_widths;
    Order m_current;
    Order m_goal;
};

using Order = NumberedLane::Order;
// The next (key, index) a strategy makes from the order reached so far.
using NextMove = std::function<std::optional<std::pair<int, qsizetype>>(const Order &)>;

// Moves the first occurrence of `number` to `toIndex`, clamped to the ends.
void apply(Order &order, int number, qsizetype toIndex) {
    const auto at = std::find(order.begin(), order.end(), number);
    if (at == order.end()) {
        return;
    }
    order.erase(at);
    const auto index = std::clamp(toIndex, qsizetype(0), qsizetype(order.size()));
    order.insert(order.begin() + index, number);
}

std::optional<std::pair<int, qsizetype>> selection(const Order &order, const Order &goal,
                                                   bool leftToRight) {
    const auto count = qsizetype(goal.size());
    const auto held = qsizetype(order.size());
    for (qsizetype step = 0; step < count; ++step) {
        const qsizetype i = leftToRight ? step : count - 1 - step;
        if (i < held && order[std::size_t(i)] != goal[std::size_t(i)]) {
            return std::pair(goal[std::size_t(i)], i);
        }
    }
    return std::nullopt;
}

// Keeps one longest run of keys already in wanted order and drops every other key in just after
// its wanted predecessor (the first one at the front), taking them in wanted order: each such
// key then ends next to the one before it, so the goal is reached in one move per key not kept.
NextMove lisKeepMoves(const NumberedLane &lane) {
    const Order &goal = lane.goal();
    QHash<int, qsizetype> rank;
    for (std::size_t i = 0; i < goal.size(); ++i) {
        rank.insert(goal[i], qsizetype(i));
    }
    QList<double> ranks;
    Order ranked;
    for (const int number : lane.current()) {
        if (const auto found = rank.constFind(number); found != rank.cend()) {
            ranks.append(double(*found));
            ranked.push_back(number);
        }
    }
    std::vector<bool> keep(goal.size() + lane.current().size(), false);
    for (const int position : DriftRules::longestIncreasingRun(ranks)) {
        keep[std::size_t(ranked[std::size_t(position)])] = true;
    }
    auto pending = std::make_shared<std::vector<std::size_t>>();
    for (std::size_t i = goal.size(); i-- > 0;) {
        if (!keep[std::size_t(goal[i])]) {
            pending->push_back(i);
        }
    }
    return [goal, pending](const Order &order) -> std::optional<std::pair<int, qsizetype>> {
        if (pending->empty()) {
            return std::nullopt;
        }
        const std::size_t i = pending->back();
        pending->pop_back();
        const int number = goal[i];
        if (i == 0) {
            return std::pair(number, qsizetype(0));
        }
        // The predecessor's index once the key's first occurrence is taken out; -1 + 1 when the
        // order does not hold the predecessor.
        const int predecessor = goal[i - 1];
        bool skipped = false;
        qsizetype index = 0;
        for (const int held : order) {
            if (held == number && !skipped) {
                skipped = true;
                continue;
            }
            if (held == predecessor) {
                return std::pair(number, index + 1);
            }
            ++index;
        }
        return std::pair(number, qsizetype(0));
    };
}

std::optional<SortOptimizer::Plan> simulate(const NumberedLane &lane, const QString &strategy,
                                            const MoveCoordinator::Gesture &gesture,
                                            const NextMove &nextMove) {
    Order order = lane.current();
    SortOptimizer::Plan plan{strategy, {}, 0};
    const auto stepLimit = 4 * qsizetype(lane.current().size()) + 8;
    QList<double> distances;
    while (order != lane.goal()) {
        if (plan.moves.size() >= stepLimit) {
            return std::nullopt;
        }
        const auto move = nextMove(order);
        if (!move) {
            return std::nullopt;
        }
        const auto [number, index] = *move;
        const double before = lane.centre(order, number);
        apply(order, number, index);
        const double after = lane.centre(order, number);
        plan.moves.append({lane.key(number), index, std::abs(after - before)});
        distances.append(plan.moves.last().distance);
    }
    plan.microseconds = SortOptimizer::sequenceMicroseconds(distances, gesture);
    return plan;
}

// The strategies' plans in the order "selectionLTR", "selectionRTL", "lisKeep", those that
// reach the goal only.
QList<SortOptimizer::Plan> everyPlan(const SortOptimizer::Lane &lane,
                                     const MoveCoordinator::Gesture &gesture) {
    const NumberedLane numbered(lane);
    const Order &goal = numbered.goal();
    const NextMove ltr = [&goal](const Order &order) { return selection(order, goal, true); };
    const NextMove rtl = [&goal](const Order &order) { return selection(order, goal, false); };
    QList<SortOptimizer::Plan> plans;
    for (const auto &[name, rule] :
         {std::pair<QString, NextMove>(u"selectionLTR"_s, ltr),
          std::pair<QString, NextMove>(u"selectionRTL"_s, rtl),
          std::pair<QString, NextMove>(u"lisKeep"_s, lisKeepMoves(numbered))}) {
        if (auto plan = simulate(numbered, name, gesture, rule)) {
            plans.append(std::move(*plan));
        }
    }
    return plans;
}

QList<SortOptimizer::Plan> cheapestFirst(QList<SortOptimizer::Plan> plans) {
    std::stable_sort(plans.begin(), plans.end(),
                     [](const auto &a, const auto &b) { return a.microseconds < b.microseconds; });
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
    return cheapestFirst(everyPlan(lane, gesture));
}

std::optional<SortOptimizer::Choice>
SortOptimizer::choose(const Lane &lane, const MoveCoordinator::Gesture &gesture) {
    if (lane.current == lane.goal) {
        return std::nullopt;
    }
    QList<QString> currentSorted = lane.current;
    QList<QString> goalSorted = lane.goal;
    std::sort(currentSorted.begin(), currentSorted.end());
    std::sort(goalSorted.begin(), goalSorted.end());
    if (currentSorted != goalSorted) {
        return std::nullopt;
    }
    QList<Plan> plans = everyPlan(lane, gesture);
    // Strategy names differ, so this order is total and the winner does not depend on the
    // order the plans are looked at in.
    const auto better = [](const Plan &a, const Plan &b) {
        if (a.microseconds != b.microseconds) {
            return a.microseconds < b.microseconds;
        }
        if (a.moves.size() != b.moves.size()) {
            return a.moves.size() < b.moves.size();
        }
        return a.strategy < b.strategy;
    };
    const auto best = std::min_element(plans.cbegin(), plans.cend(), better);
    if (best == plans.cend()) {
        return std::nullopt;
    }
    Choice choice{*best, {}};
    choice.candidates = cheapestFirst(std::move(plans));
    return choice;
}

std::optional<SortOptimizer::Plan>
SortOptimizer::bestPlan(const Lane &lane, const MoveCoordinator::Gesture &gesture) {
    auto choice = choose(lane, gesture);
    return choice ? std::optional(std::move(choice->best)) : std::nullopt;
}

} // namespace zorv
