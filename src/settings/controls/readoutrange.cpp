#include "readoutrange.h"

#include <algorithm>
#include <cmath>

namespace zorv {

double ReadoutRange::clamp(double stored) const {
    if (!std::isfinite(stored)) {
        return std::clamp(fallback, minimum, maximum);
    }
    return std::clamp(stored, minimum, maximum);
}

int ReadoutRange::whole(double stored) const {
    // The range is a control's, well within int; the cast truncates toward zero.
    return static_cast<int>(clamp(stored));
}

} // namespace zorv
