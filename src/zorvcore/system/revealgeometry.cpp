#include "revealgeometry.h"

#include <algorithm>

namespace zorv {

namespace {

constexpr double kMinimumStripHeight = 24;

double maxY(const QRectF &rect) {
    return rect.y() + rect.height();
}

} // namespace

QRectF RevealGeometry::menuBarStrip(const Screen &screen) {
    double height = maxY(screen.frame) - maxY(screen.visibleFrame);
    if (height <= kMinimumStripHeight) {
        height = kMinimumStripHeight;
    }
    return QRectF(screen.frame.x(), maxY(screen.frame) - height, screen.frame.width(), height);
}

bool RevealGeometry::isInMenuBarStrip(QPointF point, const QList<Screen> &screens) {
    return std::any_of(screens.cbegin(), screens.cend(), [point](const Screen &screen) {
        const QRectF strip = menuBarStrip(screen);
        return point.x() >= strip.x() && point.x() < strip.x() + strip.width() &&
               point.y() >= strip.y() && point.y() < maxY(strip);
    });
}

} // namespace zorv
