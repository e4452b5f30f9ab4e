#include "capture/glyphpainter.h"

#include <QFont>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace zorv {

namespace {

void paintShape(QPainter &painter, const QRectF &rect, const ItemGlyph &glyph) {
    const double side = std::min(rect.width(), rect.height()) * 0.6;
    const QRectF box(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glyph.color);
    switch (glyph.shape) {
    case ItemGlyph::Shape::None:
        break;
    case ItemGlyph::Shape::Circle:
        painter.drawEllipse(box);
        break;
    case ItemGlyph::Shape::Square:
        painter.drawRoundedRect(box, side * 0.15, side * 0.15);
        break;
    case ItemGlyph::Shape::Triangle:
        painter.drawPolygon(
            QPolygonF{{box.center().x(), box.top()}, box.bottomRight(), box.bottomLeft()});
        break;
    case ItemGlyph::Shape::Diamond:
        painter.drawPolygon(QPolygonF{{box.center().x(), box.top()},
                                      {box.right(), box.center().y()},
                                      {box.center().x(), box.bottom()},
                                      {box.left(), box.center().y()}});
        break;
    case ItemGlyph::Shape::Bars:
        for (int bar = 0; bar < 3; ++bar) {
            const double height = side * (0.4 + 0.3 * bar);
            painter.drawRect(
                QRectF(box.left() + bar * side / 3, box.bottom() - height, side / 4, height));
        }
        break;
    }
}

} // namespace

void GlyphPainter::paint(QPainter &painter, const SceneItem &item) {
    const QRectF rect = item.rect;
    if (rect.width() <= 0.0 || rect.height() <= 0.0) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (!item.image.isNull()) {
        const QSizeF fitted =
            QSizeF(item.image.size())
                .scaled(QSizeF(rect.width(), rect.height() * 0.7), Qt::KeepAspectRatio);
        const QRectF target(rect.center().x() - fitted.width() / 2,
                            rect.center().y() - fitted.height() / 2, fitted.width(),
                            fitted.height());
        painter.drawImage(target, item.image);
    } else if (!item.title.isEmpty()) {
        QFont font(QStringLiteral("DejaVu Sans"));
        // Menu-bar text keeps its size on the taller bars of screens with a camera housing.
        font.setPixelSize(std::max(1, int(std::lround(std::min(rect.height(), 24.0) * 0.5))));
        painter.setFont(font);
        painter.setPen(item.glyph.color);
        painter.drawText(rect, Qt::AlignCenter, item.title);
    } else {
        paintShape(painter, rect, item.glyph);
    }
    painter.restore();
}

} // namespace zorv
