#pragma once

#include "axtypes.h"
#include "model/desktopstate.h"
#include "model/modeleffects.h"

#include <chrono>

namespace zorv {

// What the simulated applications do when asked to perform an accessibility action. A status
// item's element performs "AXPress" as its owner's answer to a left click on it and "AXShowMenu"
// as to a right click: the item's menu opens below its laid-out frame, kept on the screen, even
// while the item is not drawn (under the front application's menus, the camera housing, beside
// the screen or on an auto-hidden bar that is away; see ItemMenu), and the item's record of clicks
// takes it.
// Other elements perform no action. Hangs are the caller's to wait out.
class ElementActions {
public:
    static constexpr QStringView press = u"AXPress";
    static constexpr QStringView showMenu = u"AXShowMenu";

    [[nodiscard]] static AXError perform(DesktopState &state, AXElement element,
                                         const QString &action, std::chrono::nanoseconds now,
                                         ModelEffects &effects);
};

} // namespace zorv
