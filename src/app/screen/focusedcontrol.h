#pragma once

class QQuickItem;
class QQuickWindow;

namespace zorv {

// The control with the focus in the window, whether or not Qt has the window active: with a
// display, a click on the drawn menu bar makes the desktop window Qt's active one, and the key
// window gets Qt's activation back only with the display's answer. Null when no control in the
// window has the focus.
[[nodiscard]] QQuickItem *focusedControl(QQuickWindow &window);

} // namespace zorv
