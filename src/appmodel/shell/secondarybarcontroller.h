#pragma once

#include "menubaritem.h"

#include <QList>
#include <QRectF>

#include <optional>

namespace zorv {

// The panel under the application's icon that shows the hidden items in a bar of their own. The
// model makes it on first use and decides when it is shown and hidden.
class SecondaryBarController {
public:
    virtual ~SecondaryBarController() = default;

    [[nodiscard]] virtual bool isVisible() const = 0;
    // Whether the bar shown (or last shown) holds the always-hidden section too.
    [[nodiscard]] virtual bool includesAlwaysHidden() const = 0;

    // Lays the items out in the panel under `iconFrame` and shows it, installs the monitors that
    // dismiss it and writes its state file; does nothing once its model is gone.
    virtual void show(const QList<MenuBarItem> &items, const std::optional<QRectF> &iconFrame,
                      bool includeAlwaysHidden) = 0;
    // Orders the panel out, if there is one, and marks the bar not visible.
    virtual void orderOut() = 0;
    virtual void removeDismissMonitors() = 0;
    // Writes "secondary-bar.json": whether the always-hidden section is included, and the items.
    virtual void writeState(const QList<MenuBarItem> &items) = 0;
};

} // namespace zorv
