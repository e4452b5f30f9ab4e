#pragma once

#include "windows/simappwindows.h"

namespace zorv {

// The user's input that the simulated window server hands one of Zorv's windows, as Qt events
// into its Qt window: presses, drags, releases, hovers and scrolls at their point in the window (a
// scroll as a Mac's wheel gives it, each line ten pixels and one notch of the wheel), and keys (by
// their place on the simulated Mac's US keyboard, with the text they type) to the focused control
// after the window's shortcuts, as the platform delivers typed keys. Main thread.
class WindowContentInput {
public:
    // Whether something in the window took the event.
    static bool deliver(SimAppWindow &window, const SimAppWindows::ContentEvent &event);
    // Whether the event is a key pressed that Qt's text controls cut, copy or paste with.
    [[nodiscard]] static bool cutsCopiesOrPastes(const SimAppWindows::ContentEvent &event);

private:
    static bool mouse(QWindow &window, const SimAppWindows::ContentEvent &event);
    static bool key(QWindow &window, const SimAppWindows::ContentEvent &event);
    static bool wheel(QWindow &window, const SimAppWindows::ContentEvent &event);
};

} // namespace zorv
