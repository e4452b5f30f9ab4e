#pragma once

#include "menubaritemid.h"

#include <QVariantMap>

#include <optional>

namespace zorv {

// A dragged chip's data as QML carries it: each content type with its bytes, as the item drag
// puts them on the pasteboard.
class ChipPayload {
public:
    [[nodiscard]] static QVariantMap of(const MenuBarItemID &id);
    // The identity the payload holds under the item content type; nothing for anything else.
    [[nodiscard]] static std::optional<MenuBarItemID> itemID(const QVariantMap &payload);
};

} // namespace zorv
