#pragma once

#include <QJsonValue>
#include <QString>

#include <optional>

namespace zorv {

// A text the desktop may not know, as the dump writes it: the text, or null.
[[nodiscard]] inline QJsonValue optionalString(const std::optional<QString> &text) {
    return text ? QJsonValue(*text) : QJsonValue(QJsonValue::Null);
}

} // namespace zorv
