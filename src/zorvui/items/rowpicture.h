#pragma once

#include "menubaritem.h"

#include <QColor>
#include <QSizeF>
#include <QString>
#include <QUrl>

#include <optional>

namespace zorv {

class PublishedPictures;

// How a row away from the bar (a search result, a cell of the secondary bar, a chip of a layout
// lane) pictures its item, by the first that applies: the captured picture as it is, at half its
// pixel size in points, on a plate of the sampled bar colour (grey by the glyph's lightness without
// one) unless drawn on the bar's colour itself; the system symbol of a system item; the
// application's icon; else nothing (views show a placeholder). Captures keep their aspect wherever
// they are drawn, so a wide meter stays wide.
struct RowPicture {
    // As views read it: "capture", "symbol", "icon" or "none".
    QString kind = QStringLiteral("none");
    // The published picture of a capture or an icon.
    QUrl source;
    // A capture's size in points.
    QSizeF size;
    QString symbol;
    QColor plate;

    [[nodiscard]] static RowPicture of(const MenuBarItem &item,
                                       const std::optional<QColor> &sampledBarColor,
                                       PublishedPictures &pictures);

    // The width of a capture drawn `height` points high (0 for any other picture).
    [[nodiscard]] double widthAt(double height) const;

    friend bool operator==(const RowPicture &, const RowPicture &) = default;
};

} // namespace zorv
