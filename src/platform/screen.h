#pragma once

#include "displayid.h"

#include <QRectF>
#include <QString>

#include <optional>
#include <utility>

namespace zorv {

// One screen as the window system describes it (NSScreen). Frames are in global points in the
// bottom-left convention: the origin is the bottom-left corner of the primary screen and y grows
// upwards, so a screen's menu bar lies along the top of its frame (y + height).
struct Screen {
    DisplayId displayId = 0;
    QRectF frame;
    // The frame minus the menu bar (when it takes room) and the Dock.
    QRectF visibleFrame;
    // Present only on a screen with a camera housing: the two parts of the menu-bar strip left
    // and right of the housing.
    std::optional<QRectF> auxiliaryTopLeftArea;
    std::optional<QRectF> auxiliaryTopRightArea;
    QString localizedName;
    // Pixels per point.
    double backingScaleFactor = 2.0;

    // The span of x the camera housing covers, between those two parts; absent without one.
    [[nodiscard]] std::optional<std::pair<double, double>> housingSpan() const {
        if (!auxiliaryTopLeftArea || !auxiliaryTopRightArea ||
            !(auxiliaryTopLeftArea->right() < auxiliaryTopRightArea->left())) {
            return std::nullopt;
        }
        return std::pair{auxiliaryTopLeftArea->right(), auxiliaryTopRightArea->left()};
    }

    friend bool operator==(const Screen &, const Screen &) = default;
};

} // namespace zorv
