#include "titlebarpainter.h"

#include <QFont>
#include <QFontMetricsF>

namespace zorv {

namespace {

// Room the title leaves on each side, past the buttons.
constexpr double titleInset = 76.0;

} // namespace

QColor TitleBarPainter::buttonColor(TitleBar::Button button, bool lit, bool dark) {
    if (!lit) {
        return dark ? QColor(0x5a, 0x5a, 0x5c) : QColor(0xd6, 0xd6, 0xd6);
    }
    switch (button) {
    case TitleBar::Button::Close:
        return QColor(0xff, 0x5f, 0x57);
    case TitleBar::Button::Minimize:
        return QColor(0xfe, 0xbc, 0x2e);
    case TitleBar::Button::Zoom:
        return QColor(0x28, 0xc8, 0x40);
    }
    return {};
}

void TitleBarPainter::paint(QPainter &painter, const Look &look) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF strip(0, 0, look.width, TitleBar::height);
    if (!look.style.titlebarTransparent) {
        painter.fillRect(strip, look.dark ? QColor(0x38, 0x38, 0x3a) : QColor(0xeb, 0xea, 0xeb));
        painter.setPen(QPen(look.dark ? QColor(0, 0, 0, 140) : QColor(0, 0, 0, 40), 1.0));
        painter.drawLine(QPointF(0, TitleBar::height - 0.5),
                         QPointF(look.width, TitleBar::height - 0.5));
    }
    for (const TitleBar::ButtonPlace &place : TitleBar::buttons(look.style)) {
        const QColor fill = buttonColor(place.button, place.enabled && look.key, look.dark);
        painter.setPen(QPen(fill.darker(115), 0.5));
        painter.setBrush(fill);
        painter.drawEllipse(place.rect.adjusted(0.25, 0.25, -0.25, -0.25));
    }
    if (!look.style.titleHidden && !look.title.isEmpty() && look.width > 2 * titleInset) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(13);
        font.setBold(true);
        painter.setFont(font);
        const QColor ink = look.dark ? QColor(0xdf, 0xdf, 0xdf) : QColor(0x4d, 0x4d, 0x4d);
        painter.setPen(look.key ? ink : QColor(ink.red(), ink.green(), ink.blue(), 120));
        const QRectF room = strip.adjusted(titleInset, 0, -titleInset, 0);
        const QString shown =
            QFontMetricsF(font).elidedText(look.title, Qt::ElideRight, room.width());
        painter.drawText(room, Qt::AlignCenter | Qt::TextSingleLine, shown);
    }
    painter.restore();
}

} // namespace zorv
