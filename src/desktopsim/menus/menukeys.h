#pragma once

#include "menu.h"

#include <QList>

namespace zorv {

// What the keyboard does in an open menu, as the system's menus take it: the arrows move the
// highlight over the rows that can be chosen (past separators and disabled rows, round from the
// last to the first), Return, Enter and Space choose, Escape closes, and a row's key equivalent
// chooses that row.
class MenuKeys {
public:
    enum class Move { None, Up, Down, Left, Right, Choose, Close };

    [[nodiscard]] static Move moveOf(quint16 keyCode);

    // A row the highlight stops on: enabled, not a separator, and one that does something (an
    // action, a submenu or a view of its own).
    [[nodiscard]] static bool isSelectable(const MenuItem &item);

    // The next row the highlight stops on among `shown` (indices into the menu's rows, top to
    // bottom) from `from` in `direction` (+1 down, -1 up), going round past either end; from
    // none (-1, or a row not shown) Down starts at the top and Up at the bottom. -1 when no row
    // can be highlighted.
    [[nodiscard]] static int step(const Menu &menu, const QList<int> &shown, int from,
                                  int direction);

    // The enabled row of the menu or its submenus whose key equivalent the key is, typed with
    // exactly the row's modifiers (Command among them); null for none.
    [[nodiscard]] static const MenuItem *equivalent(const Menu &menu, quint16 keyCode,
                                                    quint64 flags);
};

} // namespace zorv
