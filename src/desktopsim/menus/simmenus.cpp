#include "menus/simmenus.h"

#include "statusitembutton.h"

#include <QFontDatabase>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace zorv {

namespace {

constexpr double menuFontPixels = 14.0;
// A standard row: the symbol column, the title, a gap, the key equivalent, the trailing inset.
constexpr double leadingColumn = 37.5;
constexpr double keyGap = 24.0;
constexpr double trailingInset = 21.0;
constexpr double submenuArrow = 18.0;

QFont menuFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(int(menuFontPixels));
    return font;
}

QString keyEquivalentText(const MenuItem &item) {
    QString text;
    const quint64 mask = item.keyEquivalentModifiers;
    if (mask & EventFlags::control) {
        text += QStringLiteral("⌃");
    }
    if (mask & EventFlags::option) {
        text += QStringLiteral("⌥");
    }
    if (mask & EventFlags::shift) {
        text += QStringLiteral("⇧");
    }
    if (mask & EventFlags::command) {
        text += QStringLiteral("⌘");
    }
    return text + item.keyEquivalent.toUpper();
}

} // namespace

SimMenus::SimMenus(DesktopModel &model, SimApplication &application)
    : m_model(model), m_application(application) {}

double SimMenus::heightOf(const MenuItem &item) {
    if (item.isSeparator()) {
        return separatorHeight;
    }
    if (item.view) {
        return item.view->height;
    }
    return item.subtitle.isEmpty() ? rowHeight : subtitledRowHeight;
}

double SimMenus::naturalWidth(const Menu &menu) const {
    const QFontMetricsF metrics(menuFont());
    double widest = 0.0;
    for (const MenuItem &item : menu.items) {
        if (item.isSeparator() || item.view) {
            continue;
        }
        double width = leadingColumn +
                       std::max(metrics.horizontalAdvance(item.title),
                                metrics.horizontalAdvance(item.subtitle)) +
                       trailingInset;
        if (!item.keyEquivalent.isEmpty()) {
            width += keyGap + metrics.horizontalAdvance(keyEquivalentText(item));
        }
        if (item.submenu) {
            width += submenuArrow;
        }
        widest = std::max(widest, width);
    }
    return std::ceil(widest);
}

void SimMenus::popUp(std::shared_ptr<const Menu> menu, StatusItemButton &button, QPointF location) {
    if (m_menu) {
        cancelTracking();
    }
    const auto window = button.window();
    if (!menu || !window) {
        return;
    }
    double width = naturalWidth(*menu);
    double height = 2 * verticalPadding;
    for (const MenuItem &item : menu->items) {
        if (item.view) {
            width =
                std::max(width, item.view->properties.value(QStringLiteral("width")).toDouble());
        }
        // An alternate takes its row's place.
        if (!item.alternate) {
            height += heightOf(item);
        }
    }
    const double primaryTop =
        m_model.read([](const DesktopState &state) { return state.primaryTop(); });
    // The button's top-left corner in the top-left convention.
    const QPointF buttonTopLeft(window->frame.x(),
                                primaryTop - (window->frame.y() + window->frame.height()));
    QRectF frame(buttonTopLeft + location, QSizeF(width, height));
    if (window->screen) {
        // Kept on the button's screen: a menu that would cross its right edge moves left.
        const double screenRight = window->screen->frame.right();
        if (frame.right() > screenRight) {
            frame.moveRight(screenRight);
        }
        frame.moveLeft(std::max(frame.left(), window->screen->frame.left()));
    }
    m_menu = std::move(menu);
    m_frame = frame;
    m_highlighted = -1;
    Q_EMIT menuOpened();
    Q_EMIT changed();
}

void SimMenus::cancelTracking() {
    if (!m_menu) {
        return;
    }
    m_menu.reset();
    m_highlighted = -1;
    Q_EMIT changed();
    Q_EMIT menuClosed();
}

