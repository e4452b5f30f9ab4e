#pragma once

#include "discovery/discovereditem.h"
#include "screen.h"

#include <QList>
#include <QRectF>

#include <optional>
#include <utility>

namespace zorv {

// The right end of the movable status items, read off the items a scan found: the slot a new item
// with a preferred position of 0 takes. The bar's screen is the one holding the rightmost item;
// Control Center and the clock stay at the right end and never count as movable. The bar is read
// as it stands without this application's own items, which a scan does not see but which push
// every item on their left further left.
struct BarRightEnd {
    // Spacing between status items when the bar shows none to measure.
    static constexpr double defaultGap = 16.0;

    // The items found, left to right, those without a usable frame left out.
    QList<DiscoveredItem> items;
    QRectF bounds;
    // The span of x the camera housing covers on the bar's screen.
    std::optional<std::pair<double, double>> housing;
    // The index in `items` of the rightmost movable item.
    qsizetype rightmost = -1;
    // The usual spacing between items.
    double typicalGap = 0.0;
    // Past the rightmost movable item by the gap after it: where distances count from.
    double movableEnd = 0.0;

    // Absent when no movable item stands on a screen. `ownItems` are the frames of this
    // application's own items on the bar (only their x counts).
    [[nodiscard]] static std::optional<BarRightEnd> of(const QList<DiscoveredItem> &found,
                                                       const QList<Screen> &screens,
                                                       const QList<QRectF> &ownItems = {});

    [[nodiscard]] static bool isFixed(const DiscoveredItem &item);

    // Whether a movable item stands in view at the desktop: wholly on the bar's screen, its
    // centre clear of the camera housing and right of `deskMenusRight`, where the menus in front
    // at the desktop end (Finder's). Longer menus in front cover more only until the desktop's
    // come back.
    [[nodiscard]] bool inView(const DiscoveredItem &item,
                              std::optional<double> deskMenusRight) const;
    // Where whatever covers the bar left of an item in view ends: the screen's left edge, the
    // desktop's menus, or the housing's right edge for an item right of it.
    [[nodiscard]] double coveredUpTo(const DiscoveredItem &item,
                                     std::optional<double> deskMenusRight) const;

    // Whether an item `length` points long taking the rightmost slot would stand wholly on the
    // screen, clear of the camera housing and right of the front application's menus. Every item
    // on its left moves left by its room, so it stands where the rightmost item's right edge is.
    [[nodiscard]] bool slotInView(std::optional<double> menusRight, double length) const;
};

} // namespace zorv
