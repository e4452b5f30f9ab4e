#pragma once

#include "menus/simmenus.h"
#include "model/desktopmodel.h"
#include "windowlist.h"

namespace zorv {

// The simulated window server's list of on-screen windows: every status item's window drawn on
// the active screen's bar (window number = item id, as the screen-capture service numbers it),
// another application's open item menu, and this application's open pop-up menu with its open
// submenu, at the pop-up menu layer. The list is read on the main thread, where this
// application's menus live.
class SimWindowList final : public WindowList {
public:
    // Window numbers of this application's menu and submenu, clear of item ids and of other
    // applications' menus.
    static constexpr quint32 ownMenuWindowId = 0x70000000;
    static constexpr quint32 ownSubmenuWindowId = ownMenuWindowId + 1;

    SimWindowList(DesktopModel &model, const SimMenus &menus);

    [[nodiscard]] QList<OnScreenWindow> onScreenWindows() const override;

private:
    DesktopModel &m_model;
    const SimMenus &m_menus;
};

} // namespace zorv