QList<int> SimMenus::shownRows() const {
    QList<int> rows;
    if (!m_menu) {
        return rows;
    }
    const QList<MenuItem> &items = m_menu->items;
    for (int index = 0; index < items.size(); ++index) {
        const bool isAlternate = items[index].alternate && index > 0;
        const bool hasAlternate = index + 1 < items.size() && items[index + 1].alternate;
        if (isAlternate ? m_optionHeld : !(hasAlternate && m_optionHeld)) {
            rows.append(index);
        }
    }
    return rows;
}

std::shared_ptr<const Menu> SimMenus::openSubmenu() const {
    if (!m_menu || m_highlighted < 0 || m_highlighted >= m_menu->items.size()) {
        return nullptr;
    }
    return m_menu->items[m_highlighted].submenu;
}

int SimMenus::shownRowTitled(const Menu &menu, const QList<int> &rows, const QString &title) const {
    for (int row : rows) {
        const MenuItem &item = menu.items[row];
        if (!item.isSeparator() && item.title == title) {
            return row;
        }
    }
    return -1;
}

void SimMenus::userHoldsOption(bool held) {
    if (held == m_optionHeld) {
        return;
    }
    m_optionHeld = held;
    // The highlight follows a row to its alternate and back.
    if (m_menu && m_highlighted >= 0) {
        const QList<MenuItem> &items = m_menu->items;
        if (held && m_highlighted + 1 < items.size() && items[m_highlighted + 1].alternate) {
            ++m_highlighted;
        } else if (!held && items[m_highlighted].alternate && m_highlighted > 0) {
            --m_highlighted;
        }
    }
    Q_EMIT changed();
}

void SimMenus::userHoversRow(int row) {
    if (!m_menu || !shownRows().contains(row) || m_menu->items[row].isSeparator()) {
        row = -1;
    }
    if (row != m_highlighted) {
        m_highlighted = row;
        Q_EMIT changed();
    }
}

bool SimMenus::userHovers(const QString &title) {
    if (!m_menu) {
        return false;
    }
    const int row = shownRowTitled(*m_menu, shownRows(), title);
    if (row < 0) {
        return false;
    }
    userHoversRow(row);
    return true;
}

bool SimMenus::userChooses(const QString &title) {
    if (!m_menu) {
        return false;
    }
    if (const auto submenu = openSubmenu()) {
        QList<int> all;
        for (int index = 0; index < submenu->items.size(); ++index) {
            all.append(index);
        }
        const int row = shownRowTitled(*submenu, all, title);
        if (row >= 0) {
            userChoosesInSubmenu(row);
            return true;
        }
    }
    const int row = shownRowTitled(*m_menu, shownRows(), title);
    if (row < 0) {
        return false;
    }
    userChoosesRow(row);
    return true;
}

void SimMenus::userChoosesRow(int row) {
    if (!m_menu || !shownRows().contains(row)) {
        return;
    }
    userHoversRow(row);
    // Kept alive: closing the menu releases it.
    const std::shared_ptr<const Menu> menu = m_menu;
    const MenuItem &item = menu->items[row];
    if (item.isSeparator() || !item.enabled || item.submenu) {
        return;
    }
    if (item.view && m_viewHandler && m_viewHandler(row)) {
        return;
    }
    release(item);
}

void SimMenus::userChoosesInSubmenu(int row) {
    const auto submenu = openSubmenu();
    if (!submenu || row < 0 || row >= submenu->items.size()) {
        return;
    }
    const MenuItem &item = submenu->items[row];
    if (item.isSeparator() || !item.enabled) {
        return;
    }
    release(item);
}

void SimMenus::release(const MenuItem &chosen) {
    // The row outlives the menu it belonged to while its action runs.
    const MenuItem item = chosen;
    cancelTracking();
    runRow(item);
}

void SimMenus::runRow(const MenuItem &item) {
    const quint64 flags = m_optionHeld ? EventFlags::option : EventFlags::none;
    m_model.handleEvent(AppEvent{EventType::LeftMouseUp, flags},
                        [&] { m_application.perform(item); });
}

} // namespace zorv
