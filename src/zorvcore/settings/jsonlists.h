#pragma once

#include "jsonreader.h"

#include <QJsonArray>
#include <QList>

namespace zorv {

// JSON arrays of value types that offer toJson() and fromJson(), kept as QList.

template <typename T> [[nodiscard]] QJsonArray jsonArray(const QList<T> &list) {
    QJsonArray array;
    for (const T &element : list) {
        array.append(element.toJson());
    }
    return array;
}

template <typename T> [[nodiscard]] QList<T> listFromJson(const JsonValueRef &value) {
    const auto elements = value.toArray().map<T>();
    return QList<T>(elements.begin(), elements.end());
}

} // namespace zorv
