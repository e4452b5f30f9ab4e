#pragma once

#include <QString>

#include <optional>

namespace zorv {

// Qt's platform plugin aborts the process when the platform it picks has no display to reach. With
// no X11 or Wayland display in the environment and no platform chosen in QT_QPA_PLATFORM, this
// chooses the offscreen platform, where the simulated displays are still drawn and saved as
// pictures; it returns the one-line note to print. Call before the QGuiApplication is made.
[[nodiscard]] std::optional<QString> chooseOffscreenWithoutDisplay();

} // namespace zorv
