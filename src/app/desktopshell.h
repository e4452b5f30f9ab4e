#pragma once

#include "appmodelshell.h"

namespace zorv {

class AutomationFrontEnd;

// The application shell's side of the app model as far as this desktop has one. The menu-bar
// look, the reveal gestures and the secondary bar's panel belong to a shell that does not exist
// yet, so the controllers made here are inert: they take what the model hands them and show
// nothing (the secondary bar only keeps whether the model asked for it to show). The rule
// monitors, the runner and the notifier are the automation front end's. Must outlive the model.
class DesktopShell final {
public:
    explicit DesktopShell(AutomationFrontEnd &automation) : m_automation(automation) {}

    // Factories for the model's controllers.
    [[nodiscard]] AppModelShell shell();

private:
    AutomationFrontEnd &m_automation;
};

} // namespace zorv
