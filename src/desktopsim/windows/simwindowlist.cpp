#include "windows/simwindowlist.h"

#include "layout/barview.h"

namespace zorv {

SimWindowList::SimWindowList(DesktopModel &model, const SimMenus &menus)
    : m_model(model), m_menus(menus) {}

QList<OnScreenWindow> SimWindowList::onScreenWindows() const {
    const auto now = m_model.clock().now();
    QList<OnScreenWindow> windows = m_model.read([now](const DesktopState &state) {
        const BarView view(state, now);
        QList<OnScreenWindow> listed;
        for (quint64 id : state.order) {
            const auto window = view.window(id);
            const ItemRecord *item = state.item(id);
            if (window && item && window->frame.width() > 0.0 && window->onScreen &&
                window->barShown) {
                listed.append({quint32(id), statusItemLayer, view.topLeft(window->frame),
                               item->ownerProcessId});
            }
        }
        if (const auto &menu = state.itemMenus.open) {
            listed.append({menu->windowId, popUpMenuLayer, menu->frame, menu->ownerProcessId});
        }
        return listed;
    });
    if (m_menus.isTracking()) {
        const qint32 self = m_model.read([](const DesktopState &state) {
            return state.currentProcessId;
        });
        windows.append({ownMenuWindowId, popUpMenuLayer, m_menus.frame(), self});
        if (m_menus.openSubmenu()) {
            windows.append({ownSubmenuWindowId, popUpMenuLayer, m_menus.submenuFrame(), self});
        }
    }
    return windows;
}

} // namespace zorv
