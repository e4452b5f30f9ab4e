#pragma once

#include "triggers/triggercontext.h"
#include "triggers/triggerrule.h"

#include <QList>

namespace zorv {

// Evaluates the rules against a context and hands each resulting step back to the model, keeping
// the rules' runtime state between evaluations.
class AutomationRunner {
public:
    virtual ~AutomationRunner() = default;

    virtual void evaluate(const QList<TriggerRule> &rules, const TriggerContext &context) = 0;
};

} // namespace zorv
