#pragma once

#include "capture/displayscene.h"
#include "macscreenscene.h"
#include "model/screenrecord.h"
#include "script/barentry.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorv {

class SimulatedDesktop;

// One screen as the desktop window shows it: what it draws, and every status item's place on its
// bar, left to right.
struct ScreenSnapshot {
    ScreenRecord screen;
    // The screen's frame in the top-left convention of events and window frames.
    QRectF globalFrame;
    DisplayScene scene;
    // The whole screen as a person sees it.
    MacScreenScene look;
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
    // The titles of its own main menu; empty when it has none.
    QStringList frontmostMenus;
    // The title among them whose menu is open, and the screen whose bar holds it.
    std::optional<std::pair<DisplayId, int>> openMenuTitle;
    bool dark = false;

    [[nodiscard]] static DesktopSnapshot take(SimulatedDesktop &desktop);

    friend bool operator==(const DesktopSnapshot &, const DesktopSnapshot &) = default;
};

} // namespace zorv
