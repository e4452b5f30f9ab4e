#pragma once

#include "jsonreader.h"
#include "triggerrule.h"

#include <QJsonValue>
#include <QList>

namespace zorv {

// The user's rules in their order, which is also the order of evaluation. Stored in
// "triggers.json" and carried by the export file and the synced bundle as {"rules": [...]}.
struct TriggerSet {
    // The deepest set that reads: the export file and the synced bundle carry the set one level
    // below their top, and what this Mac holds must fit in both.
    static constexpr int kMaxNesting = kMaxJsonNesting - 1;

    QList<TriggerRule> rules;

    // One malformed rule fails the whole set: nothing is repaired or dropped. So does a set
    // nested deeper than kMaxNesting.
    [[nodiscard]] static TriggerSet fromJson(const JsonValueRef &value);
    [[nodiscard]] QJsonValue toJson() const;

    friend bool operator==(const TriggerSet &, const TriggerSet &) = default;
};

} // namespace zorv
