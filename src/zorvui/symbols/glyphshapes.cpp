#include "symbols/glyphshapes.h"

#include "symbols/glyphpen.h"

#include <cmath>

namespace zorv {

void GlyphShapes::checkmark(GlyphPen &pen, qreal width) {
    pen.line({{5.5, 12.5}, {10, 17}, {18.5, 7}}, width);
}

void GlyphShapes::exclamation(GlyphPen &pen) {
    pen.line({{12, 9}, {12, 14}}, 2.2);
    pen.disc({12, 17.4}, 1.3);
}

void GlyphShapes::wifiWaves(GlyphPen &pen) {
    const QPointF centre(12, 19);
    pen.arc(centre, 5, 50, 80);
    pen.arc(centre, 10, 50, 80);
    pen.arc(centre, 15, 52, 76);
    pen.disc(centre, 1.9);
}

QPainterPath GlyphShapes::seal(qreal outer, qreal inner) {
    QPainterPath path;
    const int points = 24;
    for (int i = 0; i < points; ++i) {
        const qreal angle = 2 * M_PI * i / points;
        const qreal radius = i % 2 == 0 ? outer : inner;
        const QPointF point(12 + radius * std::cos(angle), 12 + radius * std::sin(angle));
        i == 0 ? path.moveTo(point) : path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

void GlyphShapes::eye(GlyphPen &pen) {
    QPainterPath lid;
    lid.moveTo(2, 12);
    lid.cubicTo(6, 5, 18, 5, 22, 12);
    lid.cubicTo(18, 19, 6, 19, 2, 12);
    pen.stroke(lid, 1.7);
    pen.disc({12, 12}, 3.4);
}

void GlyphShapes::slash(GlyphPen &pen, QPointF from, QPointF to, qreal gap, qreal width) {
    pen.cut();
    pen.line({from, to}, gap);
    pen.paint();
    pen.line({from, to}, width);
}

void GlyphShapes::sparkle(GlyphPen &pen, QPointF centre, qreal radius) {
    const qreal waist = radius * 0.28;
    pen.polygon({{centre.x(), centre.y() - radius},
                 {centre.x() + waist, centre.y() - waist},
                 {centre.x() + radius, centre.y()},
                 {centre.x() + waist, centre.y() + waist},
                 {centre.x(), centre.y() + radius},
                 {centre.x() - waist, centre.y() + waist},
                 {centre.x() - radius, centre.y()},
                 {centre.x() - waist, centre.y() - waist}});
}

} // namespace zorv
