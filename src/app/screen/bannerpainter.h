#pragma once

#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace zorv {

// Paints the notification banner over a screen drawn across a rectangle, on the desktop window's
// screen and in the saved pictures alike: under the menu bar at the screen's top right, over every
// window, the title in bold on one line and the body in up to four lines below it. Plain text;
// the painter's transform maps points to pixels.
class BannerPainter {
public:
    static constexpr double width = 344.0;
    // From the screen's right edge, and from its top.
    static constexpr double rightMargin = 12.0;
    static constexpr double top = 48.0;

    // The banner with `title` and `body` over the screen `screenSize` points large drawn across
    // `target`.
    static void paint(QPainter &painter, const QRectF &target, QSizeF screenSize,
                      const QString &title, const QString &body);
    // Where a banner with `body` lies on that screen, in points.
    [[nodiscard]] static QRectF frame(QSizeF screenSize, const QString &body);
};

} // namespace zorv
