#include "desktopshell.h"

#include "gestures/pointerrevealgestures.h"
#include "overlay/menubaroverlay.h"
#include "secondarybar/secondarybar.h"
#include "systemlog.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Watches nothing, so the rules always see the context they started with.
class InertTriggerMonitors final : public TriggerMonitors {
public:
    void setOnTick(TickHandler) override {}
    void start() override {}
};

// Runs no rule: without monitors there is no context to react to.
class InertAutomationRunner final : public AutomationRunner {
public:
    void evaluate(const QList<TriggerRule> &, const TriggerContext &) override {}
};

} // namespace

DesktopShell::DesktopShell(SystemLog &log, const PanelServices &panels, DesktopPictures &pictures)
    : m_log(log), m_sampler(panels.screens, pictures, panels.clock), m_panels(panels) {
    m_panels.sampledBarColor = [this] { return m_sampler.sampled(); };
}

void DesktopShell::post(const QString &text) {
    const QString body = text.trimmed();
    if (!body.isEmpty()) {
        m_log.write(u"Zorv: "_s + body);
    }
}

AppModelShell DesktopShell::shell() {
    return AppModelShell{
        [this](AppModel &model) {
            return std::make_unique<PointerRevealGestures>(model, m_panels.monitors,
                                                           m_panels.screens, m_panels.clock);
        },
        [this] { return std::make_unique<MenuBarOverlay>(m_panels); },
        [this](AppModel &model) { return std::make_unique<SecondaryBar>(model, m_panels); },
        [](TriggerMonitors::ChangeHandler) { return std::make_unique<InertTriggerMonitors>(); },
        [](AppModel &) { return std::make_unique<InertAutomationRunner>(); },
        *this,
    };
}

} // namespace zorv
