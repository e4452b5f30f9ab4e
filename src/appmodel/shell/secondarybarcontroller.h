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
    // dismiss it and writes its state file; does nothing once its model is gone. While the bar is
    // shown, a new list keeps the cells and the place the user sees: new items are added at the
    // end, and a cell stays when its item is no longer listed.
    virtual void show(const QList<MenuBarItem> &items, const std::optional<QRectF> &iconFrame,
                      bool includeAlwaysHidden) = 0;
    // Closes the bar: orders the panel out, if there is one, marks the bar not visible, removes
    // the dismiss monitors and writes the state file with no items. Also when already hidden.
    virtual void hide() = 0;
};

} // namespace zorv
