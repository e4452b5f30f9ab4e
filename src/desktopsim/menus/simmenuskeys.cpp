#include "menus/simmenus.h"

#include "menus/menukeys.h"

namespace zorv {

void SimMenus::keyDown(quint16 keyCode, quint64 flags) {
    // Kept alive: choosing a row closes the menu.
    const std::shared_ptr<const Menu> menu = m_menu;
    if (const MenuItem *item = MenuKeys::equivalent(*menu, keyCode, flags)) {
        release(*item, AppEvent{EventType::KeyDown, flags});
        return;
    }
    switch (MenuKeys::moveOf(keyCode)) {
    case MenuKeys::Move::Close:
        cancelTracking();
        return;
    case MenuKeys::Move::Down:
        moveHighlight(1);
        return;
    case MenuKeys::Move::Up:
        moveHighlight(-1);
        return;
    case MenuKeys::Move::Right:
        if (!enterSubmenu()) {
            stepBarMenu(1);
        }
        return;
    case MenuKeys::Move::Left:
        if (m_submenuHighlighted >= 0) {
            userHoversInSubmenu(-1);
        } else {
            stepBarMenu(-1);
        }
        return;
    case MenuKeys::Move::Choose:
        chooseHighlighted(flags);
        return;
    case MenuKeys::Move::None:
        return;
    }
}

void SimMenus::moveHighlight(int direction) {
    if (const auto submenu = openSubmenu(); submenu && m_submenuHighlighted >= 0) {
        userHoversInSubmenu(
            MenuKeys::step(*submenu, submenuShownRows(), m_submenuHighlighted, direction));
        return;
    }
    userHoversRow(MenuKeys::step(*m_menu, shownRows(), m_highlighted, direction));
}

bool SimMenus::enterSubmenu() {
    const auto submenu = openSubmenu();
    if (!submenu || m_submenuHighlighted >= 0 ||
        !MenuKeys::isSelectable(m_menu->items[m_highlighted])) {
        return false;
    }
    const int row = MenuKeys::step(*submenu, submenuShownRows(), -1, 1);
    if (row < 0) {
        return false;
    }
    userHoversInSubmenu(row);
    return true;
}

void SimMenus::chooseHighlighted(quint64 flags) {
    const AppEvent event{EventType::KeyDown, flags};
    const auto submenu = openSubmenu();
    if (submenu && m_submenuHighlighted >= 0) {
        const MenuItem &item = submenu->items[m_submenuHighlighted];
        if (MenuKeys::isSelectable(item) && !item.submenu) {
            release(item, event);
            return;
        }
    } else if (m_highlighted >= 0 && MenuKeys::isSelectable(m_menu->items[m_highlighted])) {
        const MenuItem &item = m_menu->items[m_highlighted];
        if (!item.submenu) {
            release(item, event);
            return;
        }
        // Return on a row with a submenu goes into it.
        if (enterSubmenu()) {
            return;
        }
    }
    // Nothing to choose: the menu closes.
    cancelTracking();
}

} // namespace zorv
