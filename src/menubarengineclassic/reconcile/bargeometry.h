#pragma once

#include "menubaritem.h"
#include "reachability.h"

#include <QJsonObject>
#include <QList>
#include <QRectF>

#include <optional>

namespace zorv {

class SeparatorController;

// One item's frame in a snapshot of the bar.
struct ItemFrame {
    MenuBarItemID id;
    QRectF frame;

    friend bool operator==(const ItemFrame &, const ItemFrame &) = default;
};

// A snapshot of the bar for planning drags: the scanned items' frames (accessibility frames, in
// scan order) and the window frames of this application's icon and two separators. Only x
// positions are compared between the two kinds of frame.
struct BarGeometry {
    QList<ItemFrame> frames;
    QRectF hiddenSep;
    // Absent when the always-hidden separator has no button or window.
    std::optional<QRectF> alwaysSep;
    QRectF iconFrame;
    bool iconHidden = false;
    bool iconSafelyRightmost = false;
    bool separatorsOrdered = false;
    // What a drag can reach; absent: everything.
    std::optional<Reachability> reach;

    [[nodiscard]] const QRectF *frameOf(const MenuBarItemID &id) const;
    [[nodiscard]] QRectF *frameOf(const MenuBarItemID &id);
    // The item frames left to right by their centres, scan order kept among equal centres.
    [[nodiscard]] QList<ItemFrame> framesByMidX() const;
    // Whether an item stands on the bar where drags place things: a frame with a width, and not
    // one of the items the system pins in place.
    [[nodiscard]] static bool placedOnBar(const QRectF *frame, const MenuBarItemID &id);

    // Whether the item, standing in `frame`, can be dragged.
    [[nodiscard]] bool canReach(const MenuBarItemID &id, const QRectF &frame) const;
    // Whether a drag may start or end at x.
    [[nodiscard]] bool canReach(double x) const;
    // What keeps drags from [lower, upper], none of which they reach (Reachability::whyNotIn);
    // absent when everything can be reached.
    [[nodiscard]] std::optional<QString> coverOf(double lower, double upper) const;
    // The x a drag may end at in [lower, upper], nearest `preferred`; none when none can be
    // reached.
    [[nodiscard]] std::optional<double> nearestReachable(double preferred, double lower,
                                                         double upper) const;

    // The snapshot as it will read once the bar is revealed (always-hidden items too when
    // `includingAlwaysHidden`), for a tucked bar: the hidden separator collapses to `collapsed`
    // and what stands left of it moves right by as much.
    [[nodiscard]] BarGeometry revealed(bool includingAlwaysHidden, double collapsed) const;

    friend bool operator==(const BarGeometry &, const BarGeometry &) = default;

    // The snapshot now; absent when the hidden separator's or the icon's window cannot be read.
    [[nodiscard]] static std::optional<BarGeometry> read(SeparatorController &separators,
                                                         QList<ItemFrame> frames);

    // Where everything stands now, for the drag test's records: {"items": [{"bundleID", "midX",
    // "width"}] left to right (dormant and zero-width items left out), "hiddenSep",
    // "alwaysSep", "icon": the windows' left edges, -1 when unreadable}.
    [[nodiscard]] static QJsonObject reflowSnapshot(const QList<MenuBarItem> &items,
                                                    SeparatorController &separators);
};

} // namespace zorv
