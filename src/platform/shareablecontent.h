#pragma once

#include "displayid.h"

#include <QList>
#include <QRectF>

namespace zorv {

// A window that can be captured. Frames use the top-left convention (origin at the top-left
// corner of the primary display, y downwards).
struct ShareableWindow {
    quint32 windowId = 0;
    // Status items' windows sit at layer 25.
    int windowLayer = 0;
    QRectF frame;
    qint32 owningProcessId = 0;

    friend bool operator==(const ShareableWindow &, const ShareableWindow &) = default;
};

// A display that can be captured: its frame in points (top-left convention) and its size in
// points as whole numbers.
struct ShareableDisplay {
    DisplayId displayId = 0;
    QRectF frame;
    int width = 0;
    int height = 0;

    friend bool operator==(const ShareableDisplay &, const ShareableDisplay &) = default;
};

// What the screen-capture service offers at one moment (SCShareableContent).
struct ShareableContent {
    QList<ShareableWindow> windows;
    QList<ShareableDisplay> displays;

    friend bool operator==(const ShareableContent &, const ShareableContent &) = default;
};

} // namespace zorv
