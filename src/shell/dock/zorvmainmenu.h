#pragma once

#include "menu.h"

namespace zorv {

class ShellCommands;

// The main menu of the application while it is a regular one: "Zorv" (about, settings, services,
// hiding, quit), "Menu Bar" (reveal, search, sort, the tour), "Edit", "Window" (the system's
// windows menu) and "Help" (the system's help menu). Rows without a command of the shell go to the
// first responder.
class ZorvMainMenu {
public:
    [[nodiscard]] static Menu build(ShellCommands &target);
};

} // namespace zorv
