#include "menus/trailingmenurow.h"

#include "keycaps/keycapdrawing.h"
#include "symbols/symbolglyphs.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QQuickWindow>

#include <cmath>

namespace zorv {

namespace {
constexpr qreal menuFontPoints = 14;
constexpr qreal selectionInset = 5;
constexpr qreal selectionRadius = 6;
} // namespace

TrailingMenuRow::TrailingMenuRow(QQuickItem *parent) : QQuickPaintedItem(parent) {
    const QPalette palette = QGuiApplication::palette();
    m_textColor = palette.color(QPalette::Text);
    m_secondaryTextColor = palette.color(QPalette::PlaceholderText);
    m_selectionColor = palette.color(QPalette::Highlight);
    m_selectedTextColor = palette.color(QPalette::HighlightedText);
    setAntialiasing(true);
    setAcceptedMouseButtons(Qt::LeftButton);
    setImplicitHeight(rowHeight);
}

QFont TrailingMenuRow::menuFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(int(menuFontPoints));
    return font;
}

qreal TrailingMenuRow::requiredWidth(const QString &title, const QStringList &keys) {
    const qreal titleWidth = QFontMetricsF(menuFont()).horizontalAdvance(title);
    const qreal capsWidth =
        KeyCapDrawing::size(keys, menuFontPoints, KeyCapDrawing::Weight::Menu).width();
    return std::ceil(titleWidth + titleLeft + titleToTrailingGap + capsWidth + trailingInset);
}

void TrailingMenuRow::changed() {
    update();
    Q_EMIT contentChanged();
}

void TrailingMenuRow::setTitle(const QString &title) {
    if (title != m_title) {
        m_title = title;
        changed();
    }
}

void TrailingMenuRow::setSymbol(const QString &symbol) {
    if (symbol != m_symbol) {
        m_symbol = symbol;
        changed();
    }
}

void TrailingMenuRow::setKeys(const QStringList &keys) {
    if (keys != m_keys) {
        m_keys = keys;
        changed();
    }
}

void TrailingMenuRow::setTrailingText(const QString &text) {
    if (text != m_trailingText) {
        m_trailingText = text;
        changed();
    }
}

void TrailingMenuRow::setHighlighted(bool highlighted) {
    if (highlighted != m_highlighted) {
        m_highlighted = highlighted;
        changed();
    }
}

void TrailingMenuRow::paint(QPainter *painter) {
    const QRectF bounds = boundingRect();
    const QColor primary = m_highlighted ? m_selectedTextColor : m_textColor;
    const QColor secondary = m_highlighted ? m_selectedTextColor : m_secondaryTextColor;
    painter->setRenderHint(QPainter::Antialiasing);
    if (m_highlighted) {
        QPainterPath selection;
        selection.addRoundedRect(bounds.adjusted(selectionInset, 0, -selectionInset, 0),
                                 selectionRadius, selectionRadius);
        painter->fillPath(selection, m_selectionColor);
    }

    const QFont font = menuFont();
    const QFontMetricsF metrics(font);
    const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    const QImage glyph =
        SymbolGlyphs::image(m_symbol, int(std::ceil(menuFontPoints * ratio)), primary);
    if (!glyph.isNull()) {
        const QRectF target(symbolLeft, (bounds.height() - menuFontPoints) * 0.5, menuFontPoints,
                            menuFontPoints);
        painter->drawImage(target, glyph);
    }

    painter->setFont(font);
    painter->setPen(primary);
    const qreal textHeight = metrics.ascent() + metrics.descent();
    const qreal baseline = (bounds.height() - textHeight) * 0.5 + metrics.ascent();
    painter->drawText(QPointF(titleLeft, baseline), m_title);

    if (!m_trailingText.isEmpty()) {
        QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        mono.setPixelSize(int(menuFontPoints) - 1);
        const QFontMetricsF monoMetrics(mono);
        painter->setFont(mono);
        painter->setPen(secondary);
        const qreal width = monoMetrics.horizontalAdvance(m_trailingText);
        const qreal monoBaseline =
            (bounds.height() - monoMetrics.ascent() - monoMetrics.descent()) * 0.5 +
            monoMetrics.ascent();
        painter->drawText(QPointF(bounds.width() - trailingInset - width, monoBaseline),
                          m_trailingText);
    } else {
        const QSizeF caps =
            KeyCapDrawing::size(m_keys, menuFontPoints, KeyCapDrawing::Weight::Menu);
        const QPointF origin(bounds.width() - trailingInset - caps.width(),
                             std::round((bounds.height() - caps.height()) * 0.5));
        KeyCapDrawing::draw(*painter, m_keys, menuFontPoints, origin, primary,
                            KeyCapDrawing::Weight::Menu);
    }
}

void TrailingMenuRow::mousePressEvent(QMouseEvent *event) {
    event->accept();
}

void TrailingMenuRow::mouseReleaseEvent(QMouseEvent *event) {
    event->accept();
    if (!contains(event->position())) {
        return;
    }
    Q_EMIT closeMenuRequested();
    Q_EMIT triggered();
}

} // namespace zorv
