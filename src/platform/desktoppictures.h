#pragma once

#include "displayid.h"

#include <QString>

#include <optional>

namespace zorv {

// Stands in for the workspace's desktop pictures (NSWorkspace.desktopImageURL(for:)): the image
// file shown as the desktop of each screen. Main thread.
class DesktopPictures {
public:
    virtual ~DesktopPictures() = default;

    // The picture file of the screen; absent when the screen has none or does not exist.
    [[nodiscard]] virtual std::optional<QString> desktopImagePath(DisplayId display) const = 0;
};

} // namespace zorv
