#pragma once

#include "jsonreader.h"
#include "triggerrule.h"

#include <QJsonValue>
#include <QList>

namespace zorv {

// The user's rules in their order, which is also the order of evaluation. Stored in
// "triggers.json" and carried by the export file and the synced bundle as {"rules": [...]}.
struct TriggerSet {
    QList<TriggerRule> rules;

    // One malformed rule fails the whole set: nothing is repaired or dropped.
    [[nodiscard]] static TriggerSet fromJson(const JsonValueRef &value);
    [[nodiscard]] QJsonValue toJson() const;

    friend bool operator==(const TriggerSet &, const TriggerSet &) = default;
};

} // namespace zorv
