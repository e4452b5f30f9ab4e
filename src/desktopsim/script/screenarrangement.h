#pragma once

#include "model/desktopmodel.h"
#include "script/screendescription.h"

#include <QList>

#include <optional>

namespace zorv {

// The displays of the simulated desktop: attach, detach, move and resize them, and change their
// menu bars. The first display attached is the primary one; its frame starts at the origin, and
// the others are placed relative to it. Each change is announced by the model's screensChanged
// signal at once and reaches the bars at the next layout pass. A display attached or detached, a
// frame changed or the main screen moved to another display closes another application's open
// status-item menu (see ItemMenu). Thread-safe.
class ScreenArrangement {
public:
    explicit ScreenArrangement(DesktopModel &model);

    DisplayId add(const ScreenDescription &description);
    // Detaching the primary display makes the next one primary; everything is then measured
    // from its corner.
    bool remove(DisplayId displayId);
    // Moving the primary display moves the others the other way.
    bool move(DisplayId displayId, QPointF origin);
    bool resize(DisplayId displayId, QSizeF size);
    // The screen with the key window (the main screen), or none.
    bool setMainScreen(std::optional<DisplayId> displayId);
    bool setAutoHidesMenuBar(DisplayId displayId, bool autoHides);
    bool setNotHiding(DisplayId displayId, bool notHiding);

    [[nodiscard]] QList<ScreenRecord> screens() const;

private:
    template <typename Fn> bool change(DisplayId displayId, Fn &&fn);

    DesktopModel &m_model;
};

} // namespace zorv
