#include "screenmapping.h"

#include <algorithm>
#include <cmath>

namespace zorv {

double ScreenMapping::zoomToFit(double screenWidth, double available) {
    if (!(screenWidth > 0.0) || !std::isfinite(available)) {
        return maximumZoom;
    }
    return std::clamp(available / screenWidth, minimumZoom, maximumZoom);
}

QPointF ScreenMapping::toView(QPointF global) const {
    return (global - frame.topLeft()) * zoom;
}

QRectF ScreenMapping::toView(const QRectF &global) const {
    return {toView(global.topLeft()), global.size() * zoom};
}

QPointF ScreenMapping::toGlobal(QPointF view) const {
    const QPointF global = frame.topLeft() + view / zoom;
    // The last point of the screen is just inside its right and bottom edges.
    return {std::clamp(global.x(), frame.left(), std::nextafter(frame.right(), frame.left())),
            std::clamp(global.y(), frame.top(), std::nextafter(frame.bottom(), frame.top()))};
}

std::optional<WindowPlace> placeWindow(const QList<ScreenMapping> &screens, const QRectF &frame) {
    const ScreenMapping *best = nullptr;
    double bestArea = 0.0;
    for (const ScreenMapping &screen : screens) {
        const QRectF common = screen.frame.intersected(frame);
        const double area = common.width() * common.height();
        if (area > bestArea) {
            best = &screen;
            bestArea = area;
        }
    }
    if (!best) {
        return std::nullopt;
    }
    return WindowPlace{best->displayId, best->toView(frame)};
}

} // namespace zorv
