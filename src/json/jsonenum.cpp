#include "jsonenum.h"

using namespace Qt::StringLiterals;

namespace zorv {

JsonEnumCase decodeEnumCase(const JsonValueRef &value, const QStringList &caseNames) {
    const JsonObjectRef object = value.toObject();
    const QString *found = nullptr;
    int count = 0;
    for (const QString &name : caseNames) {
        if (object.contains(name)) {
            found = &name;
            ++count;
        }
    }
    if (count != 1) {
        object.fail(u"Invalid number of keys found, expected one."_s);
    }
    return {*found, object.required(*found).toObject()};
}

QJsonObject encodeEnumCase(const QString &name) {
    return QJsonObject{{name, QJsonObject()}};
}

QJsonObject encodeEnumCase(const QString &name, const QJsonValue &first) {
    return QJsonObject{{name, QJsonObject{{u"_0"_s, first}}}};
}

QJsonObject encodeEnumCase(const QString &name, const QJsonValue &first, const QJsonValue &second) {
    return QJsonObject{{name, QJsonObject{{u"_0"_s, first}, {u"_1"_s, second}}}};
}

} // namespace zorv
