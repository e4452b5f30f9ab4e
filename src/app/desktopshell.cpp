#include "desktopshell.h"

#include "automationfrontend.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// No hover or scroll monitors: the desktop window offers neither gesture yet.
class InertRevealGestures final : public RevealGestures {
public:
    void update(bool, bool) override {}
};

// Draws no tint, border or shadow: there are no overlay windows over the simulated bar yet.
class InertAppearanceOverlay final : public AppearanceOverlayController {
public:
    void apply(const Appearance &) override {}
};

// Has no panel and no dismiss monitors; keeps whether the model showed it, so the model's
// toggles and refreshes see the state they set.
class PanelFreeSecondaryBar final : public SecondaryBarController {
public:
    [[nodiscard]] bool isVisible() const override { return m_visible; }
    [[nodiscard]] bool includesAlwaysHidden() const override { return m_includesAlwaysHidden; }
    void show(const QList<MenuBarItem> &, const std::optional<QRectF> &,
              bool includeAlwaysHidden) override {
        m_visible = true;
        m_includesAlwaysHidden = includeAlwaysHidden;
    }
    void orderOut() override { m_visible = false; }
    void removeDismissMonitors() override {}
    void writeState(const QList<MenuBarItem> &) override {}

private:
    bool m_visible = false;
    bool m_includesAlwaysHidden = false;
};

} // namespace

AppModelShell DesktopShell::shell() {
    return AppModelShell{
        [](AppModel &) { return std::make_unique<InertRevealGestures>(); },
        [] { return std::make_unique<InertAppearanceOverlay>(); },
        [](AppModel &) { return std::make_unique<PanelFreeSecondaryBar>(); },
        [this](TriggerMonitors::ChangeHandler onChange) {
            return m_automation.makeTriggerMonitors(std::move(onChange));
        },
        [this](AppModel &model) { return m_automation.makeAutomationRunner(model); },
        m_automation.notifier(),
    };
}

} // namespace zorv
