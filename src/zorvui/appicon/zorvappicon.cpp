#include "appicon/zorvappicon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace zorv {

namespace {

// The icon's colours are its own: they do not follow the light or dark appearance.
const QColor tileTop(0x4a, 0x3d, 0x30);
const QColor tileBottom(0x1b, 0x14, 0x10);
const QColor barColor(0xf3, 0xec, 0xe0, 40);
const QColor itemColor(0xf3, 0xec, 0xe0);
const QColor honey(0xf0, 0xb2, 0x4a);
const QColor rim(0xff, 0xff, 0xff, 28);

// The letter as one outline in the unit square of the tile.
QPolygonF letterZ() {
    return QPolygonF({{0.27, 0.38},
                      {0.73, 0.38},
                      {0.73, 0.48},
                      {0.42, 0.72},
                      {0.74, 0.72},
                      {0.74, 0.82},
                      {0.26, 0.82},
                      {0.26, 0.72},
                      {0.57, 0.48},
                      {0.27, 0.48}});
}

// Status items in the bar, left to right: where each starts, how wide it is and how strongly it
// shows (the leftmost fades as a hidden one would).
struct BarItem {
    qreal x;
    qreal width;
    qreal opacity;
};
constexpr BarItem barItems[] = {{0.40, 0.08, 0.35}, {0.53, 0.14, 0.7}, {0.72, 0.10, 1.0}};

} // namespace

void ZorvAppIcon::paint(QPainter &painter, const QRectF &bounds) {
    const qreal side = qMin(bounds.width(), bounds.height());
    if (side <= 0) {
        return;
    }
    const QRectF tile(bounds.center().x() - side / 2, bounds.center().y() - side / 2, side, side);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(tile.topLeft());
    painter.scale(side, side);
    painter.setPen(Qt::NoPen);

    QPainterPath body;
    body.addRoundedRect(QRectF(0.02, 0.02, 0.96, 0.96), 0.22, 0.22);
    QLinearGradient shade(0, 0, 0, 1);
    shade.setColorAt(0, tileTop);
    shade.setColorAt(1, tileBottom);
    painter.fillPath(body, shade);
    // A faint rim keeps the tile's edge on dark grounds.
    painter.strokePath(body, QPen(rim, 0.012));

    // The menu bar across the top, with its status items.
    painter.setClipPath(body);
    painter.fillRect(QRectF(0, 0, 1, 0.21), barColor);
    painter.setClipping(false);
    for (const BarItem &item : barItems) {
        QColor color = itemColor;
        color.setAlphaF(item.opacity);
        painter.setBrush(color);
        painter.drawRoundedRect(QRectF(item.x, 0.08, item.width, 0.06), 0.03, 0.03);
    }

    painter.setBrush(honey);
    painter.setPen(QPen(honey, 0.02, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolygon(letterZ());
    painter.restore();
}

QImage ZorvAppIcon::image(int pixels) {
    if (pixels < 1 || pixels > largestSide) {
        return {};
    }
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paint(painter, QRectF(0, 0, pixels, pixels));
    return image;
}

} // namespace zorv
