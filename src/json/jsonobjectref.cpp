#include "jsonpath.h"
#include "jsonreader.h"

using namespace Qt::StringLiterals;

namespace zorv {

JsonObjectRef::JsonObjectRef(QJsonObject object, QString path, DateForm dateForm)
    : m_object(std::move(object)), m_path(std::move(path)), m_dateForm(dateForm) {}

bool JsonObjectRef::contains(QStringView key) const {
    return m_object.contains(key);
}

QStringList JsonObjectRef::keys() const {
    return m_object.keys();
}

JsonValueRef JsonObjectRef::required(QStringView key) const {
    const auto it = m_object.constFind(key);
    if (it == m_object.constEnd()) {
        throw DecodeError(jsonKeyPath(m_path, key), u"The required key is missing."_s);
    }
    return JsonValueRef(it.value(), jsonKeyPath(m_path, key), m_dateForm);
}

std::optional<JsonValueRef> JsonObjectRef::optional(QStringView key) const {
    const auto it = m_object.constFind(key);
    if (it == m_object.constEnd() || it.value().isNull()) {
        return std::nullopt;
    }
    return JsonValueRef(it.value(), jsonKeyPath(m_path, key), m_dateForm);
}

void JsonObjectRef::fail(const QString &reason) const {
    throw DecodeError(m_path, reason);
}

} // namespace zorv
