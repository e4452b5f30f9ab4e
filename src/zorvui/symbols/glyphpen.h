#pragma once

#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

#include <initializer_list>

class QPainter;

namespace zorv {

// What a symbol is drawn with: white strokes and fills on a transparent 24 × 24 grid, tinted
// afterwards; parts drawn after cut() erase what lies below them.
class GlyphPen {
public:
    explicit GlyphPen(QPainter &painter) : m_painter(painter) {}

    void line(std::initializer_list<QPointF> points, qreal width = 2);
    void circle(QPointF centre, qreal radius, qreal width = 2);
    void disc(QPointF centre, qreal radius);
    // An arc round `centre` from `startDegrees` through `spanDegrees` (counter-clockwise, 0 at
    // three o'clock).
    void arc(QPointF centre, qreal radius, qreal startDegrees, qreal spanDegrees, qreal width = 2);
    void roundedRect(const QRectF &rect, qreal radius, qreal width = 2);
    void filledRoundedRect(const QRectF &rect, qreal radius);
    void polygon(std::initializer_list<QPointF> points);
    void fill(const QPainterPath &path);
    void dashed(const QPainterPath &path, qreal width, const QList<qreal> &pattern);
    void stroke(const QPainterPath &path, qreal width);
    // What follows erases instead of drawing.
    void cut();
    // Back to drawing after cut().
    void paint();

private:
    QPainter &m_painter;
};

} // namespace zorv
