#pragma once

#include "appmodelshell.h"
#include "items/menubarcolorsampler.h"
#include "windows/panelservices.h"

namespace zorv {

class AutomationFrontEnd;
class DesktopPictures;

// The application shell's side of the app model: the reveal gestures, the menu-bar overlay and
// the secondary bar are the panels' own, over the simulated Mac's monitors, screens and windows;
// the rule monitors, the runner and the notifier are the automation front end's. Everything given
// must outlive the shell, and the shell the model.
class DesktopShell final {
public:
    DesktopShell(AutomationFrontEnd &automation, const PanelServices &panels,
                 DesktopPictures &pictures);

    // Factories for the model's controllers.
    [[nodiscard]] AppModelShell shell();
    // The services the panels are made with, the sampled bar colour included.
    [[nodiscard]] const PanelServices &panels() const { return m_panels; }
    // The menu bar's colour for item pictures away from the bar.
    [[nodiscard]] MenuBarColorSampler &barColor() { return m_sampler; }

private:
    AutomationFrontEnd &m_automation;
    MenuBarColorSampler m_sampler;
    PanelServices m_panels;
};

} // namespace zorv
