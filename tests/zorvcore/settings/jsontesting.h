#pragma once

#include "jsonreader.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>

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

inline QJsonObject objectFromText(const QByteArray &text) {
    return QJsonDocument::fromJson(text).object();
}

} // namespace zorv::testing
