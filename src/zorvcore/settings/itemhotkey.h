#pragma once

#include "keyshortcut.h"

#include <QJsonValue>
#include <QString>

namespace zorv {

// A global hot key that activates one status item, addressed by the item's stable key.
struct ItemHotkey {
    QString key;
    KeyShortcut shortcut;

    [[nodiscard]] QJsonValue toJson() const;
    [[nodiscard]] static ItemHotkey fromJson(const JsonValueRef &value);

    friend bool operator==(const ItemHotkey &, const ItemHotkey &) = default;
};

} // namespace zorv
