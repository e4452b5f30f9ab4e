#pragma once

#include "menubaritem.h"
#include "models/rowlistmodel.h"

#include <QColor>
#include <QSizeF>
#include <QString>
#include <QUrl>
#include <QVariantMap>

#include <optional>

namespace zorv {

class PublishedPictures;

// One chip of a layout lane: its item's name, drag payload, help text and badges, and its
// picture as every row away from the bar pictures its item (RowPicture), an application's icon
// 22 points square.
struct LaneRow {
    QString key;
    QString name;
    // The item's identity as it travels in a drag.
    QVariantMap payload;
    QString help;
    bool dormant = false;
    bool notchObscured = false;
    bool unmovable = false;
    // "capture", "symbol", "icon" or "none".
    QString pictureKind;
    // The published capture or icon; empty for the other kinds.
    QUrl picture;
    QSizeF pictureSize;
    // The system symbol of the item ("app.dashed" when there is no picture).
    QString symbol;
    // What a captured picture sits on outside the bar's look.
    QColor plate;

    // The chip of `item`, its capture or icon published to `pictures`.
    [[nodiscard]] static LaneRow of(const MenuBarItem &item,
                                    const std::optional<QColor> &sampledBarColor,
                                    PublishedPictures &pictures);
    // The fields as views read them, in the order of LaneModel's roles.
    [[nodiscard]] static QList<RowListModel<LaneRow>::Role> roles();

    friend bool operator==(const LaneRow &, const LaneRow &) = default;
};

} // namespace zorv
