#pragma once

#include "model/desktopstate.h"

#include <QList>
#include <QRectF>

#include <chrono>
#include <optional>

namespace zorv {

// One title of this application's own main menu on a screen's bar: which of the main menu's
// titles it is (0 for the application menu), where it stands and its screen's visible frame, where
// its menu stays (top-left convention).
struct BarMenuTitle {
    int index = -1;
    DisplayId displayId = 0;
    QRectF frame;
    QRectF visibleFrame;

    friend bool operator==(const BarMenuTitle &, const BarMenuTitle &) = default;
};

// Where the user clicks this application's main menu open: its titles as the bar places them on
// each screen while the application is in front with menus of its own (none otherwise, and none
// on a bar out of view).
class BarMenuTitles {
public:
    // The titles on the screen, left to right.
    [[nodiscard]] static QList<BarMenuTitle> on(const DesktopState &state,
                                                std::chrono::nanoseconds now, DisplayId displayId);
    // The title under the point.
    [[nodiscard]] static std::optional<BarMenuTitle>
    at(const DesktopState &state, std::chrono::nanoseconds now, QPointF point);
};

} // namespace zorv
