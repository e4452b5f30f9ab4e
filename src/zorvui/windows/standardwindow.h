#pragma once

#include <QSizeF>

#include <optional>

namespace zorv {

class AppWindow;

// The one way the application's own windows (settings, welcome, the offer to move into
// Applications) are brought forward. A window already on screen is only made key and put in
// front, keeping its size, zoom and place. Any other window leaves full screen first (and is
// shown once it has), is un-zoomed, given `size` as its content size when one is passed,
// centred, brought back from the Dock, made key and put in front; on the next turn of the event
// loop the un-zoom, size and centring are applied once more, after the system's own adjustments.
// Does not activate the application. Main thread.
class StandardWindow {
public:
    static void present(AppWindow &window, std::optional<QSizeF> size);

private:
    static void show(AppWindow &window, std::optional<QSizeF> size);
    static void arrange(AppWindow &window, std::optional<QSizeF> size);
};

} // namespace zorv
