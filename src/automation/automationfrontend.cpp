#include "automationfrontend.h"

#include "contextmonitors.h"
#include "rulerunner.h"

namespace zorv {

AutomationFrontEnd::AutomationFrontEnd(Services services)
    : m_services(services), m_notifier(services.notifications, services.context.workspace),
      m_locationGate(services.location, services.context.workspace) {}

std::unique_ptr<TriggerMonitors>
AutomationFrontEnd::makeTriggerMonitors(TriggerMonitors::ChangeHandler onChange) const {
    return std::make_unique<ContextMonitors>(std::move(onChange), m_services.context,
                                             m_services.clock);
}

std::unique_ptr<AutomationRunner> AutomationFrontEnd::makeAutomationRunner(AppModel &model) const {
    return std::make_unique<RuleRunner>(model, m_services.clock);
}

} // namespace zorv
