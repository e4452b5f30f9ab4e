#pragma once

#include "macscreenscene.h"

#include <QImage>
#include <QPainter>

namespace zorv {

// Paints a MacScreenScene across a rectangle: the desktop picture (cropped to fill, as the
// system's default fill does), the bar with its menus and items (the title or item whose menu is
// open on a rounded translucent selection), and the camera housing in front of everything,
// black, as the hardware is. The painter's transform maps points to pixels.
class MacScreenPainter {
public:
    // `picture`: the desktop picture's pixels; a null image paints the desktop colour.
    static void paint(QPainter &painter, const QRectF &target, const MacScreenScene &scene,
                      const QImage &picture);
    // Only the hardware (the camera housing) across the same rectangle: painted again over
    // whatever windows were drawn on the screen, which cannot cover it.
    static void paintHardware(QPainter &painter, const QRectF &target, const MacScreenScene &scene);

private:
    static void paintDesktop(QPainter &painter, const MacScreenScene &scene, const QImage &picture);
    static void paintBar(QPainter &painter, const MacScreenScene &scene);
    static void paintMenus(QPainter &painter, const MacScreenScene &scene);
    static void paintSelection(QPainter &painter, const QRectF &rect, const QColor &color);
    static void paintAppleMenu(QPainter &painter, const QRectF &rect, const QColor &color);
    static void paintHousing(QPainter &painter, const MacScreenScene &scene);
};

} // namespace zorv
