#pragma once

#include "displayid.h"

#include <QRectF>

namespace zorv {

// How one status item stands on one screen's bar at this moment.
struct BarItemView {
    quint64 itemId = 0;
    DisplayId displayId = 0;
    // Bottom-left convention. While the bar is auto-hidden the frame sits just above the
    // screen's top edge; x never changes.
    QRectF frame;
    // The part of the frame within the screen's width: what can be drawn and clicked. Empty
    // when the item lies wholly beside the screen.
    QRectF shownPart;
    // Some of it lies within the screen's width (a long item reaching onto the screen counts).
    bool onScreen = false;
    // Its shown part runs into the frontmost application's menus.
    bool underMenus = false;
    // Its centre lies under the camera housing.
    bool underHousing = false;
    // The bar is in view (not an auto-hidden bar that is away).
    bool barShown = true;
    bool buttonHidden = false;

    // Drawn and clickable.
    [[nodiscard]] bool visible() const {
        return onScreen && barShown && !underMenus && !underHousing && !buttonHidden;
    }

    friend bool operator==(const BarItemView &, const BarItemView &) = default;
};

} // namespace zorv
