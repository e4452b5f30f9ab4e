#include "keycaps/keycapspainter.h"

namespace zorv {

KeyCapsPainter::KeyCapsPainter(QQuickItem *parent) : QQuickPaintedItem(parent) {
    setAntialiasing(true);
    relayout();
}

KeyCapDrawing::Weight KeyCapsPainter::drawingWeight() const {
    return m_weight == Menu ? KeyCapDrawing::Weight::Menu : KeyCapDrawing::Weight::Prose;
}

void KeyCapsPainter::relayout() {
    const QSizeF row = KeyCapDrawing::size(m_keys, m_size, drawingWeight());
    setImplicitSize(row.width(), row.height());
    update();
}

void KeyCapsPainter::setKeys(const QStringList &keys) {
    if (keys == m_keys) {
        return;
    }
    m_keys = keys;
    relayout();
    Q_EMIT keysChanged();
}

void KeyCapsPainter::setSize(qreal size) {
    if (size == m_size || !(size > 0 && size < 512)) {
        return;
    }
    m_size = size;
    relayout();
    Q_EMIT sizeChanged();
}

void KeyCapsPainter::setWeight(Weight weight) {
    if (weight == m_weight) {
        return;
    }
    m_weight = weight;
    relayout();
    Q_EMIT weightChanged();
}

void KeyCapsPainter::setColor(const QColor &color) {
    if (color == m_color) {
        return;
    }
    m_color = color;
    update();
    Q_EMIT colorChanged();
}

void KeyCapsPainter::paint(QPainter *painter) {
    KeyCapDrawing::draw(*painter, m_keys, m_size, QPointF(0, 0), m_color, drawingWeight());
}

} // namespace zorv
