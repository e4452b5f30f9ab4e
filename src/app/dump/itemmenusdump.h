#pragma once

#include "clock.h"

#include <QJsonArray>
#include <QJsonValue>

namespace zorv {

class SimulatedDesktop;

// Other applications' item menus, for the dump: the one open (null while none is) and the newest
// that closed, oldest first. Each names its owner (application, bundle identifier) and its item
// (title, autosave name) as they were when it opened, so even after the owner quit, and gives its
// frame (top-left convention), how it opened ("click", "press", "show menu") and when (seconds
// since `started`); a closing adds when it closed and why ("pressed outside", "Escape", "row
// chosen", "owner quit", "another menu opened", "display removed", "displays rearranged").
class ItemMenusDump {
public:
    [[nodiscard]] static QJsonValue open(SimulatedDesktop &desktop, Duration started);
    [[nodiscard]] static QJsonArray closings(SimulatedDesktop &desktop, Duration started);
};

} // namespace zorv
