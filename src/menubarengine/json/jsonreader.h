#pragma once

#include "decodeerror.h"
#include "jsondates.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QUuid>

#include <concepts>
#include <limits>
#include <optional>
#include <vector>

namespace zorv {

class JsonObjectRef;
class JsonArrayRef;

// Documents nested deeper than this fail to parse; no reader recursion can then run away.
inline constexpr int kMaxJsonNesting = 200;

// Parses a whole JSON document (object or array at the top). Throws DecodeError for text that is
// not JSON, for a bare scalar, and for nesting beyond kMaxJsonNesting.
[[nodiscard]] QJsonValue parseJson(const QByteArray &bytes);

// One value inside a document together with its path, for strict typed reading. Every accessor
// throws DecodeError naming the path when the value has another JSON type: a bool is not a number,
// an integer accessor refuses fractions and out-of-range values, a string accessor refuses null.
class JsonValueRef {
public:
    // `dateForm` says how toDate() reads dates in this document; children inherit it.
    explicit JsonValueRef(QJsonValue value, QString path = QStringLiteral("$"),
                          DateForm dateForm = DateForm::ReferenceSeconds);

    [[nodiscard]] const QJsonValue &raw() const { return m_value; }
    [[nodiscard]] const QString &path() const { return m_path; }
    [[nodiscard]] bool isNull() const { return m_value.isNull() || m_value.isUndefined(); }

    [[nodiscard]] QString toString() const;
    [[nodiscard]] bool toBool() const;
    // Any finite JSON number.
    [[nodiscard]] double toDouble() const;
    // A JSON number with an integral value within [min, max].
    [[nodiscard]] qint64 toInteger(qint64 min = std::numeric_limits<qint64>::min(),
                                   qint64 max = std::numeric_limits<qint64>::max()) const;
    template<std::integral I>
    [[nodiscard]] I toInt() const
    {
        return static_cast<I>(toInteger(std::numeric_limits<I>::min(), std::numeric_limits<I>::max()));
    }
    // A UUID in its 36-character hyphenated form.
    [[nodiscard]] QUuid toUuid() const;
    // Seconds since 2001-01-01T00:00:00Z as a JSON number (store files, backups, markers).
    [[nodiscard]] QDateTime toReferenceDate() const;
    // "yyyy-MM-ddTHH:mm:ssZ" exactly (export file, synced bundle, diagnostics).
    [[nodiscard]] QDateTime toIsoDate() const;
    // A date in the document's date form.
    [[nodiscard]] QDateTime toDate() const;
    [[nodiscard]] DateForm dateForm() const { return m_dateForm; }

    [[nodiscard]] JsonObjectRef toObject() const;
    [[nodiscard]] JsonArrayRef toArray() const;

    // Decodes a value type that offers `static T fromJson(const JsonValueRef &)`.
    template<typename T>
    [[nodiscard]] T as() const
    {
        return T::fromJson(*this);
    }

    [[noreturn]] void fail(const QString &reason) const;

private:
    QJsonValue m_value;
    QString m_path;
    DateForm m_dateForm;
};

class JsonObjectRef {
public:
    JsonObjectRef(QJsonObject object, QString path, DateForm dateForm = DateForm::ReferenceSeconds);

    [[nodiscard]] const QJsonObject &raw() const { return m_object; }
    [[nodiscard]] const QString &path() const { return m_path; }
    [[nodiscard]] bool contains(QStringView key) const;
    [[nodiscard]] QStringList keys() const;

    // The value under `key`; throws DecodeError when the key is missing.
    [[nodiscard]] JsonValueRef required(QStringView key) const;
    // The value under `key`, or nullopt when the key is missing or null.
    [[nodiscard]] std::optional<JsonValueRef> optional(QStringView key) const;

    template<typename T>
    [[nodiscard]] T required(QStringView key) const
    {
        return required(key).template as<T>();
    }
    template<typename T>
    [[nodiscard]] std::optional<T> optional(QStringView key) const
    {
        auto value = optional(key);
        return value ? std::optional<T>(value->template as<T>()) : std::nullopt;
    }

    [[noreturn]] void fail(const QString &reason) const;

private:
    QJsonObject m_object;
    QString m_path;
    DateForm m_dateForm;
};

class JsonArrayRef {
public:
    JsonArrayRef(QJsonArray array, QString path, DateForm dateForm = DateForm::ReferenceSeconds);

    [[nodiscard]] const QJsonArray &raw() const { return m_array; }
    [[nodiscard]] qsizetype size() const { return m_array.size(); }
    [[nodiscard]] JsonValueRef at(qsizetype index) const;

    template<typename T>
    [[nodiscard]] std::vector<T> map() const
    {
        std::vector<T> result;
        result.reserve(static_cast<std::size_t>(m_array.size()));
        for (qsizetype i = 0; i < m_array.size(); ++i) {
            result.push_back(at(i).template as<T>());
        }
        return result;
    }

private:
    QJsonArray m_array;
    QString m_path;
    DateForm m_dateForm;
};

// Built-in element types for JsonValueRef::as<T>() and JsonArrayRef::map<T>().
template<>
inline QString JsonValueRef::as<QString>() const
{
    return toString();
}
template<>
inline bool JsonValueRef::as<bool>() const
{
    return toBool();
}
template<>
inline double JsonValueRef::as<double>() const
{
    return toDouble();
}
template<>
inline int JsonValueRef::as<int>() const
{
    return toInt<int>();
}
template<>
inline qint64 JsonValueRef::as<qint64>() const
{
    return toInteger();
}
template<>
inline QUuid JsonValueRef::as<QUuid>() const
{
    return toUuid();
}

} // namespace zorv
