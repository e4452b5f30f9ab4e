#include "keycaps/keycapdrawing.h"

#include "settings/keyshortcut.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

struct Ink {
    qreal label;
    qreal outline;
    qreal fill;
};

struct Metrics {
    QFont font;
    qreal padX = 2.5;
    qreal padY = 0;
    qreal gap = 2;
    qreal minWidth = 0;
    qreal radius = 3;
    qreal capHeight = 0;
    Ink ink{};

    Metrics(qreal pointSize, KeyCapDrawing::Weight weight)
        : font(KeyCapDrawing::font(pointSize)), padY(weight == KeyCapDrawing::Weight::Menu ? 1 : 0),
          minWidth(std::round(0.92 * pointSize)),
          ink(weight == KeyCapDrawing::Weight::Menu ? Ink{0.72, 0.22, 0.06}
                                                    : Ink{0.95, 0.34, 0.07}) {
        const QFontMetricsF metrics(font);
        capHeight = std::ceil(metrics.ascent() + metrics.descent() + qMax(0.0, metrics.leading())) +
                    2 * padY;
    }

    [[nodiscard]] qreal capWidth(const QString &label) const {
        return qMax(minWidth, std::ceil(QFontMetricsF(font).horizontalAdvance(label) + 2 * padX));
    }
};

const QHash<QString, QString> &glyphByName() {
    static const QHash<QString, QString> names = {
        {u"command"_s, u"\u2318"_s},
        {u"option"_s, u"\u2325"_s},
        {u"control"_s, u"\u2303"_s},
        {u"shift"_s, u"\u21E7"_s},
    };
    return names;
}

QColor withAlpha(QColor color, qreal alpha) {
    color.setAlphaF(float(color.alphaF() * alpha));
    return color;
}

} // namespace

QFont KeyCapDrawing::font(qreal pointSize) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(qMax(1, int(std::lround(0.84 * pointSize))));
    font.setWeight(QFont::Medium);
    return font;
}

QStringList KeyCapDrawing::keys(const QString &text) {
    if (text.contains(u'+')) {
        QStringList caps;
        for (const QString &piece : text.split(u'+', Qt::SkipEmptyParts)) {
            caps.append(glyphByName().value(piece, piece));
        }
        return caps;
    }
    if (!text.isEmpty() && KeyShortcut::modifierGlyphs().contains(text.left(1))) {
        return KeyShortcut::caps(text);
    }
    return {text};
}

QSizeF KeyCapDrawing::size(const QStringList &keys, qreal pointSize, Weight weight) {
    const Metrics metrics(pointSize, weight);
    qreal width = 0;
    if (!keys.isEmpty()) {
        for (const QString &label : keys) {
            width += metrics.capWidth(label);
        }
        width = std::ceil(width + metrics.gap * qreal(keys.size() - 1));
    }
    return {width, metrics.capHeight};
}

void KeyCapDrawing::draw(QPainter &painter, const QStringList &keys, qreal pointSize,
                         QPointF origin, const QColor &color, Weight weight) {
    const Metrics metrics(pointSize, weight);
    const QFontMetricsF fontMetrics(metrics.font);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(metrics.font);
    qreal x = origin.x();
    for (const QString &label : keys) {
        const QRectF cap(x, origin.y(), metrics.capWidth(label), metrics.capHeight);
        QPainterPath path;
        path.addRoundedRect(cap.adjusted(0.375, 0.375, -0.375, -0.375), metrics.radius,
                            metrics.radius);
        painter.fillPath(path, withAlpha(color, metrics.ink.fill));
        painter.strokePath(path, QPen(withAlpha(color, metrics.ink.outline), 0.75));

        const qreal textWidth = fontMetrics.horizontalAdvance(label);
        const qreal textHeight = fontMetrics.ascent() + fontMetrics.descent();
        const QPointF baseline(cap.center().x() - textWidth / 2,
                               cap.center().y() - textHeight / 2 + fontMetrics.ascent());
        painter.setPen(withAlpha(color, metrics.ink.label));
        painter.drawText(baseline, label);
        x += cap.width() + metrics.gap;
    }
    painter.restore();
}

QImage KeyCapDrawing::image(const QStringList &keys, qreal pointSize, Weight weight,
                            const QColor &color, qreal devicePixelRatio) {
    const QSizeF logical = size(keys, pointSize, weight);
    const QSize pixels(qMax(1, int(std::ceil(logical.width() * devicePixelRatio))),
                       qMax(1, int(std::ceil(logical.height() * devicePixelRatio))));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    draw(painter, keys, pointSize, QPointF(0, 0), color, weight);
    return image;
}

QString KeyCapDrawing::spoken(const QStringList &keys) {
    static const QHash<QString, QString> words = {
        {u"\u2318"_s, u"command"_s},
        {u"\u2325"_s, u"option"_s},
        {u"\u2303"_s, u"control"_s},
        {u"\u21E7"_s, u"shift"_s},
    };
    QStringList spokenKeys;
    for (const QString &label : keys) {
        spokenKeys.append(words.value(label, label));
    }
    return spokenKeys.join(u' ');
}

} // namespace zorv
