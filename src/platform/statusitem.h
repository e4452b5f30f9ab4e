#pragma once

#include "statusitembutton.h"

#include <QString>

namespace zorv {

// One status item of this application in the system status bar (NSStatusItem). Destroying it
// removes the item from the bar. Main thread.
class StatusItem {
public:
    virtual ~StatusItem() = default;

    // The item's length in points, or one of the special lengths of StatusBar. A new length takes
    // effect on screen at the menu bar's next layout pass, not at once.
    [[nodiscard]] virtual double length() const = 0;
    virtual void setLength(double length) = 0;

    // The name under which the system remembers the item's position across launches. Setting it
    // moves the item to the position remembered under that name, if any.
    [[nodiscard]] virtual QString autosaveName() const = 0;
    virtual void setAutosaveName(const QString &name) = 0;

    // Null when the item has no button.
    [[nodiscard]] virtual StatusItemButton *button() = 0;
};

} // namespace zorv
