#include "menus/simmenus.h"

#include "menus/menukeys.h"

namespace zorv {

std::optional<BarMenuTitle> SimMenus::barTitleAt(QPointF location) const {
    if (!m_application.mainMenu()) {
        return std::nullopt;
    }
    const auto now = m_model.clock().now();
    return m_model.read(
        [&](const DesktopState &state) { return BarMenuTitles::at(state, now, location); });
}

void SimMenus::openBarMenu(const BarMenuTitle &title, bool highlightFirst) {
    const std::shared_ptr<const Menu> main = m_application.mainMenu();
    if (!main) {
        return;
    }
    // The bar's titles are the main menu's rows other than separators.
    std::shared_ptr<const Menu> menu;
    int index = 0;
    for (const MenuItem &item : main->items) {
        if (item.isSeparator()) {
            continue;
        }
        if (index++ == title.index) {
            menu = item.submenu;
            break;
        }
    }
    if (!menu) {
        return;
    }
    if (m_menu) {
        cancelTracking();
    }
    open(menu, title.frame.bottomLeft(), title.visibleFrame, title);
    if (highlightFirst) {
        userHoversRow(MenuKeys::step(*m_menu, shownRows(), -1, 1));
    }
}

void SimMenus::stepBarMenu(int direction) {
    if (!m_barTitle) {
        return;
    }
    const auto now = m_model.clock().now();
    const DisplayId displayId = m_barTitle->displayId;
    const QList<BarMenuTitle> titles = m_model.read(
        [&](const DesktopState &state) { return BarMenuTitles::on(state, now, displayId); });
    const qsizetype count = titles.size();
    if (count == 0) {
        return;
    }
    const qsizetype next = ((m_barTitle->index + direction) % count + count) % count;
    openBarMenu(titles[next], true);
}

bool SimMenus::barTitleEvent(EventType type, QPointF cursor) {
    const auto title = barTitleAt(cursor);
    if (!title) {
        return false;
    }
    switch (type) {
    case EventType::LeftMouseDown:
        if (m_barTitle && m_barTitle->index == title->index) {
            cancelTracking();
        } else {
            openBarMenu(*title, false);
        }
        return true;
    case EventType::MouseMoved:
    case EventType::LeftMouseDragged:
        // Sliding along the bar goes from menu to menu, once one of them is open.
        if (!m_barTitle) {
            return false;
        }
        if (m_barTitle->index != title->index) {
            openBarMenu(*title, false);
        }
        return true;
    default:
        return false;
    }
}

} // namespace zorv
