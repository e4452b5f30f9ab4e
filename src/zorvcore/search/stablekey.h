#pragma once

#include "menubaritemid.h"

#include <QString>

namespace zorv {

// The text key under which per-item settings (aliases, hot keys) are stored:
// "<bundleID>#<axIdentifier>##<ordinal>". Unlike item identity it always includes the ordinal and
// never the title; an absent accessibility identifier gives the same key as an empty one.
[[nodiscard]] QString stableKey(const MenuBarItemID &id);

} // namespace zorv
