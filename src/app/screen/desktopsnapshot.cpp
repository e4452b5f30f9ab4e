#include "desktopsnapshot.h"

#include "layout/coordinates.h"
#include "simulateddesktop.h"

using namespace Qt::StringLiterals;

namespace zorv {

DesktopSnapshot DesktopSnapshot::take(SimulatedDesktop &desktop) {
    DesktopModel &model = desktop.model();
    const auto now = model.clock().now();
    std::optional<OpenItemMenu> itemMenu;
    DesktopSnapshot snapshot = model.read([&](const DesktopState &state) {
        itemMenu = state.itemMenus.open;
        DesktopSnapshot taken;
        const ScreenRecord *active = state.activeScreen();
        for (const ScreenRecord &screen : state.screens) {
            taken.screens.append({screen,
                                  Coordinates::flipped(screen.frame, state.primaryTop()),
                                  DisplayScene::of(state, screen, now),
                                  {},
                                  {},
                                  active && active->displayId == screen.displayId});
        }
        if (state.frontmostProcessId) {
            if (const AppRecord *app = state.app(*state.frontmostProcessId)) {
                // An application without a name is still in front.
                taken.frontmostApplication = app->localizedName.value_or(
                    app->bundleIdentifier.value_or(u"pid %1"_s.arg(app->processId)));
                taken.frontmostMenus = app->menuTitles;
            }
        }
        return taken;
    });
    snapshot.dark = SystemAppearance::isDark(desktop.appearance().effectiveAppearanceName());
    if (const auto &open = desktop.menus().barTitle()) {
        snapshot.openMenuTitle = std::pair{open->displayId, open->index};
    }
    for (ScreenSnapshot &screen : snapshot.screens) {
        const DisplayId displayId = screen.screen.displayId;
        std::optional<int> openMenu;
        if (snapshot.openMenuTitle && snapshot.openMenuTitle->first == displayId) {
            openMenu = snapshot.openMenuTitle->second;
        }
        screen.entries = desktop.readout().bar(displayId);
        screen.look = MacScreenScene::of(
            screen.scene, desktop.desktopPictures().desktopImagePath(displayId), snapshot.dark,
            snapshot.frontmostApplication.value_or(QString()), snapshot.frontmostMenus, openMenu);
        if (itemMenu && itemMenu->displayId == displayId) {
            screen.look.selectedItem = itemMenu->itemId;
        }
    }
    return snapshot;
}

} // namespace zorv
