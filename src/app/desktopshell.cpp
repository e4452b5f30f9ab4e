#include "desktopshell.h"

#include "automationfrontend.h"
#include "gestures/pointerrevealgestures.h"
#include "overlay/appearanceoverlay.h"
#include "secondarybar/secondarybar.h"

namespace zorv {

DesktopShell::DesktopShell(AutomationFrontEnd &automation, const PanelServices &panels,
                           DesktopPictures &pictures)
    : m_automation(automation), m_sampler(panels.screens, pictures, panels.clock),
      m_panels(panels) {
    m_panels.sampledBarColor = [this] { return m_sampler.sampled(); };
}

AppModelShell DesktopShell::shell() {
    return AppModelShell{
        [this](AppModel &model) {
            return std::make_unique<PointerRevealGestures>(model, m_panels.monitors,
                                                           m_panels.screens, m_panels.clock);
        },
        [this] { return std::make_unique<AppearanceOverlay>(m_panels); },
        [this](AppModel &model) { return std::make_unique<SecondaryBar>(model, m_panels); },
        [this](TriggerMonitors::ChangeHandler onChange) {
            return m_automation.makeTriggerMonitors(std::move(onChange));
        },
        [this](AppModel &model) { return m_automation.makeAutomationRunner(model); },
        m_automation.notifier(),
    };
}

} // namespace zorv
