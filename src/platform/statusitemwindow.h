#pragma once

#include "screen.h"

#include <QRectF>

#include <optional>

namespace zorv {

// What the window behind a status item's button tells about itself at the moment it is asked
// (NSWindow frame, screen and occlusion state). A snapshot: ask again for fresh values.
struct StatusItemWindow {
    // In global points, bottom-left convention (see Screen). On a menu bar the frame's top edge
    // (y + height) is the screen's top edge.
    QRectF frame;
    // The screen that holds most of the window; absent when the window lies on no screen.
    std::optional<Screen> screen;
    // The occlusion state's "visible" bit: false while the window lies off every screen or the
    // menu bar is hidden. Items the frontmost application's menus or the camera housing cover
    // still count as visible.
    bool occlusionVisible = false;

    friend bool operator==(const StatusItemWindow &, const StatusItemWindow &) = default;
};

} // namespace zorv
