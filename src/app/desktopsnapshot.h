#pragma once

#include "capture/displayscene.h"
#include "model/screenrecord.h"
#include "script/barentry.h"

#include <QList>
#include <QString>

#include <optional>

namespace zorv {

class SimulatedDesktop;

// One screen as the desktop window shows it: what its bar draws, and every status item's place
// on it, left to right.
struct ScreenSnapshot {
    ScreenRecord screen;
    DisplayScene scene;
    QList<BarEntry> entries;
    // Its bar holds the items' real windows.
    bool active = false;

    friend bool operator==(const ScreenSnapshot &, const ScreenSnapshot &) = default;
};

// The simulated desktop's screens and bars at one moment, in the system's screen order.
struct DesktopSnapshot {
    QList<ScreenSnapshot> screens;
    // Its name, else its bundle identifier, else "pid" and its process id; absent when no
    // application is in front.
    std::optional<QString> frontmostApplication;

    [[nodiscard]] static DesktopSnapshot take(SimulatedDesktop &desktop);

    friend bool operator==(const DesktopSnapshot &, const DesktopSnapshot &) = default;
};

} // namespace zorv
