#pragma once

#include "triggeraction.h"
#include "triggerrule.h"
#include "triggerruntime.h"

#include <QList>
#include <QSet>
#include <QUuid>

namespace zorv {

// What the rules ask for at one moment: the result of TriggerEngine::step. Every list follows
// the order of the rules.
struct TriggerStep {
    // Enabled, satisfied, unsuspended rules with a declarative action: states to hold now.
    QList<TriggerRule> activeOverrides;
    // Actions of rules that became satisfied at this step and carry a one-shot action.
    QList<TriggerAction> oneShots;
    // Rules the flap guard suspended at this step.
    QList<QUuid> newlySuspended;
    // Every rule suspended at this step's time, the new ones included.
    QSet<QUuid> suspended;
    // The memory to pass to the next step.
    TriggerRuntime runtime;

    friend bool operator==(const TriggerStep &, const TriggerStep &) = default;
};

} // namespace zorv
