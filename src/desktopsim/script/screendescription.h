#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>

#include <optional>

namespace zorv {

// A display to attach.
struct ScreenDescription {
    QString name = QStringLiteral("Display");
    // In points.
    QSizeF size{1512.0, 982.0};
    // Bottom-left corner in the bottom-left convention; by default right of the rightmost
    // screen with its top edge level with the primary screen's.
    std::optional<QPointF> origin;
    double scale = 2.0;
    double menuBarHeight = 24.0;
    double cameraHousingWidth = 0.0;
    bool notHiding = false;
    bool autoHidesMenuBar = false;
};

} // namespace zorv
