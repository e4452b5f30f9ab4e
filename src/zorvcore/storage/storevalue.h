#pragma once

#include "jsondates.h"
#include "jsonreader.h"

#include <QJsonValue>

#include <concepts>

namespace zorv {

// A value that a store file or a backup can hold: it reads itself strictly from JSON and writes
// itself to JSON, taking the date form when it holds dates.
template <typename T>
concept StoreValue = std::copyable<T> && requires(const JsonValueRef &json) {
    { T::fromJson(json) } -> std::same_as<T>;
} &&(
    requires(const T &value) {
        { value.toJson() } -> std::convertible_to<QJsonValue>;
    } ||
    requires(const T &value) {
        { value.toJson(DateForm::ReferenceSeconds) } -> std::convertible_to<QJsonValue>;
    });

// Store files and backups write dates as seconds since 2001-01-01T00:00:00Z.
template <StoreValue T> [[nodiscard]] QJsonValue toStoreJson(const T &value) {
    if constexpr (requires { value.toJson(DateForm::ReferenceSeconds); }) {
        return value.toJson(DateForm::ReferenceSeconds);
    } else {
        return value.toJson();
    }
}

// Throws DecodeError when `json` does not have the value's shape.
template <StoreValue T> [[nodiscard]] T fromStoreJson(const QJsonValue &json) {
    return JsonValueRef(json, QStringLiteral("$"), DateForm::ReferenceSeconds).as<T>();
}

} // namespace zorv
