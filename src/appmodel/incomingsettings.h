#pragma once

#include "settings/settings.h"

#include <QtGlobal>

#include <optional>

namespace zorv {

// Checks settings that arrive from outside this Mac (an imported file, another Mac's synced
// bundle) before they reach the engine and the system preferences, which trust what they are
// given.
class IncomingSettings {
public:
    IncomingSettings() = delete;

    // The status-item spacings the Spacing pane offers, in points.
    static constexpr qint64 minimumSpacing = 2;
    static constexpr qint64 maximumSpacing = 24;
    // The longest auto-hide delay the engine takes, and what stands in for a delay that is no
    // number at all.
    static constexpr double maximumAutoRehideSeconds = 3600;
    static constexpr double fallbackAutoRehideSeconds = 10;

    // `incoming` with an auto-hide delay the engine accepts and, when the incoming spacing is
    // outside the pane's range, the spacing of `current` instead.
    [[nodiscard]] static Settings checked(Settings incoming, const Settings &current);
    [[nodiscard]] static double clampedAutoRehide(double seconds);
    [[nodiscard]] static bool isAcceptedSpacing(const std::optional<qint64> &spacing);
};

} // namespace zorv
