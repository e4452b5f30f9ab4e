#pragma once

#include "jsonreader.h"
#include "triggeraction.h"
#include "triggercondition.h"

#include <QJsonValue>
#include <QString>
#include <QUuid>

namespace zorv {

// One automation rule of the user: while `condition` holds (and the rule is enabled), `action`
// applies. The trigger engine keys its memory of the rule by `id`.
struct TriggerRule {
    QUuid id;
    QString name;
    bool isEnabled;
    TriggerCondition condition;
    TriggerAction action;

    // {"id", "name", "isEnabled", "condition", "action"}, every key required.
    [[nodiscard]] static TriggerRule fromJson(const JsonValueRef &value);
    [[nodiscard]] QJsonValue toJson() const;

    friend bool operator==(const TriggerRule &, const TriggerRule &) = default;
};

} // namespace zorv
