#include "items/menubaritemdrag.h"

#include "jsonwriter.h"

#include <QMimeData>

namespace zorv {

QByteArray MenuBarItemDrag::encode(const MenuBarItemID &id) {
    // An id holds only strings and an integer, which always write.
    return writeJson(id.toJson(), JsonFormat::compact()).value_or(QByteArray());
}

std::optional<MenuBarItemID> MenuBarItemDrag::decode(const QByteArray &bytes) {
    try {
        return MenuBarItemID::fromJson(JsonValueRef(parseJson(bytes)));
    } catch (const DecodeError &) {
        return std::nullopt;
    }
}

std::unique_ptr<QMimeData> MenuBarItemDrag::mimeData(const MenuBarItemID &id) {
    auto data = std::make_unique<QMimeData>();
    data->setData(mimeType, encode(id));
    return data;
}

bool MenuBarItemDrag::accepts(const QMimeData &data) {
    return data.hasFormat(mimeType);
}

std::optional<MenuBarItemID> MenuBarItemDrag::fromMimeData(const QMimeData &data) {
    if (!accepts(data)) {
        return std::nullopt;
    }
    return decode(data.data(mimeType));
}

} // namespace zorv
