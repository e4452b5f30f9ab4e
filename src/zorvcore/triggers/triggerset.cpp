#include "triggerset.h"

#include "settings/jsonarray.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

TriggerSet TriggerSet::fromJson(const JsonValueRef &value) {
    return TriggerSet{value.toObject().required(u"rules").toArray().map<TriggerRule>()};
}

QJsonValue TriggerSet::toJson() const {
    return QJsonObject{{u"rules"_s, jsonArray(rules)}};
}

} // namespace zorv
