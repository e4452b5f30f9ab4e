#include "launchplacement.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Spacing between status items when the bar shows none to measure.
constexpr double defaultGap = 16.0;
// Gaps wider than this are holes in the bar (a zero-length item, another screen), not spacing.
constexpr double widestGap = 48.0;
// Written distances stay this far short of a slot's, so that rounding never lands one further
// left.
constexpr double slotMargin = 1.0;

bool isFixed(const DiscoveredItem &item) {
    return item.axIdentifier == u"com.apple.menuextra.clock"_s ||
           item.axIdentifier == u"com.apple.menuextra.controlcenter"_s;
}

double median(QList<double> values) {
    if (values.isEmpty()) {
        return defaultGap;
    }
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

std::optional<LaunchPlacement> LaunchPlacement::compute(const QList<DiscoveredItem> &found,
                                                        const QList<Screen> &screens,
                                                        std::optional<double> menusRight,
                                                        double iconLength, double separatorLength) {
    QList<DiscoveredItem> items;
    for (const DiscoveredItem &item : found) {
        if (std::isfinite(item.frame.left()) && std::isfinite(item.frame.right()) &&
            item.frame.width() >= 0.0) {
            items.append(item);
        }
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const auto &a, const auto &b) { return a.frame.left() < b.frame.left(); });
    if (items.isEmpty()) {
        return std::nullopt;
    }
    const double rightmostCentre = items.back().frame.center().x();
    const auto screen = std::find_if(screens.begin(), screens.end(), [&](const Screen &each) {
        return each.frame.left() <= rightmostCentre && rightmostCentre <= each.frame.right();
    });
    if (screen == screens.end()) {
        return std::nullopt;
    }
    const QRectF bounds = screen->frame;
    const auto housing = screen->housingSpan();

    // The movable items end at the rightmost one that is not fixed; its gap is the one to its
    // right neighbour.
    QList<double> gaps;
    qsizetype rightmost = -1;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QRectF &frame = items.at(i).frame;
        if (frame.center().x() > bounds.right()) {
            break;
        }
        if (i + 1 < items.size() && frame.width() > 0.0) {
            const double gap = items.at(i + 1).frame.left() - frame.right();
            if (gap > 0.0 && gap <= widestGap) {
                gaps.append(gap);
            }
        }
        if (!isFixed(items.at(i))) {
            rightmost = i;
        }
    }
    if (rightmost < 0) {
        return std::nullopt;
    }
    const double typicalGap = median(gaps);
    double endGap = typicalGap;
    if (rightmost + 1 < items.size()) {
        const double gap = items.at(rightmost + 1).frame.left() - items.at(rightmost).frame.right();
        endGap = gap >= 0.0 && gap <= widestGap ? gap : typicalGap;
    }
    const double movableEnd = items.at(rightmost).frame.right() + endGap;

    const double menusEnd = menusRight.value_or(-std::numeric_limits<double>::infinity());
    const double iconRoom = iconLength > 0.0 ? iconLength + typicalGap : 0.0;
    // Where the icon stands when it takes the rightmost slot: the shown items and whatever else
    // lies left of it move left by its room.
    const double slotRight = items.at(rightmost).frame.right();
    const double slotLeft = slotRight - iconLength;
    const bool slotUnderHousing =
        housing && housing->first < slotRight && slotLeft < housing->second;
    const bool rightEndInView = slotLeft >= bounds.left() && slotRight <= bounds.right() &&
                                slotLeft >= menusEnd && !slotUnderHousing;
    const double needed = iconRoom + separatorLength + typicalGap;
    for (qsizetype i = 0; i <= rightmost; ++i) {
        const DiscoveredItem &item = items.at(i);
        const QRectF &frame = item.frame;
        const double centre = frame.center().x();
        const bool underHousing = housing && housing->first <= centre && centre <= housing->second;
        if (isFixed(item) || !(frame.width() > 0.0) || frame.left() < bounds.left() ||
            frame.right() > bounds.right() || underHousing || frame.left() < menusEnd) {
            continue;
        }
        double coveredUpTo = std::max(bounds.left(), menusEnd);
        if (housing && centre > housing->second) {
            coveredUpTo = std::max(coveredUpTo, housing->second);
        }
        // Wherever the icon goes, the item moves left by its room, and the separator needs its
        // own left of the item.
        if (frame.left() - coveredUpTo < needed) {
            continue;
        }
        LaunchPlacement placement;
        const double distance = movableEnd - frame.left();
        placement.icon = rightEndInView ? 0.0 : std::max(distance - slotMargin, 0.0);
        placement.hiddenSeparator = std::max(distance + iconRoom - slotMargin, 0.0);
        placement.anchor = item.bundleID;
        return placement;
    }
    return std::nullopt;
}

LaunchPlacement LaunchPlacement::inSight(double separatorLength) {
    // A separator's slot with the usual spacing; with narrower spacing an item lands a slot or two
    // further left, always in the same order.
    const double slot = separatorLength + defaultGap;
    LaunchPlacement placement;
    placement.alwaysHiddenSeparator = 0.0;
    placement.hiddenSeparator = slot - slotMargin;
    placement.icon = 2.0 * slot - slotMargin;
    return placement;
}

} // namespace zorv
