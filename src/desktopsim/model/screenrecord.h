#pragma once

#include "screen.h"

#include <QRectF>
#include <QString>

#include <optional>
#include <utility>

namespace zorv {

// One simulated display and its menu bar. The frame uses the bottom-left convention of Screen
// (origin at the primary screen's bottom-left corner, y up).
struct ScreenRecord {
    DisplayId displayId = 0;
    QString name;
    QRectF frame;
    double scale = 2.0;
    // The bar's height; a screen with a camera housing has a bar as tall as the housing.
    double menuBarHeight = 24.0;
    // Width of the camera housing in the middle of the top edge; 0 for none.
    double cameraHousingWidth = 0.0;
    // Some AirPlay and Sidecar displays: status-item length changes do not move items there,
    // except collapses (see RestingWidths).
    bool notHiding = false;
    // The menu bar hides above the top edge until the pointer rests at the top edge.
    bool autoHidesMenuBar = false;

    // The menu-bar strip along the top of the frame.
    [[nodiscard]] QRectF barStrip() const;
    // The x range under the camera housing (both ends inside it), absent without a housing.
    [[nodiscard]] std::optional<std::pair<double, double>> housingGap() const;
    // The screen as the platform reports it.
    [[nodiscard]] Screen toScreen() const;

    friend bool operator==(const ScreenRecord &, const ScreenRecord &) = default;
};

} // namespace zorv
