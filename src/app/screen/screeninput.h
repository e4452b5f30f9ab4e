#pragma once

#include "controls/mackeys.h"
#include "inputevent.h"

#include <QtGlobal>
#include <qnamespace.h>

#include <optional>

class QKeyEvent;

namespace zorv {

// What the person's mouse and keyboard mean to the simulated Mac: Qt's buttons as its buttons,
// Qt's modifiers as its modifier flags as a Mac's Qt has them (the Control key is Command, the
// Meta key Control), and keys by their mac virtual key codes (MacKeys, which also gives the
// modifier keys pressed alone their codes here, so holding Option is seen).
class ScreenInput {
public:
    // Nothing for buttons the simulated mouse does not have.
    [[nodiscard]] static std::optional<MouseButton> button(Qt::MouseButton button);
    [[nodiscard]] static quint64 flags(Qt::KeyboardModifiers modifiers);
    // The key and the modifier flags that hold after it (a modifier key's own flag is on while
    // it is down); nothing for a key without a mac code.
    [[nodiscard]] static std::optional<MacKeyPress> key(const QKeyEvent &event);
};

} // namespace zorv
