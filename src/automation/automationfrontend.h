#pragma once

#include "contextsources.h"
#include "locationgate.h"
#include "ruleviewservices.h"
#include "shell/automationrunner.h"
#include "shell/triggermonitors.h"
#include "systemnotifier.h"

#include <memory>

namespace zorv {

class AppModel;
class ApplicationPanel;
class Clock;
class LocationAuthorization;
class Screens;
class UserNotifications;

// The automation front end of one Mac, as the composition hands it to the app model: the
// monitors and the runner it makes when the model starts, and the one notifier and Location gate
// the model and the rule views share. Must outlive the model. Main thread.
class AutomationFrontEnd {
public:
    struct Services {
        ContextSources context;
        UserNotifications &notifications;
        LocationAuthorization &location;
        Clock &clock;
        // Where the rule builder lets the user pick any application; null for none.
        ApplicationPanel *applications = nullptr;
        // The screens the rule builder sheet keeps to; null for none.
        Screens *screens = nullptr;
    };

    explicit AutomationFrontEnd(Services services);

    [[nodiscard]] std::unique_ptr<TriggerMonitors>
    makeTriggerMonitors(TriggerMonitors::ChangeHandler onChange) const;
    [[nodiscard]] std::unique_ptr<AutomationRunner> makeAutomationRunner(AppModel &model) const;

    [[nodiscard]] SystemNotifier &notifier() { return m_notifier; }
    [[nodiscard]] LocationGate &locationGate() { return m_locationGate; }
    // What the rule views read besides the model, without pictures.
    [[nodiscard]] RuleViewServices ruleViews() {
        RuleViewServices services{m_services.context.workspace, m_services.context.wifi,
                                  m_locationGate, m_notifier, m_services.applications};
        services.screens = m_services.screens;
        return services;
    }

private:
    Services m_services;
    SystemNotifier m_notifier;
    LocationGate m_locationGate;
};

} // namespace zorv
