#include "applicationicon.h"

#include "genericicons.h"

#include <QFont>
#include <QPainter>

namespace zorv {

QImage ApplicationIcon::render() const {
    if (!artwork.isNull()) {
        return artwork;
    }
    QImage image(GenericIcons::size, GenericIcons::size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    const QRectF tile(6, 6, 52, 52);
    painter.drawRoundedRect(tile, 12, 12);
    // A white rim keeps the icon distinct from any generic one even when the symbol cannot be
    // drawn (no font installed).
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(tile.adjusted(5, 5, -5, -5), 8, 8);
    QFont font;
    font.setPixelSize(26);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(tile, Qt::AlignCenter, symbol);
    return image;
}

} // namespace zorv
