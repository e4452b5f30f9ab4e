#include "triggerset.h"

#include <QJsonArray>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

TriggerSet TriggerSet::fromJson(const JsonValueRef &value) {
    return TriggerSet{value.toObject().required(u"rules").toArray().map<TriggerRule>()};
}

QJsonValue TriggerSet::toJson() const {
    QJsonArray array;
    for (const TriggerRule &rule : rules) {
        array.append(rule.toJson());
    }
    return QJsonObject{{u"rules"_s, array}};
}

} // namespace zorv
