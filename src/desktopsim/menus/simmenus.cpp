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
    const double primaryTop =
        m_model.read([](const DesktopState &state) { return state.primaryTop(); });
    // The button's top-left corner in the top-left convention.
    const QPointF buttonTopLeft(window->frame.x(),
                                primaryTop - (window->frame.y() + window->frame.height()));
    QRectF visible;
    if (window->screen) {
        const QRectF &frame = window->screen->visibleFrame;
        visible = QRectF(frame.x(), primaryTop - (frame.y() + frame.height()), frame.width(),
                         frame.height());
    }
    open(std::move(menu), buttonTopLeft + location, visible);
}

QRectF SimMenus::keptOn(QRectF frame, const QRectF &area) {
    if (area.isEmpty()) {
        return frame;
    }
    // As wide as the screen at most; the rows' titles are shortened to fit.
    frame.setWidth(std::min(frame.width(), area.width()));
    if (frame.right() > area.right()) {
        frame.moveRight(area.right());
    }
    if (frame.left() < area.left()) {
        frame.moveLeft(area.left());
    }
    // Up from the bottom edge, but never above the top: a longer menu runs off the bottom.
    if (frame.bottom() > area.bottom()) {
        frame.moveBottom(area.bottom());
    }
    if (frame.top() < area.top()) {
        frame.moveTop(area.top());
    }
    return frame;
}

void SimMenus::open(std::shared_ptr<const Menu> menu, QPointF topLeft, const QRectF &visible,
                    std::optional<BarMenuTitle> barTitle) {
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
    const bool optionKeyDown = m_model.read([](const DesktopState &state) {
        const QSet<quint16> &keys = state.input.keysDown;
        return keys.contains(KeyCode::option) || keys.contains(KeyCode::rightOption);
    });
    m_visible = visible;
    m_menu = std::move(menu);
    m_barTitle = std::move(barTitle);
    m_frame = keptOn(QRectF(topLeft, QSizeF(width, height)), m_visible);
    m_highlighted = -1;
    m_submenuHighlighted = -1;
    // The alternates follow the keyboard as it is when the menu opens.
    m_optionHeld = optionKeyDown;
    setMenuOpen(true);
    Q_EMIT menuOpened();
    Q_EMIT changed();
}

void SimMenus::cancelTracking() {
    if (!m_menu) {
        return;
    }
    m_menu.reset();
    m_barTitle.reset();
    m_highlighted = -1;
    m_submenuHighlighted = -1;
    setMenuOpen(false);
    Q_EMIT changed();
    Q_EMIT menuClosed();
}

void SimMenus::setMenuOpen(bool open) {
    m_model.write([open](DesktopState &state, ModelEffects &) { state.input.menuOpen = open; });
}

QList<int> SimMenus::shownRowsOf(const Menu &menu, bool optionHeld) {
    QList<int> rows;
    const QList<MenuItem> &items = menu.items;
    for (int index = 0; index < items.size(); ++index) {
        const bool isAlternate = items[index].alternate && index > 0;
        const bool hasAlternate = index + 1 < items.size() && items[index + 1].alternate;
        if (isAlternate ? optionHeld : !(hasAlternate && optionHeld)) {
            rows.append(index);
        }
    }
    return rows;
}

QList<int> SimMenus::shownRows() const {
    return m_menu ? shownRowsOf(*m_menu, m_optionHeld) : QList<int>{};
}

std::shared_ptr<const Menu> SimMenus::openSubmenu() const {
    if (!m_menu || m_highlighted < 0 || m_highlighted >= m_menu->items.size()) {
        return nullptr;
    }
    return m_menu->items[m_highlighted].submenu;
}

QList<int> SimMenus::submenuShownRows() const {
    const auto submenu = openSubmenu();
    return submenu ? shownRowsOf(*submenu, m_optionHeld) : QList<int>{};
}

double SimMenus::heightOf(const Menu &menu, const QList<int> &rows) {
    double height = 2 * verticalPadding;
    for (int row : rows) {
        height += heightOf(menu.items[row]);
    }
    return height;
}

QRectF SimMenus::submenuFrame() const {
    const auto submenu = openSubmenu();
    if (!submenu) {
        return {};
    }
    // Its first row level with the row it belongs to.
    double rowTop = m_frame.top() + verticalPadding;
    for (int row : shownRows()) {
        if (row == m_highlighted) {
            break;
        }
        rowTop += heightOf(m_menu->items[row]);
    }
    const QSizeF size(naturalWidth(*submenu), heightOf(*submenu, submenuShownRows()));
    QRectF frame(QPointF(m_frame.right() - submenuOverlap, rowTop - verticalPadding), size);
    // On the left when there is no room on the right; with room on neither side it keeps to the
    // screen, over the menu.
    if (!m_visible.isEmpty() && frame.right() > m_visible.right()) {
        frame.moveRight(m_frame.left() + submenuOverlap);
    }
    return keptOn(frame, m_visible);
}

