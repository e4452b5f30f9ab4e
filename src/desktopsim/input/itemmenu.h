#pragma once

#include "model/desktopstate.h"

#include <QPointF>

#include <chrono>

namespace zorv {

// Where another application's status item opens its menu: below the item's laid-out frame on the
// active screen's bar, moved onto that screen where the item lies beside it, under the front
// application's menus or the camera housing alike. Used under the model's lock.
class ItemMenu {
public:
    // How wide the menus of other applications' items are.
    static constexpr double width = 220.0;

    // The menu's top-left corner (top-left convention); absent when the item has no window.
    [[nodiscard]] static std::optional<QPointF> origin(const DesktopState &state, quint64 itemId,
                                                       std::chrono::nanoseconds now);
};

} // namespace zorv
