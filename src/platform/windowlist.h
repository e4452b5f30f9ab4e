#pragma once

#include <QList>
#include <QRectF>

namespace zorv {

// One window on screen as the window server lists it. The frame uses the top-left convention
// (origin at the top-left corner of the primary display, y downwards).
struct OnScreenWindow {
    quint32 windowId = 0;
    int layer = 0;
    QRectF frame;
    qint32 owningProcessId = 0;

    friend bool operator==(const OnScreenWindow &, const OnScreenWindow &) = default;
};

// Stands in for the window server's list of on-screen windows (CGWindowListCopyWindowInfo with
// the on-screen-only option): status items' windows and the pop-up menus open, with their layers.
// Main thread.
class WindowList {
public:
    // The window layers (levels) of status items' windows and of pop-up menus.
    static constexpr int statusItemLayer = 25;
    static constexpr int popUpMenuLayer = 101;

    virtual ~WindowList() = default;

    [[nodiscard]] virtual QList<OnScreenWindow> onScreenWindows() const = 0;
};

} // namespace zorv
