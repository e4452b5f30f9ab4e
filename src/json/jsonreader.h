#pragma once

#include "decodeerror.h"
#include "jsondates.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <concepts>
#include <limits>
#include <optional>
#include <utility>

namespace zorv {

class JsonObjectRef;
class JsonArrayRef;

// Documents nested deeper than this many arrays and objects fail to parse (and are never written),
// so no reader recursion can run away on a hostile or corrupt file.
inline constexpr int kMaxJsonNesting = 200;

// Parses a whole JSON document (object or array at the top), following the JSON grammar exactly:
// no invalid escapes, raw control characters in strings, invalid UTF-8, ".5", "5." or "01".
// Throws DecodeError for text that is not JSON, for a bare scalar, for a number too large for a
// double, and for nesting beyond kMaxJsonNesting. A number too small for a double reads as 0;
// every whole number within the 64-bit range is held as an integer. Duplicate keys keep the last
// value. A byte order mark before the document is skipped; one inside a string is kept.
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
    [[nodiscard]] DateForm dateForm() const { return m_dateForm; }
    [[nodiscard]] bool isNull() const { return m_value.isNull() || m_value.isUndefined(); }

    [[nodiscard]] QString toString() const;
    [[nodiscard]] bool toBool() const;
    // Any finite JSON number.
    [[nodiscard]] double toDouble() const;
    // A JSON number with an integral value within [min, max]. "20", "20.0" and "2e1" all read as
    // 20 (the parser keeps no difference between them); "20.5" never reads as an integer, and a
    // number beyond the 64-bit range is refused, never rounded into it.
    [[nodiscard]] qint64 toInteger(qint64 min = std::numeric_limits<qint64>::min(),
                                   qint64 max = std::numeric_limits<qint64>::max()) const;
    template <std::integral I>
    requires(!std::same_as<I, bool>) [[nodiscard]] I toInt() const {
        constexpr qint64 min =
            std::cmp_less(std::numeric_limits<I>::min(), std::numeric_limits<qint64>::min())
                ? std::numeric_limits<qint64>::min()
                : static_cast<qint64>(std::numeric_limits<I>::min());
        constexpr qint64 max =
            std::cmp_greater(std::numeric_limits<I>::max(), std::numeric_limits<qint64>::max())
                ? std::numeric_limits<qint64>::max()
                : static_cast<qint64>(std::numeric_limits<I>::max());
        return static_cast<I>(toInteger(min, max));
    }
    // A UUID in its 36-character hyphenated form, hex digits in either case (no braces).
    [[nodiscard]] QUuid toUuid() const;
    // Seconds since 2001-01-01T00:00:00Z as a JSON number (store files, backups, markers).
    [[nodiscard]] QDateTime toReferenceDate() const;
    // "yyyy-MM-ddTHH:mm:ssZ" exactly (export file, synced bundle, diagnostics).
    [[nodiscard]] QDateTime toIsoDate() const;
    // A date in the document's date form.
    [[nodiscard]] QDateTime toDate() const;

    [[nodiscard]] JsonObjectRef toObject() const;
    [[nodiscard]] JsonArrayRef toArray() const;

    // Reads a QString, bool, double, integer, QUuid or QDateTime (in the document's date form)
    // through the accessors above; any other type through its `static T fromJson(const
    // JsonValueRef &)`.
    template <typename T> [[nodiscard]] T as() const {
        if constexpr (std::same_as<T, QString>) {
            return toString();
        } else if constexpr (std::same_as<T, bool>) {
            return toBool();
        } else if constexpr (std::same_as<T, double>) {
            return toDouble();
        } else if constexpr (std::integral<T>) {
            return toInt<T>();
        } else if constexpr (std::same_as<T, QUuid>) {
            return toUuid();
        } else if constexpr (std::same_as<T, QDateTime>) {
            return toDate();
        } else {
            return T::fromJson(*this);
        }
    }

    [[noreturn]] void fail(const QString &reason) const;

private:
    [[noreturn]] void failType(const QString &expected) const;

    QJsonValue m_value;
    QString m_path;
    DateForm m_dateForm;
};

class JsonObjectRef {
public:
    JsonObjectRef(QJsonObject object, QString path, DateForm dateForm = DateForm::ReferenceSeconds);

    [[nodiscard]] const QJsonObject &raw() const { return m_object; }
    [[nodiscard]] const QString &path() const { return m_path; }
    [[nodiscard]] DateForm dateForm() const { return m_dateForm; }
    [[nodiscard]] bool contains(QStringView key) const;
    [[nodiscard]] QStringList keys() const;

    // The value under `key`; throws DecodeError naming the key's path when the key is missing.
    // A null value is returned as it is, and fails in whichever accessor reads it.
    [[nodiscard]] JsonValueRef required(QStringView key) const;
    // The value under `key`, or nullopt when the key is missing or null.
    [[nodiscard]] std::optional<JsonValueRef> optional(QStringView key) const;

    template <typename T> [[nodiscard]] T required(QStringView key) const {
        return required(key).template as<T>();
    }
    template <typename T> [[nodiscard]] std::optional<T> optional(QStringView key) const {
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
    [[nodiscard]] const QString &path() const { return m_path; }
    [[nodiscard]] DateForm dateForm() const { return m_dateForm; }
    [[nodiscard]] qsizetype size() const { return m_array.size(); }
    // The element at `index`; throws DecodeError when the array is shorter.
    [[nodiscard]] JsonValueRef at(qsizetype index) const;

    // Every element read as T (see JsonValueRef::as), in order; the first failure throws.
    template <typename T> [[nodiscard]] QList<T> map() const {
        QList<T> result;
        result.reserve(m_array.size());
        for (qsizetype i = 0; i < m_array.size(); ++i) {
            result.append(at(i).template as<T>());
        }
        return result;
    }

    [[noreturn]] void fail(const QString &reason) const;

private:
    QJsonArray m_array;
    QString m_path;
    DateForm m_dateForm;
};

} // namespace zorv
