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
    const double x = insideSides(anchor - size.width() / 2, size.width(), screen->frame);
    const double visibleTop = screen->visibleFrame.y() + screen->visibleFrame.height();
    return QPointF(x, visibleTop - size.height() - gapBelowBar);
}

std::optional<QPointF> SecondaryBarPlacement::keptOrigin(QSizeF size, const QRectF &shown,
                                                         const QList<Screen> &screens) {
    // The top edge stays where it was.
    const double y = shown.y() + shown.height() - size.height();
    const auto holder = std::find_if(screens.begin(), screens.end(), [&](const Screen &s) {
        return s.frame.intersects(shown) && s.frame.top() <= y &&
               y + size.height() <= s.frame.bottom();
    });
    if (holder == screens.end()) {
        return std::nullopt;
    }
    return QPointF(insideSides(shown.x(), size.width(), holder->frame), y);
}

double SecondaryBarPlacement::insideSides(double x, double width, const QRectF &screenFrame) {
    return std::max(screenFrame.left() + edgeMargin,
                    std::min(screenFrame.right() - width - edgeMargin, x));
}

} // namespace zorv
