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

} // namespace zorv
