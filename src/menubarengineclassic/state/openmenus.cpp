#include "openmenus.h"

#include "screens.h"
#include "workspace.h"

#include <algorithm>

namespace zorv {

OpenMenus::OpenMenus(const WindowList &windows, const Workspace &workspace, const Screens &screens)
    : m_windows(windows), m_workspace(workspace), m_screens(screens) {}

QList<OnScreenWindow> OpenMenus::menusOnScreen() const {
    const QList<Screen> screens = m_screens.screens();
    if (screens.isEmpty()) {
        return {};
    }
    // Screen frames are measured up from the primary screen's bottom edge, window frames down
    // from its top edge.
    const double primaryTop = screens.first().frame.bottom();
    const auto onAScreen = [&screens, primaryTop](const QRectF &window) {
        return std::any_of(screens.cbegin(), screens.cend(), [&](const Screen &screen) {
            const QRectF frame(screen.frame.left(), primaryTop - screen.frame.bottom(),
                               screen.frame.width(), screen.frame.height());
            return frame.intersects(window);
        });
    };
    const qint32 self = m_workspace.currentProcessId();
    QList<OnScreenWindow> menus;
    for (const OnScreenWindow &window : m_windows.onScreenWindows()) {
        if (window.layer == WindowList::popUpMenuLayer && window.owningProcessId != self &&
            onAScreen(window.frame)) {
            menus.append(window);
        }
    }
    return menus;
}

bool OpenMenus::anyOpen() const {
    return !menusOnScreen().isEmpty();
}

bool OpenMenus::openBy(qint32 processId) const {
    const QList<OnScreenWindow> menus = menusOnScreen();
    return std::any_of(menus.cbegin(), menus.cend(), [processId](const OnScreenWindow &menu) {
        return menu.owningProcessId == processId;
    });
}

} // namespace zorv
