#pragma once

#include "items/rowpicture.h"
#include "screen.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>

namespace zorv {

// Where the secondary bar goes: centred under the application's icon on the screen that holds
// it (without an icon, 12 points left of the main screen's right edge), kept 8 points inside the
// screen's sides, its top edge 4 points below the menu bar. While it is open it stays where it
// was shown, so that its cells do not move under the pointer.
class SecondaryBarPlacement {
public:
    SecondaryBarPlacement() = delete;

    static constexpr double edgeMargin = 8;
    static constexpr double gapBelowBar = 4;
    static constexpr double anchorInsetWithoutIcon = 12;
    // The strip's drawing: a capture 22 points high on the bar's colour, or 18 high on a plate
    // 2 points wider each side and 1 taller; symbols, icons and the placeholder 18 points square;
    // 6 apart, 8 of padding, as high as the tallest picture can be.
    static constexpr double barPictureHeight = 22;
    static constexpr double platedPictureHeight = 18;
    static constexpr double plateInsetX = 2;
    static constexpr double plateInsetY = 1;
    static constexpr double cellSide = 18;
    static constexpr double cellSpacing = 6;
    static constexpr double padding = 8;
    static constexpr double emptyTextPadding = 6;

    // The width of the cell of `picture`, drawn on the bar's colour or on its plate.
    [[nodiscard]] static double cellWidth(const RowPicture &picture, bool onBarColour);

    // The strip's size for cells of the given widths; an empty strip holds its text of
    // `emptyTextWidth` instead.
    [[nodiscard]] static QSizeF stripSize(const QList<double> &cellWidths, double emptyTextWidth);

    // The bar's bottom-left origin in global points (bottom-left convention) for a bar of `size`
    // under `iconFrame`; nothing when no screen holds the icon and there is no main screen.
    [[nodiscard]] static std::optional<QPointF> origin(QSizeF size,
                                                       const std::optional<QRectF> &iconFrame,
                                                       const QList<Screen> &screens,
                                                       const std::optional<Screen> &mainScreen);

    // The origin of an open bar, now of `size`, shown with the frame `shown`: its top-left corner
    // kept, moved only as far as keeps it 8 points inside the sides of the screen that holds it;
    // nothing when no screen holds it from top to bottom any more.
    [[nodiscard]] static std::optional<QPointF> keptOrigin(QSizeF size, const QRectF &shown,
                                                           const QList<Screen> &screens);

private:
    // `x` moved as far as keeps `width` inside the screen's sides; the left side wins.
    [[nodiscard]] static double insideSides(double x, double width, const QRectF &screenFrame);
};

} // namespace zorv
