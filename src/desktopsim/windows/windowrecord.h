#pragma once

#include "appwindow.h"

#include <QRectF>

namespace zorv {

// What the simulated window server knows of one of the application's windows. The frame is in
// points in the top-left convention (origin at the primary screen's top-left corner, y down).
struct WindowRecord {
    QRectF frame;
    bool visible = false;
    bool fullScreen = false;
    bool zoomed = false;
    bool miniaturized = false;
    bool key = false;
    // Higher is further in front; 0 for a window never ordered front.
    quint64 frontOrder = 0;
    // Level, collection behaviour, click-through, activation and key rules.
    WindowStyle style;

    friend bool operator==(const WindowRecord &, const WindowRecord &) = default;
};

} // namespace zorv
