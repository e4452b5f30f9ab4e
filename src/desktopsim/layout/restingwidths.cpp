#include "layout/restingwidths.h"

#include "layout/barlayout.h"

namespace zorv {

void RestingWidths::itemAppeared(const DesktopState &state, ItemRecord &item) {
    const double current = BarLayout::width(state, item);
    for (const ScreenRecord &screen : state.screens) {
        item.restingWidths.insert(screen.displayId, current);
    }
}

void RestingWidths::screenAppeared(DesktopState &state, DisplayId displayId) {
    for (auto &[id, item] : state.items) {
        item.restingWidths.insert(displayId, BarLayout::width(state, item));
    }
}

void RestingWidths::screenRemoved(DesktopState &state, DisplayId displayId) {
    for (auto &[id, item] : state.items) {
        item.restingWidths.remove(displayId);
    }
}

void RestingWidths::widthChanged(const DesktopState &state, ItemRecord &item) {
    const double current = BarLayout::width(state, item);
    if (current > collapsedWidth) {
        return;
    }
    for (double &resting : item.restingWidths) {
        resting = current;
    }
}

double RestingWidths::width(const DesktopState &state, const ItemRecord &item,
                            const ScreenRecord &screen) {
    if (screen.notHiding) {
        if (const auto resting = item.restingWidths.constFind(screen.displayId);
            resting != item.restingWidths.cend()) {
            return *resting;
        }
    }
    return BarLayout::width(state, item);
}

} // namespace zorv
