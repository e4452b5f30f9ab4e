#include "lanerow.h"

#include "chippayload.h"
#include "items/itemdisplay.h"
#include "items/rowpicture.h"
#include "laneitems.h"
#include "modelsearch.h"
#include "search/stablekey.h"

using namespace Qt::StringLiterals;

namespace zorv {

LaneRow LaneRow::of(const MenuBarItem &item, const std::optional<QColor> &sampledBarColor,
                    PublishedPictures &pictures) {
    const RowPicture picture = RowPicture::of(item, sampledBarColor, pictures);
    return {.key = stableKey(item.id),
            .name = ModelSearch::displayName(item),
            .payload = ChipPayload::of(item.id),
            .help = LaneItems::helpText(item),
            .dormant = item.isDormant,
            .notchObscured = item.isNotchObscured,
            .unmovable = item.isUnmovable,
            .pictureKind = picture.kind,
            .picture = picture.source,
            .pictureSize = picture.kind == u"icon"_s ? QSizeF(22, 22) : picture.size,
            .symbol = picture.kind == u"symbol"_s ? picture.symbol : u"app.dashed"_s,
            .plate = ItemDisplay::backdrop(item, sampledBarColor)};
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
