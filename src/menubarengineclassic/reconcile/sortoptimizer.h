#pragma once

#include "drag/movecoordinator.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace zorv {

// Estimates how long putting one lane of the bar into the wanted order by Command-drags would
// take under three strategies, and which is cheapest. It plans and models only; the drags a
// reconcile run makes come from the drag planner. Pure functions.
//
// Items are named by text keys (see SortPlanRecord::keyOf).
class SortOptimizer {
public:
    struct Lane {
        // Keys in the bar's present order, left to right.
        QList<QString> current;
        // Item widths in points; a key without one counts as 24.
        QHash<QString, double> widths;
        // The same keys in the wanted order.
        QList<QString> goal;
        double originX = 0.0;
        double gap = 0.0;

        // The modelled centre of each key when the lane stands in `order`.
        [[nodiscard]] QHash<QString, double> centers(const QList<QString> &order) const;
    };

    struct Move {
        QString id;
        // Where in the order the key ends.
        qsizetype toIndex = 0;
        // How far the key's modelled centre shifts, in points.
        double distance = 0.0;

        friend bool operator==(const Move &, const Move &) = default;
    };

    struct Plan {
        QString strategy;
        QList<Move> moves;
        qint64 microseconds = 0;

        friend bool operator==(const Plan &, const Plan &) = default;
    };

    // Every strategy's plan that reaches the goal, cheapest first, and the best of them.
    struct Choice {
        Plan best;
        QList<Plan> candidates;
    };

    static constexpr double defaultWidth = 24.0;

    SortOptimizer() = delete;

    // The cheapest plan: fewest microseconds, then fewest moves, then the earlier strategy name.
    // None when current and goal hold different keys, are already equal, or nothing reaches it.
    [[nodiscard]] static std::optional<Plan> bestPlan(const Lane &lane,
                                                      const MoveCoordinator::Gesture &gesture);
    // bestPlan's winner and the candidates, from one replay of each strategy; none when bestPlan
    // gives none.
    [[nodiscard]] static std::optional<Choice> choose(const Lane &lane,
                                                      const MoveCoordinator::Gesture &gesture);
    // Every strategy's plan that reaches the goal, cheapest first (stable on ties:
    // "selectionLTR", "selectionRTL", "lisKeep").
    [[nodiscard]] static QList<Plan> candidates(const Lane &lane,
                                                const MoveCoordinator::Gesture &gesture);
    // The modelled time of drags over these distances with the gesture's pacing, each drag
    // short of 80 points making the detour of a real one. Needs a gesture with a step count.
    [[nodiscard]] static qint64 sequenceMicroseconds(const QList<double> &distances,
                                                     const MoveCoordinator::Gesture &gesture);
    // The order after moving `key` (its first occurrence) to `toIndex`, clamped to the ends; the
    // order unchanged when it does not hold the key.
    [[nodiscard]] static QList<QString> applied(QList<QString> order, const QString &key,
                                                qsizetype toIndex);
};

} // namespace zorv
