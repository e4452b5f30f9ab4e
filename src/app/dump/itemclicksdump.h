#pragma once

#include "clock.h"
#include "model/inputrecords.h"

#include <QJsonArray>

namespace zorv {

class SimulatedDesktop;

// The clicks and presses other applications' status items received, for the dump: oldest first,
// each with its item (application, bundle identifier, title, autosave name, as they were when it
// was clicked), the kind of click ("left", "right", "option"), how it came ("click", or through
// the item's accessibility element "press" and "show menu"), when (seconds since `started`) and
// where the item's menu opened (top-left convention).
class ItemClicksDump {
public:
    [[nodiscard]] static QJsonArray clicks(SimulatedDesktop &desktop, Duration started);
    // How an item was opened, as the dump names it.
    [[nodiscard]] static QString openingName(ItemOpening via);
};

} // namespace zorv
