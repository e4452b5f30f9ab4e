#pragma once

#include "settings/appearance.h"

namespace zorv {

// The click-through windows that draw the menu-bar tint, border and shadow over every screen's
// bar. Owned by the model, made on first use.
class AppearanceOverlayController {
public:
    virtual ~AppearanceOverlayController() = default;

    // Replaces the current overlay windows with ones drawing `appearance`; none when tint, border
    // and shadow are all off.
    virtual void apply(const Appearance &appearance) = 0;
};

} // namespace zorv
