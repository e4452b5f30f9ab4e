#pragma once

#include "inputevent.h"
#include "model/desktopstate.h"
#include "model/modeleffects.h"

#include <chrono>

namespace zorv {

// What the window server does with each input event, whether the user's hands made it or a
// program posted it to the HID tap: move the cursor, reset the idle timers, log the event, bring
// in or send away an auto-hidden bar, and deliver clicks and Command-drags to status items.
// Events posted while this process is not trusted for Accessibility are logged as dropped and
// have no other effect.
//
// Command-drag: a left-mouse-down with the Command flag on a visible, movable item grabs it (an
// immovable system item or an item that never moves is clicked instead; a hung application's
// item ignores the mouse); on the mouse-up after at least one dragged event that moved the pointer,
// the item is inserted among the other movable items at the index given by how many of their
// centres lie left of the drop point on that screen's bar, and its position is remembered. A drop
// outside every bar leaves it where it was. Posted drags must also hold the button a short while: a
// mouse-up right after its mouse-down is dropped, and items that only take the slow gesture need
// a long hold before the first dragged event with Command held on the keyboard.
//
// Clicks: a button going down and up on the same visible item opens it (an option click when the
// mouse-down carried the Option flag); the click carries the button and the mouse-down's modifier
// flags. An item is hit anywhere on the part of it that lies on the screen. Anything off the
// bars, under the camera housing, on a hidden button or on a hung application's item hits
// nothing. While this application's pop-up menu is open the user's presses are the menu's and
// press nothing here; while another application's item menu is open, see ItemMenu.
class InputDispatch {
public:
    static constexpr std::chrono::milliseconds minimumDragHold{20};
    static constexpr std::chrono::milliseconds slowGestureHold{100};

    // True when another application's open menu took the event (see ItemMenu): it goes to that
    // menu's owner and nothing else.
    static bool mouse(DesktopState &state, const MouseEvent &event, EventOrigin origin,
                      std::chrono::nanoseconds now, ModelEffects &effects);
    // A key-down of a combination some application holds as a global hot key goes to that
    // application alone; every other key event goes to the frontmost application. True when
    // another application's open menu took it (Escape closes it).
    static bool key(DesktopState &state, const KeyEvent &event, EventOrigin origin,
                    std::chrono::nanoseconds now, ModelEffects &effects);
    // `delta` in lines, as LoggedEvent::scrollDelta.
    static void scroll(DesktopState &state, QPointF delta, quint64 flags, EventOrigin origin,
                       std::chrono::nanoseconds now);
    // Moves the cursor without an event: the idle timers do not notice.
    static void warp(DesktopState &state, QPointF location, std::chrono::nanoseconds now,
                     ModelEffects &effects);

private:
    static void deliverKey(DesktopState &state, const KeyEvent &event, std::chrono::nanoseconds now,
                           ModelEffects &effects);
    static void trackAutoHide(DesktopState &state, QPointF location, std::chrono::nanoseconds now,
                              ModelEffects &effects);
    static void press(DesktopState &state, MouseButton button, const MouseEvent &event,
                      EventOrigin origin, std::chrono::nanoseconds now);
    static void release(DesktopState &state, MouseButton button, QPointF location,
                        std::chrono::nanoseconds now, ModelEffects &effects);
    static void drop(DesktopState &state, const PressedItem &pressed, QPointF location,
                     std::chrono::nanoseconds now, ModelEffects &effects);
};

} // namespace zorv
