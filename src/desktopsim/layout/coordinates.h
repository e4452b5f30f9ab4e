#pragma once

#include <QPointF>
#include <QRectF>

namespace zorv {

// Converts between the two conventions of global screen points: bottom-left (window and screen
// frames: origin at the primary screen's bottom-left corner, y up) and top-left (accessibility,
// events and captures: origin at the primary screen's top-left corner, y down). x is the same in
// both; the conversion is its own inverse. `primaryTop` is the primary screen's height.
namespace Coordinates {

[[nodiscard]] inline QRectF flipped(const QRectF &rect, double primaryTop) {
    return {rect.x(), primaryTop - rect.y() - rect.height(), rect.width(), rect.height()};
}

[[nodiscard]] inline QPointF flipped(QPointF point, double primaryTop) {
    return {point.x(), primaryTop - point.y()};
}

} // namespace Coordinates

} // namespace zorv
