#include "incomingsettings.h"

#include <algorithm>
#include <cmath>

namespace zorv {

Settings IncomingSettings::checked(Settings incoming, const Settings &current) {
    incoming.autoRehideSeconds = clampedAutoRehide(incoming.autoRehideSeconds);
    if (!isAcceptedSpacing(incoming.iconSpacing)) {
        incoming.iconSpacing = current.iconSpacing;
    }
    return incoming;
}

double IncomingSettings::clampedAutoRehide(double seconds) {
    if (!std::isfinite(seconds)) {
        return fallbackAutoRehideSeconds;
    }
    return std::clamp(seconds, 0.0, maximumAutoRehideSeconds);
}

bool IncomingSettings::isAcceptedSpacing(const std::optional<qint64> &spacing) {
    return !spacing || (*spacing >= minimumSpacing && *spacing <= maximumSpacing);
}

} // namespace zorv
