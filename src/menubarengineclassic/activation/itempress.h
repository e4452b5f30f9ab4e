#pragma once

#include "clickkind.h"

#include <QRectF>
#include <QString>

#include <optional>

namespace zorv {

class Accessibility;

// Opens another application's status item through its accessibility element, the way to reach an
// item no click can land on (under the front application's menus, behind the camera housing, off
// screen): a left click becomes the element's press, a right click its show-menu request, and the
// owner opens the item's menu as for the click. An Option-click has no such form. Each call is a
// synchronous request to another process: call it from a worker thread. Stateless; thread-safe.
class ItemPress {
public:
    // `moved`: the application has items, none of them standing at the frame or alone carrying
    // the identifier; the bar has moved since it was read. `gone`: it has none.
    enum class Outcome { pressed, notAnswering, notPermitted, moved, gone, refused };

    // The action that stands in for the click ("AXPress", "AXShowMenu"); absent for an
    // Option-click.
    [[nodiscard]] static std::optional<QString> actionFor(ClickKind click);

    // Finds the item among the status items of the application `processId` (the one
    // standing at `frame` as the last scan read it, else the one carrying `identifier`) and asks
    // it to perform `action`.
    [[nodiscard]] static Outcome press(Accessibility &accessibility, qint32 processId,
                                       const std::optional<QString> &identifier,
                                       const QRectF &frame, const QString &action);

    // Whether the item, found as press() finds it, reads as selected ("AXSelected"): its menu is
    // open, and a click or a press would close it. False when that cannot be read.
    [[nodiscard]] static bool menuOpen(Accessibility &accessibility, qint32 processId,
                                       const std::optional<QString> &identifier,
                                       const QRectF &frame);

    // The outcome as the activation record names it.
    [[nodiscard]] static QString describe(Outcome outcome);
};

} // namespace zorv
