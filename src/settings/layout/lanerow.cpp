#include "lanerow.h"

#include "chippayload.h"
#include "items/itemdisplay.h"
#include "items/publishedpictures.h"
#include "laneitems.h"
#include "modelsearch.h"
#include "search/stablekey.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

bool usable(const std::optional<QImage> &image) {
    return image && !image->isNull();
}

} // namespace

LaneRow LaneRow::of(const MenuBarItem &item, const std::optional<QColor> &sampledBarColor,
                    PublishedPictures &pictures) {
    const QString key = stableKey(item.id);
    LaneRow row{.key = key,
                .name = ModelSearch::displayName(item),
                .payload = ChipPayload::of(item.id),
                .help = LaneItems::helpText(item),
                .dormant = item.isDormant,
                .notchObscured = item.isNotchObscured,
                .unmovable = item.isUnmovable,
                .pictureKind = u"none"_s,
                .picture = {},
                .pictureSize = {},
                .symbol = u"app.dashed"_s,
                .plate = ItemDisplay::backdrop(item, sampledBarColor)};
    if (usable(item.capturedImage)) {
        const QImage &capture = *item.capturedImage;
        row.pictureKind = u"capture"_s;
        row.picture = pictures.publish(key, capture);
        // Captures are taken at twice the point size.
        row.pictureSize = QSizeF(capture.width() / 2, capture.height() / 2);
    } else if (const std::optional<QString> symbol = ItemDisplay::symbol(item)) {
        row.pictureKind = u"symbol"_s;
        row.symbol = *symbol;
    } else if (usable(item.appIcon)) {
        row.pictureKind = u"icon"_s;
        row.picture = pictures.publish(key, *item.appIcon);
        row.pictureSize = QSizeF(22, 22);
    }
    return row;
}

QList<RowListModel<LaneRow>::Role> LaneRow::roles() {
    return {
        {"key", [](const LaneRow &row) { return QVariant(row.key); }},
        {"name", [](const LaneRow &row) { return QVariant(row.name); }},
        {"payload", [](const LaneRow &row) { return QVariant(row.payload); }},
        {"help", [](const LaneRow &row) { return QVariant(row.help); }},
        {"dormant", [](const LaneRow &row) { return QVariant(row.dormant); }},
        {"notchObscured", [](const LaneRow &row) { return QVariant(row.notchObscured); }},
        {"unmovable", [](const LaneRow &row) { return QVariant(row.unmovable); }},
        {"pictureKind", [](const LaneRow &row) { return QVariant(row.pictureKind); }},
        {"picture", [](const LaneRow &row) { return QVariant(row.picture); }},
        {"pictureSize", [](const LaneRow &row) { return QVariant(row.pictureSize); }},
        {"symbol", [](const LaneRow &row) { return QVariant(row.symbol); }},
        {"plate", [](const LaneRow &row) { return QVariant(row.plate); }},
    };
}

} // namespace zorv
