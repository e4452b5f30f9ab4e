#pragma once

#include "inputevent.h"
#include "model/desktopmodel.h"

#include <QPointF>

#include <functional>

namespace zorv {

// The user's hands on the simulated Mac's mouse and keyboard. Every event goes through the same
// window-server path as posted ones (see InputDispatch), marked as the user's: it resets the idle
// timers, is logged, and clicks or drags what lies under it. While the cursor is detached from
// the mouse, mouse input does not move it and takes effect where the cursor stands. Locations use
// the top-left convention. Thread-safe.
class UserInput {
public:
    // Hears every event once the window server has taken it in: its type, where the cursor then
    // stands, the key code (key events), the flags, the lines scrolled (scroll events, as
    // LoggedEvent::scrollDelta) and whether another application's open menu took it (ItemMenu).
    // Called on the thread that made the event.
    using Listener = std::function<void(EventType type, QPointF cursor, quint16 keyCode,
                                        quint64 flags, QPointF scrollDelta, bool toItemMenu)>;

    explicit UserInput(DesktopModel &model);

    // Set once, before any input.
    void setListener(Listener listener) { m_listener = std::move(listener); }

    void moveMouse(QPointF location);
    void mouseDown(QPointF location, MouseButton button = MouseButton::Left,
                   quint64 flags = EventFlags::none);
    void mouseDragged(QPointF location, quint64 flags = EventFlags::none);
    void mouseUp(QPointF location, MouseButton button = MouseButton::Left,
                 quint64 flags = EventFlags::none);
    void click(QPointF location, MouseButton button = MouseButton::Left,
               quint64 flags = EventFlags::none);
    // Drags with the left button from one point to another through a few points on the way.
    void drag(QPointF from, QPointF to, quint64 flags = EventFlags::none);
    void keyDown(quint16 keyCode, quint64 flags = EventFlags::none);
    void keyUp(quint16 keyCode, quint64 flags = EventFlags::none);
    void pressKey(quint16 keyCode, quint64 flags = EventFlags::none);
    // Presses the key as hands do with modifiers: each modifier key of `flags` goes down (Command,
    // Option, Control, Shift), the key goes down and up with them held, and they come up again.
    void pressKeyHolding(quint16 keyCode, quint64 flags);
    // Holds the modifier keys of `flags` down as pressKeyHolding does around what `hands` do,
    // which are given the flags held.
    void holding(quint64 flags, const std::function<void(quint64 held)> &hands);
    // Types the text key by key on the US keyboard, Shift held for capitals and shifted symbols;
    // false, typing nothing, when a character is not on the keyboard.
    bool type(const QString &text);
    // Turns the mouse's wheel by `delta` lines: positive towards the top of what is scrolled, as a
    // wheel turned away from the user. With Shift among `flags` the wheel scrolls sideways instead,
    // positive towards the left end.
    void scroll(double delta, quint64 flags = EventFlags::none);
    // Swipes two fingers over the trackpad by `lines`: sideways (x, positive towards the left end
    // of what is scrolled) and up or down (y, as scroll()).
    void swipe(QPointF lines);

    // Command-drags the item from the middle of its part on the screen, on the active screen's
    // bar, to `toX` on the same bar; false when the item is not visible there.
    bool commandDragItem(quint64 itemId, double toX);
    // Clicks a row in the middle of another application's open item menu, which chooses it;
    // false when none is open. (Escape or a click elsewhere closes it without a choice.)
    bool chooseInItemMenu();

private:
    [[nodiscard]] std::optional<QPointF> itemCentre(quint64 itemId) const;
    void mouse(EventType type, QPointF location, MouseButton button, quint64 flags);
    void tell(EventType type, quint16 keyCode, quint64 flags, QPointF scrollDelta = {},
              bool toItemMenu = false) const;
    void scrollBy(QPointF lines, quint64 flags);

    DesktopModel &m_model;
    Listener m_listener;
};

} // namespace zorv
