#include "symbols/glyphpen.h"

#include <QBrush>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

namespace zorv {

namespace {

QBrush ink() {
    return QBrush(Qt::white);
}

} // namespace

void GlyphPen::line(std::initializer_list<QPointF> points, qreal width) {
    QPainterPath path;
    auto it = points.begin();
    path.moveTo(*it);
    for (++it; it != points.end(); ++it) {
        path.lineTo(*it);
    }
    stroke(path, width);
}

void GlyphPen::circle(QPointF centre, qreal radius, qreal width) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    stroke(path, width);
}

void GlyphPen::disc(QPointF centre, qreal radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    fill(path);
}

void GlyphPen::arc(QPointF centre, qreal radius, qreal startDegrees, qreal spanDegrees,
                   qreal width) {
    QPainterPath path;
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    path.arcMoveTo(box, startDegrees);
    path.arcTo(box, startDegrees, spanDegrees);
    stroke(path, width);
}

void GlyphPen::roundedRect(const QRectF &rect, qreal radius, qreal width) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    stroke(path, width);
}

void GlyphPen::filledRoundedRect(const QRectF &rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    fill(path);
}

void GlyphPen::polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    fill(path);
}

void GlyphPen::fill(const QPainterPath &path) {
    m_painter.fillPath(path, ink());
}

void GlyphPen::dashed(const QPainterPath &path, qreal width, const QList<qreal> &pattern) {
    QPen pen(ink(), width, Qt::CustomDashLine, Qt::FlatCap, Qt::RoundJoin);
    pen.setDashPattern(pattern);
    m_painter.strokePath(path, pen);
}

void GlyphPen::stroke(const QPainterPath &path, qreal width) {
    QPen pen(ink(), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    m_painter.strokePath(path, pen);
}

void GlyphPen::cut() {
    m_painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
}

void GlyphPen::paint() {
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

} // namespace zorv
