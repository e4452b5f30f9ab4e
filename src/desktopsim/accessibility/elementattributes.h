#pragma once

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
// title when it has one, and whatever its attribute overrides say; everything else is "no
// value". An element of a process or item that has gone is invalid.
//
// An application element also answers "AXMenuBar". The frontmost application's menu bar answers
// "AXChildren" with one element standing for all its menus, whose "AXPosition" and "AXSize" span
// the active screen's bar from its left edge to where the menus end (past the camera housing when
// they reach it); any other application's menu bar has no children.
class ElementAttributes {
public:
    [[nodiscard]] static AXAttributeResult read(const DesktopState &state, AXElement element,
                                                const QString &attribute,
                                                std::chrono::nanoseconds now);

private:
    [[nodiscard]] static AXAttributeResult application(const AppRecord &app,
                                                       const QString &attribute);
    [[nodiscard]] static AXAttributeResult
    extrasBar(const DesktopState &state, const AppRecord &app, const QString &attribute);
    [[nodiscard]] static AXAttributeResult menus(const DesktopState &state, const AppRecord &app,
                                                 AXElementTable::Kind kind,
                                                 const QString &attribute,
                                                 std::chrono::nanoseconds now);
    [[nodiscard]] static AXAttributeResult item(const DesktopState &state, const ItemRecord &item,
                                                const QString &attribute,
                                                std::chrono::nanoseconds now);
};

} // namespace zorv
