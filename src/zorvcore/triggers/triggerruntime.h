#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QUuid>

namespace zorv {

// The trigger engine's memory between two steps, per rule id. Held in memory only: after a
// restart every satisfied rule counts as newly satisfied.
struct TriggerRuntime {
    // Whether the rule counted as satisfied at the previous step.
    QHash<QUuid, bool> lastSatisfied;
    // Times of the rule's state changes still inside the flap window, oldest first.
    QHash<QUuid, QList<QDateTime>> flips;
    // End of the rule's latest suspension; kept after it has passed.
    QHash<QUuid, QDateTime> suspendedUntil;

    friend bool operator==(const TriggerRuntime &, const TriggerRuntime &) = default;
};

} // namespace zorv
