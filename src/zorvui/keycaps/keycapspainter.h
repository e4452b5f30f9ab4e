#pragma once

#include "keycaps/keycapdrawing.h"

#include <QQuickPaintedItem>
#include <QtQmlIntegration>

namespace zorv {

// A row of key caps as a QML item (the visual of KeyCaps.qml), sized to the row and tinted with
// `color` at the weight's alphas.
class KeyCapsPainter : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(QStringList keys READ keys WRITE setKeys NOTIFY keysChanged)
    Q_PROPERTY(qreal size READ size WRITE setSize NOTIFY sizeChanged)
    Q_PROPERTY(Weight weight READ weight WRITE setWeight NOTIFY weightChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(QString spoken READ spoken NOTIFY keysChanged)

public:
    enum Weight { Menu, Prose };
    Q_ENUM(Weight)

    explicit KeyCapsPainter(QQuickItem *parent = nullptr);

    [[nodiscard]] QStringList keys() const { return m_keys; }
    void setKeys(const QStringList &keys);
    [[nodiscard]] qreal size() const { return m_size; }
    void setSize(qreal size);
    [[nodiscard]] Weight weight() const { return m_weight; }
    void setWeight(Weight weight);
    [[nodiscard]] QColor color() const { return m_color; }
    void setColor(const QColor &color);
    [[nodiscard]] QString spoken() const { return KeyCapDrawing::spoken(m_keys); }

    void paint(QPainter *painter) override;

Q_SIGNALS:
    void keysChanged();
    void sizeChanged();
    void weightChanged();
    void colorChanged();

private:
    [[nodiscard]] KeyCapDrawing::Weight drawingWeight() const;
    void relayout();

    QStringList m_keys;
    qreal m_size = 13;
    Weight m_weight = Prose;
    QColor m_color = Qt::black;
};

} // namespace zorv
