#pragma once

#include "menubaritemid.h"

#include <QPointF>
#include <QString>

#include <optional>

namespace zorv {

// The next drag of a reconcile run. Labels name what is dragged and why: "zorv-icon",
// "alwaysHiddenSep", "<bundle id> → <zone>" for a move into another lane (" → " with U+2192),
// "<bundle id> → hidden for now" for an item wanted always hidden taken into Hidden while no drag
// reaches its lane, "order:<bundle id>" and "order-swap:<bundle id>" for moves within a lane.
struct DragPlan {
    QString label;
    // Global points, top-left convention; `from` is the centre of what is dragged.
    QPointF from;
    QPointF to;
    // The item being moved; absent for the icon and the separator.
    std::optional<MenuBarItemID> track;
    // 1 for the first plan under its attempt key in the run, 2 for the second.
    int attempt = 1;

    // By the full prefix: a lane move's label starts with a bundle identifier, which may itself
    // begin with "order" but never holds a colon.
    [[nodiscard]] bool isOrderMove() const {
        return label.startsWith(orderPrefix) || label.startsWith(swapPrefix);
    }
    // Into the item's own lane: only such a drag that does not take counts against the item.
    [[nodiscard]] bool isLaneMove() const {
        return label.contains(laneArrow) && !label.endsWith(forNowSuffix);
    }

    friend bool operator==(const DragPlan &, const DragPlan &) = default;

    static inline const QString iconLabel = QStringLiteral("zorv-icon");
    static inline const QString separatorLabel = QStringLiteral("alwaysHiddenSep");
    static inline const QString laneArrow = QStringLiteral(" \u2192 ");
    static inline const QString forNowSuffix = QStringLiteral(" for now");
    static inline const QString orderPrefix = QStringLiteral("order:");
    static inline const QString swapPrefix = QStringLiteral("order-swap:");
};

} // namespace zorv
