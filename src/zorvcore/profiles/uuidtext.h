#pragma once

#include <QString>
#include <QUuid>

namespace zorv {

// The stored text of a profile id: 36 characters, upper-case hexadecimal in groups 8-4-4-4-12.
[[nodiscard]] inline QString uuidText(const QUuid &id) {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

} // namespace zorv
