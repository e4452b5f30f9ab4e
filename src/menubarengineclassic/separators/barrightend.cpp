#include "barrightend.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Gaps wider than this are holes in the bar (a zero-length item, another screen), not spacing.
constexpr double widestGap = 48.0;

double median(QList<double> values) {
    if (values.isEmpty()) {
        return BarRightEnd::defaultGap;
    }
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Each of the application's own items takes its room, up to the left edge of whatever stands next
// on its right, from every item on its left: without it they stand that much further right.
void takeOwnItemsOff(QList<DiscoveredItem> &items, const QList<QRectF> &ownItems) {
    QList<double> lefts;
    for (const DiscoveredItem &item : std::as_const(items)) {
        lefts.append(item.frame.left());
    }
    QList<QRectF> own;
    for (const QRectF &frame : ownItems) {
        if (std::isfinite(frame.left()) && std::isfinite(frame.right()) && frame.width() > 0.0) {
            own.append(frame);
            lefts.append(frame.left());
        }
    }
    std::sort(lefts.begin(), lefts.end());
    for (const QRectF &frame : std::as_const(own)) {
        const auto next = std::upper_bound(lefts.cbegin(), lefts.cend(), frame.left());
        const double room =
            next != lefts.cend() ? *next - frame.left() : frame.width() + BarRightEnd::defaultGap;
        for (DiscoveredItem &item : items) {
            if (item.frame.left() < frame.left()) {
                item.frame.translate(room, 0.0);
            }
        }
    }
}

} // namespace

bool BarRightEnd::isFixed(const DiscoveredItem &item) {
    return item.axIdentifier == u"com.apple.menuextra.clock"_s ||
           item.axIdentifier == u"com.apple.menuextra.controlcenter"_s;
}

std::optional<BarRightEnd> BarRightEnd::of(const QList<DiscoveredItem> &found,
                                           const QList<Screen> &screens,
                                           const QList<QRectF> &ownItems) {
    BarRightEnd end;
    for (const DiscoveredItem &item : found) {
        if (std::isfinite(item.frame.left()) && std::isfinite(item.frame.right()) &&
            item.frame.width() >= 0.0) {
            end.items.append(item);
        }
    }
    takeOwnItemsOff(end.items, ownItems);
    std::stable_sort(end.items.begin(), end.items.end(),
                     [](const auto &a, const auto &b) { return a.frame.left() < b.frame.left(); });
    if (end.items.isEmpty()) {
        return std::nullopt;
    }
    const double rightmostCentre = end.items.back().frame.center().x();
    const auto screen = std::find_if(screens.begin(), screens.end(), [&](const Screen &each) {
        return each.frame.left() <= rightmostCentre && rightmostCentre <= each.frame.right();
    });
    if (screen == screens.end()) {
        return std::nullopt;
    }
    end.bounds = screen->frame;
    end.housing = screen->housingSpan();

    // The movable items end at the rightmost one that is not fixed; its gap is the one to its
    // right neighbour.
    QList<double> gaps;
    for (qsizetype i = 0; i < end.items.size(); ++i) {
        const QRectF &frame = end.items.at(i).frame;
        if (frame.center().x() > end.bounds.right()) {
            break;
        }
        if (i + 1 < end.items.size() && frame.width() > 0.0) {
            const double gap = end.items.at(i + 1).frame.left() - frame.right();
            if (gap > 0.0 && gap <= widestGap) {
                gaps.append(gap);
            }
        }
        if (!isFixed(end.items.at(i))) {
            end.rightmost = i;
        }
    }
    if (end.rightmost < 0) {
        return std::nullopt;
    }
    end.typicalGap = median(gaps);
    double endGap = end.typicalGap;
    if (end.rightmost + 1 < end.items.size()) {
        const double gap = end.items.at(end.rightmost + 1).frame.left() -
                           end.items.at(end.rightmost).frame.right();
        endGap = gap >= 0.0 && gap <= widestGap ? gap : end.typicalGap;
    }
    end.movableEnd = end.items.at(end.rightmost).frame.right() + endGap;
    return end;
}

bool BarRightEnd::inView(const DiscoveredItem &item, std::optional<double> deskMenusRight) const {
    const QRectF &frame = item.frame;
    const double centre = frame.center().x();
    const bool underHousing = housing && housing->first <= centre && centre <= housing->second;
    const bool underMenus = deskMenusRight && frame.left() < *deskMenusRight;
    return !isFixed(item) && frame.width() > 0.0 && frame.left() >= bounds.left() &&
           frame.right() <= bounds.right() && !underHousing && !underMenus;
}

double BarRightEnd::coveredUpTo(const DiscoveredItem &item,
                                std::optional<double> deskMenusRight) const {
    double covered = std::max(bounds.left(), deskMenusRight.value_or(bounds.left()));
    if (housing && item.frame.center().x() > housing->second) {
        covered = std::max(covered, housing->second);
    }
    return covered;
}

bool BarRightEnd::slotInView(std::optional<double> menusRight, double length) const {
    const double menusEnd = menusRight.value_or(-std::numeric_limits<double>::infinity());
    const double slotRight = items.at(rightmost).frame.right();
    const double slotLeft = slotRight - length;
    const bool underHousing = housing && housing->first < slotRight && slotLeft < housing->second;
    return slotLeft >= bounds.left() && slotRight <= bounds.right() && slotLeft >= menusEnd &&
           !underHousing;
}

} // namespace zorv
