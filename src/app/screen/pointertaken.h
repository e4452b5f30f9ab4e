#pragma once

class QPointerEvent;

namespace zorv {

// Whether something in a Qt Quick window took the pointer event just delivered to it: an item
// accepted it, or an item or a handler grabbed its point. Qt Quick leaves a press unaccepted
// when the item that grabs it lies in a Flickable, which watches presses to tell a flick from a
// click, and a handler that only watches the point grabs it passively.
[[nodiscard]] bool pointerTaken(const QPointerEvent &event);

} // namespace zorv
