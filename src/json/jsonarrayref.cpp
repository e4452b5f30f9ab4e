#include "jsonpath.h"
#include "jsonreader.h"

using namespace Qt::StringLiterals;

namespace zorv {

JsonArrayRef::JsonArrayRef(QJsonArray array, QString path, DateForm dateForm)
    : m_array(std::move(array)), m_path(std::move(path)), m_dateForm(dateForm) {}

JsonValueRef JsonArrayRef::at(qsizetype index) const {
    if (index < 0 || index >= m_array.size()) {
        throw DecodeError(
            jsonIndexPath(m_path, index),
            u"The index is out of range (the array has %1 elements)."_s.arg(m_array.size()));
    }
    return JsonValueRef(m_array.at(index), jsonIndexPath(m_path, index), m_dateForm);
}

void JsonArrayRef::fail(const QString &reason) const {
    throw DecodeError(m_path, reason);
}

} // namespace zorv
