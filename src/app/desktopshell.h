#pragma once

#include "appmodelshell.h"
#include "items/menubarcolorsampler.h"
#include "windows/panelservices.h"

namespace zorv {

class DesktopPictures;
class SystemLog;

// The application shell's side of the app model: the reveal gestures, the menu-bar overlay and
// the secondary bar are the panels' own, over the simulated Mac's monitors, screens and windows.
// The rule monitors and the automation runner belong to a front end that does not exist yet, so
// those two are inert: they watch and run nothing. Notifications go to the system log. Must
// outlive the model.
class DesktopShell final : public Notifier {
public:
    // Everything given must outlive the shell.
    DesktopShell(SystemLog &log, const PanelServices &panels, DesktopPictures &pictures);

    // The services the panels are made with, the sampled bar colour included.
    [[nodiscard]] const PanelServices &panels() const { return m_panels; }

    // Writes "Zorv: <text>" to the system log; nothing for an empty text.
    void post(const QString &text) override;

    // Factories for the model's controllers; this object is their notifier.
    [[nodiscard]] AppModelShell shell();

private:
    SystemLog &m_log;
    MenuBarColorSampler m_sampler;
    PanelServices m_panels;
};

} // namespace zorv
