#include "genericicons.h"

#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QImage blankIcon() {
    QImage image(GenericIcons::size, GenericIcons::size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage drawDocument() {
    QImage image = blankIcon();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath page;
    page.moveTo(12, 4);
    page.lineTo(40, 4);
    page.lineTo(52, 16);
    page.lineTo(52, 60);
    page.lineTo(12, 60);
    page.closeSubpath();
    painter.setPen(QPen(QColor(170, 170, 170), 1.5));
    painter.setBrush(Qt::white);
    painter.drawPath(page);
    // The folded corner.
    QPainterPath fold;
    fold.moveTo(40, 4);
    fold.lineTo(40, 16);
    fold.lineTo(52, 16);
    fold.closeSubpath();
    painter.setBrush(QColor(225, 225, 225));
    painter.drawPath(fold);
    return image;
}

QImage drawFolder() {
    QImage image = blankIcon();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(77, 154, 222));
    painter.drawRoundedRect(QRectF(4, 12, 24, 12), 3, 3);
    painter.setBrush(QColor(107, 182, 240));
    painter.drawRoundedRect(QRectF(4, 18, 56, 38), 4, 4);
    return image;
}

QImage drawApplication() {
    QImage image = blankIcon();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(140, 146, 156));
    painter.drawRoundedRect(QRectF(6, 6, 52, 52), 12, 12);
    // Pencil, ruler and brush crossed into an "A", drawn as strokes so no font is needed.
    painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(20, 48), QPointF(32, 16));
    painter.drawLine(QPointF(44, 48), QPointF(32, 16));
    painter.drawLine(QPointF(24, 38), QPointF(40, 38));
    return image;
}

} // namespace

GenericIcons::GenericIcons()
    : m_document(drawDocument()), m_folder(drawFolder()), m_application(drawApplication()) {}

QImage GenericIcons::forType(const QString &typeIdentifier) const {
    if (typeIdentifier == u"com.apple.application-bundle"_s ||
        typeIdentifier == u"com.apple.application"_s) {
        return m_application;
    }
    if (typeIdentifier == u"public.folder"_s || typeIdentifier == u"public.directory"_s) {
        return m_folder;
    }
    return m_document;
}

} // namespace zorv
