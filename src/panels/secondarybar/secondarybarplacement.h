#pragma once

#include "screen.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>

namespace zorv {

// Where the secondary bar goes: centred under the application's icon on the screen that holds
// it (without an icon, 12 points left of the main screen's right edge), kept 8 points inside the
// screen's sides, its top edge 4 points below the menu bar.
class SecondaryBarPlacement {
public:
    SecondaryBarPlacement() = delete;

    static constexpr double edgeMargin = 8;
    static constexpr double gapBelowBar = 4;
    static constexpr double anchorInsetWithoutIcon = 12;
    // The strip's drawing: pictures 22 points square (24 wide on a plate), 6 apart, 8 of padding.
    static constexpr double cellSide = 22;
    static constexpr double platedCellWidth = 24;
    static constexpr double cellSpacing = 6;
    static constexpr double padding = 8;
    static constexpr double emptyTextPadding = 6;

    // The strip's size for cells of the given widths; an empty strip holds its text of
    // `emptyTextWidth` instead.
    [[nodiscard]] static QSizeF stripSize(const QList<double> &cellWidths, double emptyTextWidth);

    // The bar's bottom-left origin in global points (bottom-left convention) for a bar of `size`
    // under `iconFrame`; nothing when no screen holds the icon and there is no main screen.
    [[nodiscard]] static std::optional<QPointF> origin(QSizeF size,
                                                       const std::optional<QRectF> &iconFrame,
                                                       const QList<Screen> &screens,
                                                       const std::optional<Screen> &mainScreen);
};

} // namespace zorv
