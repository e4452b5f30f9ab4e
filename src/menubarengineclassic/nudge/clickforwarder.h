#pragma once

namespace zorv {

class Clock;
class InputEvents;

// Brings back a menu bar the system has hidden: the bar shows while the pointer rests at the top
// edge of the screen.
class ClickForwarder {
public:
    // Twenty mouse-moved events this far apart.
    static constexpr int nudgeEvents = 20;
    static constexpr double nudgeIntervalSeconds = 0.06;

    // Moves the pointer to the top edge at `x` (global points, y = 0 at the top of the primary
    // display) and jiggles it there by a point or two for about 1.2 s, posting each position as
    // hardware-level mouse movement. Leaves the pointer there. Blocks its thread throughout:
    // never call it on the main thread.
    static void nudgeMenuBarReveal(InputEvents &input, Clock &clock, double x);
};

} // namespace zorv
