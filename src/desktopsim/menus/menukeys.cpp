#include "menus/menukeys.h"

#include "input/keylayout.h"

namespace zorv {

namespace {

// The row of the menu or its submenus whose key equivalent the key press types.
const MenuItem *findEquivalent(const Menu &menu, QChar typed, QChar plain, quint64 modifiers) {
    for (const MenuItem &item : menu.items) {
        if (item.submenu) {
            if (const MenuItem *found = findEquivalent(*item.submenu, typed, plain, modifiers)) {
                return found;
            }
            continue;
        }
        if (item.isSeparator() || !item.enabled || item.keyEquivalent.size() != 1) {
            continue;
        }
        const QChar key = item.keyEquivalent.front();
        // A key equivalent typed with Shift ("?") counts Shift as part of the character.
        const bool shiftTyped = key == typed && typed != plain;
        const quint64 wanted =
            item.keyEquivalentModifiers | (shiftTyped ? EventFlags::shift : EventFlags::none);
        if ((key == typed || key == plain) && wanted == modifiers) {
            return &item;
        }
    }
    return nullptr;
}

} // namespace

MenuKeys::Move MenuKeys::moveOf(quint16 keyCode) {
    switch (keyCode) {
    case KeyCode::upArrow:
        return Move::Up;
    case KeyCode::downArrow:
        return Move::Down;
    case KeyCode::leftArrow:
        return Move::Left;
    case KeyCode::rightArrow:
        return Move::Right;
    case KeyCode::returnKey:
    case KeyCode::enter:
    case KeyCode::space:
        return Move::Choose;
    case KeyCode::escape:
        return Move::Close;
    default:
        return Move::None;
    }
}

bool MenuKeys::isSelectable(const MenuItem &item) {
    return !item.isSeparator() && item.enabled && (item.hasAction() || item.submenu || item.view);
}

int MenuKeys::step(const Menu &menu, const QList<int> &shown, int from, int direction) {
    const qsizetype count = shown.size();
    if (count == 0 || direction == 0) {
        return -1;
    }
    const qsizetype at = shown.indexOf(from);
    // From none, the first step lands on the first row going down and the last going up.
    qsizetype position = at >= 0 ? at : (direction > 0 ? count - 1 : 0);
    for (qsizetype tried = 0; tried < count; ++tried) {
        position = (position + (direction > 0 ? 1 : count - 1)) % count;
        const int row = shown[position];
        if (row >= 0 && row < menu.items.size() && isSelectable(menu.items[row])) {
            return row;
        }
    }
    return -1;
}

const MenuItem *MenuKeys::equivalent(const Menu &menu, quint16 keyCode, quint64 flags) {
    const quint64 modifiers = flags & (EventFlags::shift | EventFlags::control |
                                       EventFlags::option | EventFlags::command);
    const auto plain = KeyLayout::character(keyCode);
    const auto typed = KeyLayout::character(keyCode, modifiers & EventFlags::shift);
    if (!plain || !typed || !(modifiers & EventFlags::command)) {
        return nullptr;
    }
    return findEquivalent(menu, *typed, *plain, modifiers);
}

} // namespace zorv
