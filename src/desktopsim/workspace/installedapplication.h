#pragma once

#include "applicationicon.h"

#include <QString>

#include <optional>

namespace zorv {

// An application installed on the simulated Mac: where its bundle lives and its icon (absent:
// the bundle has no icon of its own, so the system shows the generic application icon).
struct InstalledApplication {
    QString bundleIdentifier;
    QString path;
    std::optional<ApplicationIcon> icon;

    friend bool operator==(const InstalledApplication &, const InstalledApplication &) = default;
};

} // namespace zorv
