#include "layout/barlayout.h"

#include "layout/restingwidths.h"
#include "statusbar.h"

#include <algorithm>
#include <cmath>

namespace zorv {

double BarLayout::width(const DesktopState &state, const ItemRecord &item) {
    const double length = item.length;
    if (length == StatusBar::squareLength) {
        return state.thickness;
    }
    if (length == StatusBar::variableLength) {
        double content = 0.0;
        if (!item.image.isNull()) {
            content += state.thickness;
        }
        if (!item.title.isEmpty()) {
            content += titleCharacterWidth * item.title.size() + titlePadding;
        }
        return std::min(content, StatusBar::maximumLength);
    }
    if (!std::isfinite(length) || length < 0.0) {
        return 0.0;
    }
    return std::min(length, StatusBar::maximumLength);
}

double BarLayout::gap(const DesktopState &state, const ItemRecord &item) {
    const AppRecord *owner = state.app(item.ownerProcessId);
    return owner ? owner->statusItemSpacing : state.statusItemSpacing;
}

QList<ScreenBar> BarLayout::compute(const DesktopState &state) {
    QList<ScreenBar> bars;
    for (const ScreenRecord &screen : state.screens) {
        QList<LaidOutItem> items;
        const QRectF strip = screen.barStrip();
        const double right = strip.right() - rightInset;
        double edge = right;
        bool placedAny = false;
        for (auto id = state.order.crbegin(); id != state.order.crend(); ++id) {
            const ItemRecord *item = state.item(*id);
            if (!item) {
                continue;
            }
            const double itemWidth = RestingWidths::width(state, *item, screen);
            if (itemWidth <= 0.0) {
                items.append({item->id, QRectF(edge, strip.y(), 0.0, strip.height())});
                continue;
            }
            const double maxX = placedAny ? edge - gap(state, *item) : right;
            const double minX = maxX - itemWidth;
            items.append({item->id, QRectF(minX, strip.y(), itemWidth, strip.height())});
            edge = minX;
            placedAny = true;
        }
        std::reverse(items.begin(), items.end());
        bars.append(ScreenBar::of(screen.displayId, std::move(items)));
    }
    return bars;
}

} // namespace zorv
