#pragma once

#include "desktoppictures.h"
#include "model/desktopmodel.h"

#include <QHash>
#include <QTemporaryDir>

#include <optional>

namespace zorv {

// The desktop pictures of the simulated Mac. A screen shows the file a scenario or test names
// (setPicture), no picture at all (setPicture with nothing), or by default one the simulator
// draws: the desktop colour, a little lighter towards the top, written once per screen size into
// a folder of its own. Main thread.
class SimDesktopPictures final : public DesktopPictures {
public:
    explicit SimDesktopPictures(DesktopModel &model);

    [[nodiscard]] std::optional<QString> desktopImagePath(DisplayId display) const override;

    // Script calls: show `path` (or no picture, for nothing) on the screen; go back to the drawn
    // picture.
    void setPicture(DisplayId display, std::optional<QString> path);
    void resetPicture(DisplayId display);

private:
    [[nodiscard]] std::optional<QString> drawnPicture(DisplayId display) const;

    DesktopModel &m_model;
    QHash<DisplayId, std::optional<QString>> m_scripted;
    mutable QTemporaryDir m_folder;
};

} // namespace zorv
