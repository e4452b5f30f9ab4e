#include "jsonnumber.h"
#include "jsonreader.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QString describe(const QJsonValue &value) {
    switch (value.type()) {
    case QJsonValue::Null:
        return u"null"_s;
    case QJsonValue::Bool:
        return u"a bool"_s;
    case QJsonValue::Double:
        return u"the number "_s + QString::fromLatin1(jsonNumberText(value).value_or("nan"));
    case QJsonValue::String:
        return u"a string"_s;
    case QJsonValue::Array:
        return u"an array"_s;
    case QJsonValue::Object:
        return u"an object"_s;
    case QJsonValue::Undefined:
        break;
    }
    return u"nothing"_s;
}

// A hyphenated UUID: 8-4-4-4-12 hex digits. QUuid::fromString also takes braces, which these
// files never hold.
bool isHyphenatedUuid(const QString &text) {
    if (text.size() != 36) {
        return false;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (c != u'-') {
                return false;
            }
        } else if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') ||
                     (c >= u'A' && c <= u'F'))) {
            return false;
        }
    }
    return true;
}

} // namespace

JsonValueRef::JsonValueRef(QJsonValue value, QString path, DateForm dateForm)
    : m_value(std::move(value)), m_path(std::move(path)), m_dateForm(dateForm) {}

QString JsonValueRef::toString() const {
    if (!m_value.isString()) {
        failType(u"a string"_s);
    }
    return m_value.toString();
}

bool JsonValueRef::toBool() const {
    if (!m_value.isBool()) {
        failType(u"a bool"_s);
    }
    return m_value.toBool();
}

double JsonValueRef::toDouble() const {
    if (!m_value.isDouble()) {
        failType(u"a number"_s);
    }
    const double value = m_value.toDouble();
    if (!std::isfinite(value)) {
        fail(u"Expected a finite number."_s);
    }
    return value;
}

qint64 JsonValueRef::toInteger(qint64 min, qint64 max) const {
    if (!m_value.isDouble()) {
        failType(u"an integer"_s);
    }
    if (!isIntegerStorage(m_value)) {
        // Held as a double. The parser holds every whole number of the 64-bit range as an
        // integer, so this is a fraction (beyond 2^53 one may have rounded to a whole double) or
        // a whole number beyond the range (-9223372036854775809 rounds to -2^63, which is why
        // that bound is refused here too).
        const double value = m_value.toDouble();
        if (!std::isfinite(value) || std::trunc(value) != value ||
            std::fabs(value) < 9223372036854775808.0) {
            failType(u"an integer"_s);
        }
        fail(u"The integer %1 is out of range (%2 to %3)."_s.arg(
            QString::fromLatin1(*jsonNumberText(m_value)), QString::number(min),
            QString::number(max)));
    }
    const qint64 integer = m_value.toInteger();
    if (integer < min || integer > max) {
        fail(u"The integer %1 is out of range (%2 to %3)."_s.arg(
            QString::number(integer), QString::number(min), QString::number(max)));
    }
    return integer;
}

QUuid JsonValueRef::toUuid() const {
    const QString text = toString();
    if (!isHyphenatedUuid(text)) {
        fail(u"Expected a UUID in its 36-character hyphenated form."_s);
    }
    return QUuid::fromString(text);
}

QDateTime JsonValueRef::toReferenceDate() const {
    const QDateTime date = dateFromReferenceSeconds(toDouble());
    if (!date.isValid()) {
        fail(u"The date is out of range."_s);
    }
    return date;
}

QDateTime JsonValueRef::toIsoDate() const {
    const auto date = parseIsoDate(toString());
    if (!date) {
        fail(u"Expected an ISO-8601 date-time with whole seconds, such as 2026-12-05T14:44:07Z "
             "or 2026-12-05T15:44:07+01:00."_s);
    }
    return *date;
}

QDateTime JsonValueRef::toDate() const {
    switch (m_dateForm) {
    case DateForm::ReferenceSeconds:
        return toReferenceDate();
    case DateForm::Iso8601:
        return toIsoDate();
    }
    Q_UNREACHABLE();
}

JsonObjectRef JsonValueRef::toObject() const {
    if (!m_value.isObject()) {
        failType(u"an object"_s);
    }
    return JsonObjectRef(m_value.toObject(), m_path, m_dateForm);
}

JsonArrayRef JsonValueRef::toArray() const {
    if (!m_value.isArray()) {
        failType(u"an array"_s);
    }
    return JsonArrayRef(m_value.toArray(), m_path, m_dateForm);
}

void JsonValueRef::fail(const QString &reason) const {
    throw DecodeError(m_path, reason);
}

void JsonValueRef::failType(const QString &expected) const {
    fail(u"Expected %1, found %2."_s.arg(expected, describe(m_value)));
}

} // namespace zorv
