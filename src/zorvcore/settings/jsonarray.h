#pragma once

#include "jsonreader.h"

#include <QJsonArray>
#include <QList>

namespace zorv {

// A JSON array of value types that offer toJson(); read back with JsonArrayRef::map().

template <typename T> [[nodiscard]] QJsonArray jsonArray(const QList<T> &list) {
    QJsonArray array;
    for (const T &element : list) {
        array.append(element.toJson());
    }
    return array;
}

} // namespace zorv
