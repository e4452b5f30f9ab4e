#include "input/itemmenu.h"

#include "layout/barview.h"

#include <algorithm>

namespace zorv {

namespace {

ClickedItem clickedItem(const DesktopState &state, quint64 itemId, qint32 ownerProcessId) {
    ClickedItem clicked;
    if (const AppRecord *owner = state.app(ownerProcessId)) {
        clicked.application = owner->localizedName;
        clicked.bundleId = owner->bundleIdentifier;
    }
    if (const ItemRecord *item = state.item(itemId)) {
        clicked.title = item->title;
        clicked.autosaveName = item->autosaveName;
    }
    return clicked;
}

} // namespace

std::optional<QRectF> ItemMenu::frame(const DesktopState &state, quint64 itemId,
                                      std::chrono::nanoseconds now) {
    const BarView view(state, now);
    const std::optional<BarItemView> window = view.window(itemId);
    const ScreenRecord *screen = window ? state.screen(window->displayId) : nullptr;
    if (!screen) {
        return std::nullopt;
    }
    const QRectF item = view.topLeft(window->frame);
    const QRectF bounds = view.topLeft(screen->frame);
    const double x = std::max(bounds.left(), std::min(item.left(), bounds.right() - width));
    const double y = std::max(bounds.top(), std::min(item.bottom(), bounds.bottom() - height));
    return QRectF(x, y, width, height);
}

std::optional<QPointF> ItemMenu::origin(const DesktopState &state, quint64 itemId,
                                        std::chrono::nanoseconds now) {
    const std::optional<QRectF> menu = frame(state, itemId, now);
    return menu ? std::optional(menu->topLeft()) : std::nullopt;
}

void ItemMenu::deliver(DesktopState &state, DeliveredClick click, std::chrono::nanoseconds now,
                       ModelEffects &effects) {
    click.item = clickedItem(state, click.itemId, click.ownerProcessId);
    state.recordClick(click);
    effects.clicks.append(click);
    if (click.ownerProcessId == state.currentProcessId) {
        return;
    }
    close(state, MenuClosing::AnotherMenuOpened, now);
    OpenItemMenu menu;
    menu.windowId = state.itemMenus.nextWindowId++;
    menu.itemId = click.itemId;
    menu.ownerProcessId = click.ownerProcessId;
    menu.item = click.item;
    const std::optional<BarItemView> window = BarView(state, now).window(click.itemId);
    menu.displayId = window ? window->displayId : click.displayId;
    menu.frame = QRectF(click.menuAt, QSizeF(width, height));
    menu.openedAt = now;
    menu.via = click.via;
    state.itemMenus.open = menu;
}

bool ItemMenu::takesPress(DesktopState &state, QPointF location, quint64 flags,
                          std::chrono::nanoseconds now) {
    ItemMenus &menus = state.itemMenus;
    if (!menus.open) {
        return false;
    }
    if (menus.open->frame.contains(location)) {
        menus.pressTaken = true;
        return true;
    }
    const quint64 openFor = menus.open->itemId;
    close(state, MenuClosing::PressedOutside, now);
    const auto hit = BarView(state, now).hit(location);
    const bool onAnotherItem = hit && hit->itemId != openFor && !(flags & EventFlags::command);
    menus.pressTaken = !onAnotherItem;
    return menus.pressTaken;
}

bool ItemMenu::takesRelease(DesktopState &state, QPointF location, std::chrono::nanoseconds now) {
    ItemMenus &menus = state.itemMenus;
    if (!std::exchange(menus.pressTaken, false)) {
        return false;
    }
    if (menus.open && menus.open->frame.contains(location)) {
        close(state, MenuClosing::RowChosen, now);
    }
    return true;
}

bool ItemMenu::takesKey(DesktopState &state, quint16 keyCode, std::chrono::nanoseconds now) {
    if (!state.itemMenus.open || keyCode != KeyCode::escape) {
        return false;
    }
    close(state, MenuClosing::Escape, now);
    return true;
}

void ItemMenu::ownerQuit(DesktopState &state, qint32 processId, std::chrono::nanoseconds now) {
    if (state.itemMenus.open && state.itemMenus.open->ownerProcessId == processId) {
        close(state, MenuClosing::OwnerQuit, now);
    }
}

void ItemMenu::displaysChanged(DesktopState &state, std::chrono::nanoseconds now) {
    if (state.itemMenus.open) {
        close(state,
              state.screen(state.itemMenus.open->displayId) ? MenuClosing::DisplaysRearranged
                                                            : MenuClosing::DisplayRemoved,
              now);
    }
}

void ItemMenu::close(DesktopState &state, MenuClosing why, std::chrono::nanoseconds now) {
    ItemMenus &menus = state.itemMenus;
    if (!menus.open) {
        return;
    }
    menus.closings.push_back({*menus.open, now, why});
    if (menus.closings.size() > ItemMenus::closingsKept) {
        menus.closings.pop_front();
    }
    menus.open.reset();
}

} // namespace zorv
