#include "launchplacement.h"

#include "barrightend.h"

#include <algorithm>
#include <limits>

namespace zorv {

namespace {

// Written distances stay this far short of a slot's, so that rounding never lands one further
// left.
constexpr double slotMargin = 1.0;

double iconRoom(const BarRightEnd &end, double iconLength) {
    return iconLength > 0.0 ? iconLength + end.typicalGap : 0.0;
}

} // namespace

std::optional<LaunchPlacement> LaunchPlacement::compute(const QList<DiscoveredItem> &found,
                                                        const QList<QRectF> &ownItems,
                                                        const QList<Screen> &screens, Menus menus,
                                                        double iconLength, double separatorLength) {
    const std::optional<BarRightEnd> end = BarRightEnd::of(found, screens, ownItems);
    if (!end) {
        return std::nullopt;
    }
    const double menusEnd = menus.front.value_or(-std::numeric_limits<double>::infinity());
    const double room = iconRoom(*end, iconLength);
    // Where the icon stands when it takes the rightmost slot: the shown items and whatever else
    // lies left of it move left by its room.
    const bool rightEndInView = end->slotInView(menus.front, iconLength);
    const double needed = room + separatorLength + end->typicalGap;
    for (qsizetype i = 0; i <= end->rightmost; ++i) {
        const DiscoveredItem &item = end->items.at(i);
        if (!end->inView(item, menus.desk)) {
            continue;
        }
        const QRectF &frame = item.frame;
        // Wherever the icon goes, the item moves left by its room, and the separator needs its
        // own left of the item.
        if (frame.left() - end->coveredUpTo(item, menus.desk) < needed) {
            continue;
        }
        LaunchPlacement placement;
        const double distance = end->movableEnd - frame.left();
        // Beside an item under the menus the icon would be out of sight until shorter ones come
        // to the front, as at the right end; there it stays in sight the longest.
        const bool besideInView = frame.left() - room >= menusEnd;
        placement.icon =
            rightEndInView || !besideInView ? 0.0 : std::max(distance - slotMargin, 0.0);
        placement.hiddenSeparator = std::max(distance + room - slotMargin, 0.0);
        placement.anchor = item.bundleID;
        return placement;
    }
    return std::nullopt;
}

std::optional<LaunchPlacement>
LaunchPlacement::withNothingInView(const QList<DiscoveredItem> &found,
                                   const QList<QRectF> &ownItems, const QList<Screen> &screens,
                                   std::optional<double> deskMenusRight, double iconLength) {
    const std::optional<BarRightEnd> end = BarRightEnd::of(found, screens, ownItems);
    if (!end) {
        return std::nullopt;
    }
    const double room = iconRoom(*end, iconLength);
    LaunchPlacement placement;
    // Without an item in view, just left of the icon.
    placement.hiddenSeparator = std::max(room - slotMargin, 0.0);
    for (qsizetype i = 0; i <= end->rightmost; ++i) {
        const DiscoveredItem &item = end->items.at(i);
        if (end->inView(item, deskMenusRight)) {
            placement.hiddenSeparator =
                std::max(end->movableEnd - item.frame.left() + room - slotMargin, 0.0);
            placement.anchor = item.bundleID;
            break;
        }
    }
    return placement;
}

LaunchPlacement LaunchPlacement::inSight(double iconLength, double separatorLength) {
    // A slot with the usual spacing; with narrower spacing an item lands a slot or two further
    // left, always in the same order.
    const double iconSlot = iconLength + BarRightEnd::defaultGap;
    LaunchPlacement placement;
    placement.icon = 0.0;
    placement.alwaysHiddenSeparator = iconSlot - slotMargin;
    placement.hiddenSeparator = iconSlot + separatorLength + BarRightEnd::defaultGap - slotMargin;
    return placement;
}

} // namespace zorv
