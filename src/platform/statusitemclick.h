#pragma once

#include "inputevent.h"

namespace zorv {

// A click on one of this application's status items, as its button receives it: which mouse
// button, and the modifier flags held when the button went down.
struct StatusItemClick {
    MouseButton button = MouseButton::Left;
    quint64 modifierFlags = EventFlags::none;

    friend bool operator==(const StatusItemClick &, const StatusItemClick &) = default;
};

} // namespace zorv
