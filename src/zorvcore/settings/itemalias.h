#pragma once

#include "jsonreader.h"

#include <QJsonValue>
#include <QString>

namespace zorv {

// The user's search alias for one status item, addressed by the item's stable key.
struct ItemAlias {
    QString key;
    // As the user typed it, surrounding spaces included.
    QString alias;

    [[nodiscard]] QJsonValue toJson() const;
    [[nodiscard]] static ItemAlias fromJson(const JsonValueRef &value);

    friend bool operator==(const ItemAlias &, const ItemAlias &) = default;
};

} // namespace zorv
