#include "menubarstrip.h"

#include "capture/barrenderer.h"
#include "capture/displayscene.h"

#include <QPainter>
#include <QQuickWindow>

#include <cmath>

namespace zorv {

MenuBarStrip::MenuBarStrip(QQuickItem *parent) : QQuickPaintedItem(parent) {}

void MenuBarStrip::setScene(const QVariant &scene) {
    if (scene == m_scene) {
        return;
    }
    m_scene = scene;
    Q_EMIT sceneChanged();
    update();
}

void MenuBarStrip::paint(QPainter *painter) {
    if (!m_scene.canConvert<DisplayScene>()) {
        return;
    }
    // The capture renderer paints a whole display; cut the scene down to the bar.
    DisplayScene strip = m_scene.value<DisplayScene>();
    strip.size.setHeight(strip.barHeight);
    const double ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    const QSize pixels(int(std::ceil(width() * ratio)), int(std::ceil(height() * ratio)));
    if (pixels.isEmpty() || strip.size.isEmpty()) {
        return;
    }
    painter->drawImage(boundingRect(), BarRenderer::renderDisplay(strip, pixels));
    // Captures hold the pixels of an item that reaches under the camera housing, but the housing
    // is hardware in front of the panel: the user sees it black.
    if (strip.housing) {
        const double scale = width() / strip.size.width();
        painter->fillRect(QRectF(strip.housing->first * scale, 0,
                                 (strip.housing->second - strip.housing->first) * scale, height()),
                          Qt::black);
    }
}

} // namespace zorv
