#pragma once

#include "script/baritems.h"
#include "statusbar.h"

namespace zorv {

// The system status bar of the simulated desktop: this process's items are ordinary items of its
// own application (ApplicationRegistry::launchCurrentProcess), laid out with everyone else's.
class SimStatusBar final : public StatusBar {
public:
    SimStatusBar(DesktopModel &model, BarItems &items);

    // An item of an application that is not running (this process quit in the simulation) is
    // never shown.
    [[nodiscard]] std::unique_ptr<StatusItem> createStatusItem(double length) override;
    [[nodiscard]] double thickness() const override;

private:
    DesktopModel &m_model;
    BarItems &m_items;
};

} // namespace zorv