std::optional<SimMenus::RowHit> SimMenus::hit(QPointF location) const {
    const auto rowAt = [&](const Menu &menu, const QList<int> &rows, const QRectF &frame) {
        double top = frame.top() + verticalPadding;
        for (int row : rows) {
            const double height = heightOf(menu.items[row]);
            if (location.y() >= top && location.y() < top + height) {
                return row;
            }
            top += height;
        }
        return -1;
    };
    if (!m_menu) {
        return std::nullopt;
    }
    const auto submenu = openSubmenu();
    if (const QRectF frame = submenuFrame(); submenu && frame.contains(location)) {
        return RowHit{true, rowAt(*submenu, submenuShownRows(), frame)};
    }
    if (m_frame.contains(location)) {
        return RowHit{false, rowAt(*m_menu, shownRows(), m_frame)};
    }
    return std::nullopt;
}

bool SimMenus::userEvent(EventType type, QPointF cursor, quint16 keyCode, quint64 flags) {
    if (!m_menu) {
        return type == EventType::LeftMouseDown && barTitleEvent(type, cursor);
    }
    switch (type) {
    case EventType::KeyDown:
    case EventType::KeyUp:
    case EventType::FlagsChanged:
        // The menu has the keyboard.
        userHoldsOption((flags & EventFlags::option) != 0);
        if (type == EventType::KeyDown) {
            keyDown(keyCode, flags);
        }
        return true;
    case EventType::MouseMoved:
    case EventType::LeftMouseDragged:
    case EventType::RightMouseDragged:
    case EventType::OtherMouseDragged:
        if (barTitleEvent(type, cursor)) {
            return true;
        }
        pointerMoved(cursor);
        return hit(cursor).has_value();
    case EventType::LeftMouseDown:
    case EventType::RightMouseDown:
    case EventType::OtherMouseDown:
        if (!barTitleEvent(type, cursor) && !hit(cursor)) {
            cancelTracking();
        }
        return true;
    case EventType::LeftMouseUp:
    case EventType::RightMouseUp:
    case EventType::OtherMouseUp:
        // The release of the press that opened a title's menu leaves it open.
        if (m_barTitle && barTitleAt(cursor)) {
            return true;
        }
        if (!hit(cursor)) {
            return false;
        }
        pointerReleased(cursor);
        return true;
    case EventType::ScrollWheel:
        return hit(cursor).has_value();
    }
    return false;
}

void SimMenus::pointerMoved(QPointF location) {
    const auto under = hit(location);
    if (under && under->inSubmenu) {
        userHoversInSubmenu(under->row);
        return;
    }
    userHoversInSubmenu(-1);
    // Leaving the menu keeps a row whose submenu is open lit, as the way to that submenu.
    if (under || !openSubmenu()) {
        userHoversRow(under ? under->row : -1);
    }
}

void SimMenus::pointerReleased(QPointF location) {
    const auto under = hit(location);
    if (!under || under->row < 0) {
        return;
    }
    if (under->inSubmenu) {
        userChoosesInSubmenu(under->row);
    } else {
        userChoosesRow(under->row);
    }
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
        m_submenuHighlighted = -1;
        Q_EMIT changed();
    }
}

void SimMenus::userHoversInSubmenu(int row) {
    const auto submenu = openSubmenu();
    if (!submenu || !submenuShownRows().contains(row) || submenu->items[row].isSeparator()) {
        row = -1;
    }
    if (row != m_submenuHighlighted) {
        m_submenuHighlighted = row;
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
        const int row = shownRowTitled(*submenu, submenuShownRows(), title);
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
    release(item, mouseUp());
}

void SimMenus::userChoosesInSubmenu(int row) {
    const auto submenu = openSubmenu();
    if (!submenu || !submenuShownRows().contains(row)) {
        return;
    }
    userHoversInSubmenu(row);
    const MenuItem &item = submenu->items[row];
    if (item.isSeparator() || !item.enabled || item.submenu) {
        return;
    }
    release(item, mouseUp());
}

void SimMenus::release(const MenuItem &chosen, AppEvent event) {
    // The row outlives the menu it belonged to while its action runs.
    const MenuItem item = chosen;
    cancelTracking();
    runAs(item, event);
}

AppEvent SimMenus::mouseUp() const {
    return {EventType::LeftMouseUp, m_optionHeld ? EventFlags::option : EventFlags::none};
}

void SimMenus::runRow(const MenuItem &item) {
    runAs(item, mouseUp());
}

void SimMenus::runAs(const MenuItem &item, AppEvent event) {
    m_model.handleEvent(event, [&] { m_application.perform(item); });
}

} // namespace zorv
