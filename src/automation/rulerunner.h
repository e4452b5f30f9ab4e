#pragma once

#include "shell/automationrunner.h"
#include "triggers/triggerruntime.h"

#include <QPointer>

namespace zorv {

class AppModel;
class Clock;

// Steps the rules over each context and hands the step to the model, which applies it. Every
// evaluation, whatever caused it, goes through the one runtime kept here, so rising edges and
// the flap guard see them all in order. The runtime starts empty at every launch and is never
// stored. Holds the model weakly: once it is gone, evaluations do nothing. Main thread.
class RuleRunner final : public AutomationRunner {
public:
    RuleRunner(AppModel &model, const Clock &clock);

    void evaluate(const QList<TriggerRule> &rules, const TriggerContext &context) override;

    [[nodiscard]] const TriggerRuntime &runtime() const { return m_runtime; }

private:
    QPointer<AppModel> m_model;
    const Clock &m_clock;
    TriggerRuntime m_runtime;
};

} // namespace zorv
