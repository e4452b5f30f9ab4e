#pragma once

#include <QString>

namespace zorv {

// What the header row of the status-item menu shows: the reveal shortcut's display text, drawn as
// key caps at the row's right edge.
struct MenuBarStatus {
    QString hotkey;

    friend bool operator==(const MenuBarStatus &, const MenuBarStatus &) = default;
};

} // namespace zorv
