#include "secondarybarplacement.h"

#include <algorithm>
#include <cmath>

namespace zorv {

double SecondaryBarPlacement::cellWidth(const RowPicture &picture, bool onBarColour) {
    if (picture.kind != QStringLiteral("capture")) {
        return cellSide;
    }
    return onBarColour ? picture.widthAt(barPictureHeight)
                       : picture.widthAt(platedPictureHeight) + 2 * plateInsetX;
}

QSizeF SecondaryBarPlacement::stripSize(const QList<double> &cellWidths, double emptyTextWidth) {
    double content = emptyTextWidth + 2 * emptyTextPadding;
    if (!cellWidths.isEmpty()) {
        content = cellSpacing * double(cellWidths.size() - 1);
        for (const double width : cellWidths) {
            content += width;
        }
    }
    return {std::ceil(content + 2 * padding), barPictureHeight + 2 * padding};
}

std::optional<QPointF> SecondaryBarPlacement::origin(QSizeF size,
                                                     const std::optional<QRectF> &iconFrame,
                                                     const QList<Screen> &screens,
                                                     const std::optional<Screen> &mainScreen) {
    std::optional<Screen> screen;
    double anchor = 0;
    if (iconFrame) {
        const auto holder = std::find_if(screens.begin(), screens.end(), [&](const Screen &s) {
            return s.frame.intersects(*iconFrame);
        });
        if (holder != screens.end()) {
            screen = *holder;
        }
        anchor = iconFrame->center().x();
    }
    if (!screen) {
        if (!mainScreen) {
            return std::nullopt;
        }
        screen = mainScreen;
        if (!iconFrame) {
            anchor = screen->frame.right() - anchorInsetWithoutIcon;
        }
    }
    const QRectF &frame = screen->frame;
    double x = anchor - size.width() / 2;
    // The left edge wins when the bar is wider than the screen allows.
    x = std::max(frame.left() + edgeMargin, std::min(frame.right() - size.width() - edgeMargin, x));
    const double visibleTop = screen->visibleFrame.y() + screen->visibleFrame.height();
    return QPointF(x, visibleTop - size.height() - gapBelowBar);
}

} // namespace zorv
