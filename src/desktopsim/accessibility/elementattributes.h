#pragma once

#include "accessibility/axelementtable.h"
#include "axtypes.h"
#include "model/desktopstate.h"

#include <chrono>

namespace zorv {

// What the simulated applications answer to attribute requests.
//
// An application element answers "AXExtrasMenuBar" (its bar element; "no value" for an
// application without one, a string when it answers with the wrong type) and "AXTitle". The bar
// answers "AXChildren": the application's laid-out status items in the order it created them. A
// status item answers "AXPosition" and "AXSize" with its real frame on the active screen's bar
// (top-left convention, x below the screen's left edge when pushed off it), "AXTitle" with its
// title when it has one, "AXSelected" with a boolean, true while the menu it opened is open, and
// whatever its attribute overrides say; everything else is "no value". An application also answers
// "AXMenuBar": its menu bar, whose "AXChildren" are the spans its menus cover on the active
// screen's bar while it is in front (two when they reach past the camera housing, none without
// menus), each answering "AXPosition" and "AXSize". An element of a process or item that has gone
// is invalid.
class ElementAttributes {
public:
    [[nodiscard]] static AXAttributeResult read(const DesktopState &state, AXElement element,
                                                const QString &attribute,
                                                std::chrono::nanoseconds now);

private:
    [[nodiscard]] static AXAttributeResult application(const AppRecord &app,
                                                       const QString &attribute);
    [[nodiscard]] static AXAttributeResult menus(const DesktopState &state, const AppRecord &app,
                                                 AXElementTable::Target target,
                                                 const QString &attribute,
                                                 std::chrono::nanoseconds now);
    [[nodiscard]] static AXAttributeResult
    extrasBar(const DesktopState &state, const AppRecord &app, const QString &attribute);
    [[nodiscard]] static AXAttributeResult item(const DesktopState &state, const ItemRecord &item,
                                                const QString &attribute,
                                                std::chrono::nanoseconds now);
};

} // namespace zorv
