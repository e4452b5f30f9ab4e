#include "application/menubartitles.h"

#include <QFontMetricsF>

#include <cmath>

namespace zorv {

QFont MenuBarTitles::font(bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    // The bar's text keeps its size on the taller bars of screens with a camera housing.
    font.setPixelSize(13);
    font.setBold(bold);
    return font;
}

double MenuBarTitles::titleWidth(const QString &title, bool bold) {
    return QFontMetricsF(font(bold)).horizontalAdvance(title) + 2 * padding;
}

double MenuBarTitles::menusWidth(const QStringList &titles) {
    double width = leftMargin + appleMenuWidth;
    for (qsizetype index = 0; index < titles.size(); ++index) {
        width += titleWidth(titles[index], index == 0);
    }
    // Whole points, as the system lays menus out.
    return std::ceil(width);
}

QList<MenuBarTitles::Span> MenuBarTitles::spans(const QStringList &titles, double menusRight,
                                                const std::optional<Span> &housing) {
    QList<Span> spans;
    double x = leftMargin;
    for (qsizetype index = -1; index < titles.size(); ++index) {
        const double width = index < 0 ? appleMenuWidth : titleWidth(titles[index], index == 0);
        if (housing && x + width > housing->first && x < housing->second) {
            x = housing->second;
        }
        // The menus' reach is in whole points.
        if (x + width > menusRight + 1e-6) {
            break;
        }
        spans.append({x, x + width});
        x += width;
    }
    return spans;
}

} // namespace zorv
