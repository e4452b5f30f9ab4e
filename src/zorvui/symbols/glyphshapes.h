#pragma once

#include <QPainterPath>
#include <QPointF>

namespace zorv {

class GlyphPen;

// Shapes more than one symbol is built from, on the pen's 24 × 24 grid.
class GlyphShapes {
public:
    GlyphShapes() = delete;

    static void checkmark(GlyphPen &pen, qreal width = 2.4);
    // The stroke and dot of an exclamation mark, in the lower middle of the grid.
    static void exclamation(GlyphPen &pen);
    // Three arcs over a dot, rising from the bottom middle.
    static void wifiWaves(GlyphPen &pen);
    // The outline of a seal with twelve points round the grid's middle.
    [[nodiscard]] static QPainterPath seal(qreal outer, qreal inner);
    static void eye(GlyphPen &pen);
    // The diagonal stroke of a crossed-out symbol: a `gap`-wide cut through what is drawn, then a
    // `width`-wide line in it.
    static void slash(GlyphPen &pen, QPointF from, QPointF to, qreal gap, qreal width);
    // A four-pointed star round `centre`, `radius` to its points.
    static void sparkle(GlyphPen &pen, QPointF centre, qreal radius);
};

} // namespace zorv
