#include "capture/barrenderer.h"

#include "capture/glyphpainter.h"

#include <QPainter>

#include <algorithm>

namespace zorv {

namespace {

constexpr QImage::Format captureFormat = QImage::Format_ARGB32_Premultiplied;

// The menus as a row of title blocks.
void paintMenus(QPainter &painter, const DisplayScene &scene) {
    constexpr double blockWidth = 44.0;
    constexpr double blockGap = 16.0;
    const double height = scene.barHeight * 0.35;
    const double top = (scene.barHeight - height) / 2;
    // Menus reaching past the display's edge end there: any longer and the loop would run on for
    // as long as the application claims its menus are (or forever, once x stops growing).
    const double menusRight = std::min(scene.menusRight, scene.size.width());
    for (double x = 12.0; x + blockWidth <= menusRight; x += blockWidth + blockGap) {
        if (scene.housing && x + blockWidth > scene.housing->first && x < scene.housing->second) {
            continue;
        }
        painter.fillRect(QRectF(x, top, blockWidth, height), scene.menuColor);
    }
}

} // namespace

QImage BarRenderer::renderDisplay(const DisplayScene &scene, QSize pixels) {
    QImage image(pixels, captureFormat);
    image.fill(scene.wallpaperColor);
    if (scene.size.isEmpty() || !scene.barShown) {
        return image;
    }
    QPainter painter(&image);
    painter.scale(pixels.width() / scene.size.width(), pixels.height() / scene.size.height());
    painter.fillRect(QRectF(0, 0, scene.size.width(), scene.barHeight), scene.barColor);
    paintMenus(painter, scene);
    if (scene.housing) {
        painter.fillRect(QRectF(scene.housing->first, 0,
                                scene.housing->second - scene.housing->first, scene.barHeight),
                         Qt::black);
    }
    for (const SceneItem &item : scene.items) {
        GlyphPainter::paint(painter, item);
    }
    return image;
}

QImage BarRenderer::renderItem(const SceneItem &item, const QColor &background, QSize pixels) {
    QImage image(pixels, captureFormat);
    image.fill(background);
    if (item.rect.isEmpty()) {
        return image;
    }
    QPainter painter(&image);
    painter.scale(pixels.width() / item.rect.width(), pixels.height() / item.rect.height());
    SceneItem placed = item;
    placed.rect.moveTopLeft({0, 0});
    GlyphPainter::paint(painter, placed);
    return image;
}

} // namespace zorv
