#pragma once

#include "jsonreader.h"

#include <QByteArray>

namespace zorv::testing {

// Decodes a record from JSON text the way a store or bundle reads it.
template <typename T>
T decodeJson(const QByteArray &text, DateForm dateForm = DateForm::ReferenceSeconds) {
    return T::fromJson(JsonValueRef(parseJson(text), QStringLiteral("$"), dateForm));
}

template <typename T>
T decodeJson(const QJsonValue &value, DateForm dateForm = DateForm::ReferenceSeconds) {
    return T::fromJson(JsonValueRef(value, QStringLiteral("$"), dateForm));
}

} // namespace zorv::testing
