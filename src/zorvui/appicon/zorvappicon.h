#pragma once

#include <QImage>
#include <QRectF>

class QPainter;

namespace zorv {

// Zorv's application icon, drawn as a vector so that every place that shows it (the bundle's
// icon on the Mac, the windows' headers, the status menu) gets sharp pixels at any size and
// pixel ratio: a dark rounded tile under a strip like a menu bar, with a honey "Z".
class ZorvAppIcon {
public:
    ZorvAppIcon() = delete;

    // Draws the icon into `bounds` (a square; a longer side is centred on the shorter one).
    static void paint(QPainter &painter, const QRectF &bounds);
    // The icon `pixels` device pixels square on a transparent ground; null for a side below 1 or
    // above `largestSide`.
    [[nodiscard]] static QImage image(int pixels);

    static constexpr int largestSide = 1024;
};

} // namespace zorv
