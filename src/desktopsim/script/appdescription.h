#pragma once

#include "model/apprecord.h"

#include <QString>

#include <optional>

namespace zorv {

// An application to launch.
struct AppDescription {
    std::optional<QString> bundleIdentifier;
    std::optional<QString> localizedName;
    ActivationPolicy activationPolicy = ActivationPolicy::Accessory;
    // How far its menus reach into the bar while it is frontmost.
    double menusWidth = 0.0;
    DragAcceptance dragAcceptance = DragAcceptance::Always;
};

} // namespace zorv
