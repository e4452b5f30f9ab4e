#include "triggerrule.h"

#include "profiles/uuidtext.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

TriggerRule TriggerRule::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    return TriggerRule{object.required(u"id").toUuid(), object.required(u"name").toString(),
                       object.required(u"isEnabled").toBool(),
                       object.required<TriggerCondition>(u"condition"),
                       object.required<TriggerAction>(u"action")};
}

QJsonValue TriggerRule::toJson() const {
    return QJsonObject{{u"id"_s, uuidText(id)},
                       {u"name"_s, name},
                       {u"isEnabled"_s, isEnabled},
                       {u"condition"_s, condition.toJson()},
                       {u"action"_s, action.toJson()}};
}

} // namespace zorv
