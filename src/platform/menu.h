#pragma once

#include "inputevent.h"

#include <QList>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

namespace zorv {

struct Menu;

// The check mark a row shows before its title.
enum class MenuItemState { Off, On, Mixed };

// A view drawn in place of a row's standard look (NSMenuItem.view): a QML component made with
// these initial properties, `height` points high and as wide as the menu. The view handles the
// mouse itself: it asks the menu to close and runs the row's action (its root item's signals
// closeMenuRequested() and triggered(), when it has them).
struct MenuItemView {
    QUrl source;
    QVariantMap properties;
    double height = 24.0;
    // What screen readers announce for the row.
    QString accessibleLabel;

    friend bool operator==(const MenuItemView &, const MenuItemView &) = default;
};

// The system's own uses of some of a main menu's submenus.
enum class MenuRole { None, Services, Windows, Help };

// One row of a menu (NSMenuItem). Key equivalents are a lower-case character with a modifier
// mask of event flags (Command alone by default); an alternate row replaces the row before it
// while the user holds exactly its modifiers (Option), and is hidden otherwise.
struct MenuItem {
    enum class Kind { Row, Separator };

    Kind kind = Kind::Row;
    QString title;
    // A second, smaller line under the title; empty for none.
    QString subtitle;
    // A system symbol name drawn before the title; empty for none.
    QString symbol;
    QString keyEquivalent;
    quint64 keyEquivalentModifiers = EventFlags::command;
    bool alternate = false;
    MenuItemState state = MenuItemState::Off;
    bool enabled = true;
    // Runs when the row is chosen; a row without one (and without a responder action) only
    // closes the menu.
    std::function<void()> action;
    // An action sent to the first responder instead ("copy:", "hide:").
    QString responderAction;
    std::shared_ptr<Menu> submenu;
    std::optional<MenuItemView> view;
    QVariant representedObject;

    [[nodiscard]] static MenuItem separator() {
        MenuItem item;
        item.kind = Kind::Separator;
        return item;
    }
    [[nodiscard]] bool isSeparator() const { return kind == Kind::Separator; }
    [[nodiscard]] bool hasAction() const {
        return static_cast<bool>(action) || !responderAction.isEmpty();
    }
};

// A menu (NSMenu): a title (shown when it is a submenu of the main menu) and its rows. Menus
// are built whole and handed over; nothing changes them afterwards.
struct Menu {
    QString title;
    MenuRole role = MenuRole::None;
    QList<MenuItem> items;
};

} // namespace zorv
