#include "appearancevalue.h"

#include "look/hexcolor.h"

#include <cmath>

namespace zorv {

AppearanceValue::AppearanceValue(const Appearance &appearance)
    : tintEnabled(appearance.tintEnabled), tintHex(appearance.tintHex),
      tintOpacity(appearance.tintOpacity), borderEnabled(appearance.borderEnabled),
      shadowEnabled(appearance.shadowEnabled), cornerRadius(appearance.cornerRadius) {}

Appearance AppearanceValue::toAppearance() const {
    return Appearance{tintEnabled,   tintHex,       tintOpacity,
                      borderEnabled, shadowEnabled, cornerRadius};
}

bool AppearanceValue::isValid() const {
    return HexColor::parse(tintHex).has_value() && std::isfinite(tintOpacity) && tintOpacity >= 0 &&
           tintOpacity <= 1 && std::isfinite(cornerRadius) && cornerRadius >= 0;
}

} // namespace zorv
