#include "macscreenpainter.h"

#include "capture/glyphpainter.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <algorithm>

namespace zorv {

void MacScreenPainter::paint(QPainter &painter, const QRectF &target, const MacScreenScene &scene,
                             const QImage &picture) {
    const QSizeF size = scene.display.size;
    if (size.isEmpty() || target.isEmpty()) {
        return;
    }
    painter.save();
    painter.setClipRect(target);
    painter.translate(target.topLeft());
    painter.scale(target.width() / size.width(), target.height() / size.height());
    paintDesktop(painter, scene, picture);
    if (scene.display.barShown) {
        paintBar(painter, scene);
    }
    paintHousing(painter, scene);
    painter.restore();
}

void MacScreenPainter::paintHardware(QPainter &painter, const QRectF &target,
                                     const MacScreenScene &scene) {
    const QSizeF size = scene.display.size;
    if (size.isEmpty() || target.isEmpty() || !scene.display.housing) {
        return;
    }
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / size.width(), target.height() / size.height());
    paintHousing(painter, scene);
    painter.restore();
}

void MacScreenPainter::paintDesktop(QPainter &painter, const MacScreenScene &scene,
                                    const QImage &picture) {
    const QRectF area(QPointF(), scene.display.size);
    if (picture.isNull()) {
        QLinearGradient gradient(area.topLeft(), area.bottomLeft());
        gradient.setColorAt(0, scene.display.wallpaperColor.lighter(115));
        gradient.setColorAt(1, scene.display.wallpaperColor);
        painter.fillRect(area, gradient);
        return;
    }
    // Fill the screen, cropping what reaches past it, centred.
    const QSizeF fitted =
        QSizeF(picture.size()).scaled(area.size(), Qt::KeepAspectRatioByExpanding);
    const QRectF source(
        QPointF((fitted.width() - area.width()) / 2, (fitted.height() - area.height()) / 2) *
            (picture.width() / fitted.width()),
        area.size() * (picture.width() / fitted.width()));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(area, picture, source);
}

void MacScreenPainter::paintBar(QPainter &painter, const MacScreenScene &scene) {
    const DisplayScene &display = scene.display;
    const QRectF bar(0, 0, display.size.width(), display.barHeight);
    painter.fillRect(bar, scene.barColor());
    paintMenus(painter, scene);
    for (const SceneItem &item : display.items) {
        if (scene.selectedItem == item.itemId) {
            paintSelection(painter, item.rect, scene.selectionColor());
        }
        GlyphPainter::paint(painter, scene.drawnItem(item));
    }
}

void MacScreenPainter::paintMenus(QPainter &painter, const MacScreenScene &scene) {
    const QColor color = scene.barTextColor();
    for (const MenuTitle &title : scene.menus) {
        if (title.open) {
            paintSelection(painter, title.rect, scene.selectionColor());
        }
        if (title.kind == MenuTitle::Kind::AppleMenu) {
            paintAppleMenu(painter, title.rect, color);
            continue;
        }
        painter.setFont(MenuBarTitles::font(title.kind == MenuTitle::Kind::ApplicationName));
        painter.setPen(color);
        painter.drawText(title.rect, Qt::AlignCenter, title.text);
    }
}

void MacScreenPainter::paintSelection(QPainter &painter, const QRectF &rect, const QColor &color) {
    // A rounded plate a little inside the bar's height.
    const double inset = std::min(rect.height() / 8, 4.0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(rect.adjusted(0, inset, 0, -inset), 4, 4);
    painter.restore();
}

void MacScreenPainter::paintAppleMenu(QPainter &painter, const QRectF &rect, const QColor &color) {
    // An apple: two lobes with a bite on the right and a leaf on top.
    const double side = std::min(rect.height(), 24.0) * 0.6;
    const QRectF box(rect.center().x() - side / 2, rect.center().y() - side / 2 + side * 0.08, side,
                     side * 0.92);
    QPainterPath apple;
    apple.addEllipse(QRectF(box.left(), box.top() + side * 0.18, side * 0.62, side * 0.74));
    apple.addEllipse(
        QRectF(box.left() + side * 0.38, box.top() + side * 0.18, side * 0.62, side * 0.74));
    apple.setFillRule(Qt::WindingFill);
    QPainterPath bite;
    bite.addEllipse(
        QRectF(box.right() - side * 0.2, box.top() + side * 0.3, side * 0.36, side * 0.36));
    QPainterPath leaf;
    leaf.addEllipse(QRectF(box.center().x(), box.top() - side * 0.12, side * 0.22, side * 0.3));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(apple.simplified().subtracted(bite));
    painter.drawPath(leaf);
    painter.restore();
}

void MacScreenPainter::paintHousing(QPainter &painter, const MacScreenScene &scene) {
    const DisplayScene &display = scene.display;
    if (!display.housing) {
        return;
    }
    const double left = display.housing->first;
    const double right = display.housing->second;
    const double height = display.barHeight;
    const double corner = std::min(height / 3, 10.0);
    // Square at the top edge, rounded where it meets the panel below.
    QPainterPath housing;
    housing.moveTo(left, 0);
    housing.lineTo(right, 0);
    housing.lineTo(right, height - corner);
    housing.quadTo(right, height, right - corner, height);
    housing.lineTo(left + corner, height);
    housing.quadTo(left, height, left, height - corner);
    housing.closeSubpath();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(housing, Qt::black);
    painter.restore();
}

} // namespace zorv
