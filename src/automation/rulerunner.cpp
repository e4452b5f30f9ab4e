#include "rulerunner.h"

#include "appmodel.h"
#include "clock.h"
#include "modelrules.h"
#include "triggers/triggerengine.h"

namespace zorv {

RuleRunner::RuleRunner(AppModel &model, const Clock &clock) : m_model(&model), m_clock(clock) {}

void RuleRunner::evaluate(const QList<TriggerRule> &rules, const TriggerContext &context) {
    if (!m_model) {
        return;
    }
    const TriggerStep step = TriggerEngine::step(rules, context, m_clock.wallNow(), m_runtime);
    m_runtime = step.runtime;
    m_model->rules().applyTriggerStep(step);
}

} // namespace zorv
