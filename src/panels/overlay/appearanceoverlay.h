#pragma once

#include "overlayplan.h"
#include "shell/appearanceoverlaycontroller.h"
#include "windows/panelservices.h"
#include "windows/panelwindow.h"

#include <QList>

#include <memory>
#include <vector>

namespace zorv {

// Lays one click-through, never-key window over the menu bar of every screen and draws the
// appearance into it: the tint over the bar (its bottom corners rounded), a hairline along the
// bar's bottom edge and a shadow fading out below. The windows stand one level above the menu
// bar's, on every space. Each apply() builds them afresh for the screens as they are then. Main
// thread.
class AppearanceOverlay final : public AppearanceOverlayController {
public:
    // One above the menu bar's own level.
    static constexpr int level = WindowLevel::mainMenu + 1;
    static constexpr quint64 collectionBehavior = CollectionBehavior::canJoinAllSpaces |
                                                  CollectionBehavior::stationary |
                                                  CollectionBehavior::ignoresCycle;

    explicit AppearanceOverlay(const PanelServices &services);
    ~AppearanceOverlay() override;

    void apply(const Appearance &appearance) override;
    // Orders every overlay window out and lets it go.
    void tearDown();

    // The windows built by the last apply, in screen order, with what each draws.
    [[nodiscard]] int windowCount() const { return int(m_windows.size()); }
    [[nodiscard]] const PanelWindow &window(int index) const { return *m_windows.at(index); }
    [[nodiscard]] const QList<OverlayPlan> &plans() const { return m_plans; }

private:
    PanelServices m_services;
    std::vector<std::unique_ptr<PanelWindow>> m_windows;
    QList<OverlayPlan> m_plans;
};

} // namespace zorv
