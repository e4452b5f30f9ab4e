#pragma once

#include "menubaritem.h"

#include <optional>

namespace zorv {

class ChaosWatch;
class DesktopApp;
class SimulatedPlatform;
class WorkerClockDriver;

// The user asking Zorv to open other applications' items during a chaos run, each of the ways the
// app offers: the item's own hot key, a pick in the search panel (Return or Command and a digit),
// a tap in the secondary bar under Zorv's icon, and a right or Option click from the Layout pane's
// item list. What is asked for goes to the watch, which sees that it is opened or fails with its
// reason.
class ChaosAsks {
public:
    ChaosAsks(SimulatedPlatform &platform, WorkerClockDriver &driver);

    // Asks for an item on the bar by a way, both chosen by `pick`; asks for nothing where the way
    // cannot be taken now (no item on the bar, the panel did not open, the item is not listed).
    void ask(DesktopApp &app, ChaosWatch &watch, quint32 pick);

private:
    void byHotKey(DesktopApp &app, ChaosWatch &watch, const MenuBarItem &item);
    void bySearch(DesktopApp &app, ChaosWatch &watch, const MenuBarItem &item, quint32 pick);
    void bySecondaryBar(DesktopApp &app, ChaosWatch &watch, quint32 pick);
    void press(quint16 keyCode, quint64 flags);

    SimulatedPlatform &m_platform;
    WorkerClockDriver &m_driver;
    // The item holding the hot key the user gave last; it gives the key up for the next one.
    std::optional<MenuBarItem> m_hotKeyItem;
};

} // namespace zorv
