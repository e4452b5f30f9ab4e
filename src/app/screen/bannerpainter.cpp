#include "bannerpainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QTextLayout>

namespace zorv {

namespace {

constexpr double cornerRadius = 14.0;
constexpr double sidePadding = 14.0;
constexpr double topPadding = 10.0;
constexpr double lineSpacing = 2.0;
constexpr int maximumBodyLines = 4;
const QColor background(0xf6, 0xf6, 0xf6, 0xf2);
const QColor border(0, 0, 0, 0x33);
const QColor ink(0x1d, 0x1d, 0x1f);

QFont bannerFont(bool bold) {
    QFont font;
    font.setPixelSize(13);
    font.setBold(bold);
    return font;
}

// The body's lines in `textWidth`: at most maximumBodyLines, the last one cut short with an
// ellipsis when more text follows.
QStringList bodyLines(const QString &body, double textWidth) {
    const QFont font = bannerFont(false);
    QTextLayout layout(body, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(textWidth);
        if (lines.size() == maximumBodyLines - 1) {
            const QString rest = body.mid(line.textStart()).simplified();
            lines.append(QFontMetricsF(font).elidedText(rest, Qt::ElideRight, textWidth));
            break;
        }
        lines.append(body.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    return lines;
}

double textHeight(const QString &body, double textWidth) {
    const double titleHeight = QFontMetricsF(bannerFont(true)).height();
    const double bodyHeight =
        QFontMetricsF(bannerFont(false)).height() * bodyLines(body, textWidth).size();
    return titleHeight + lineSpacing + bodyHeight;
}

} // namespace

QRectF BannerPainter::frame(QSizeF screenSize, const QString &body) {
    const double height = textHeight(body, width - 2 * sidePadding) + 2 * topPadding;
    return {screenSize.width() - rightMargin - width, top, width, height};
}

void BannerPainter::paint(QPainter &painter, const QRectF &target, QSizeF screenSize,
                          const QString &title, const QString &body) {
    if (screenSize.isEmpty() || target.isEmpty()) {
        return;
    }
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / screenSize.width(), target.height() / screenSize.height());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QRectF banner = frame(screenSize, body);
    painter.setPen(QPen(border, 1.0));
    painter.setBrush(background);
    painter.drawRoundedRect(banner.adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius, cornerRadius);

    const double textWidth = width - 2 * sidePadding;
    QPointF at = banner.topLeft() + QPointF(sidePadding, topPadding);
    painter.setPen(ink);
    const QFont titleFont = bannerFont(true);
    const QFontMetricsF titleMetrics(titleFont);
    painter.setFont(titleFont);
    painter.drawText(QRectF(at, QSizeF(textWidth, titleMetrics.height())),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     titleMetrics.elidedText(title, Qt::ElideRight, textWidth));
    at.ry() += titleMetrics.height() + lineSpacing;
    const QFont bodyFont = bannerFont(false);
    const double lineHeight = QFontMetricsF(bodyFont).height();
    painter.setFont(bodyFont);
    for (const QString &line : bodyLines(body, textWidth)) {
        painter.drawText(QRectF(at, QSizeF(textWidth, lineHeight)),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, line);
        at.ry() += lineHeight;
    }
    painter.restore();
}

} // namespace zorv
