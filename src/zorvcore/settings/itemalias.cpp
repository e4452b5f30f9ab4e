#include "itemalias.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

QJsonValue ItemAlias::toJson() const {
    return QJsonObject{{u"key"_s, key}, {u"alias"_s, alias}};
}

ItemAlias ItemAlias::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    return ItemAlias{object.required(u"key").toString(), object.required(u"alias").toString()};
}

} // namespace zorv
