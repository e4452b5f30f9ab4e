#include "chippayload.h"

#include "items/menubaritemdrag.h"

#include <QMimeData>

namespace zorv {

QVariantMap ChipPayload::of(const MenuBarItemID &id) {
    const std::unique_ptr<QMimeData> data = MenuBarItemDrag::mimeData(id);
    QVariantMap payload;
    for (const QString &format : data->formats()) {
        payload.insert(format, data->data(format));
    }
    return payload;
}

std::optional<MenuBarItemID> ChipPayload::itemID(const QVariantMap &payload) {
    QMimeData data;
    for (auto format = payload.cbegin(); format != payload.cend(); ++format) {
        data.setData(format.key(), format->toByteArray());
    }
    return MenuBarItemDrag::fromMimeData(data);
}

} // namespace zorv
