#pragma once

#include <QPointF>
#include <QtGlobal>

namespace zorv {

// Event types of the window server's input stream (CGEventType).
enum class EventType {
    MouseMoved,
    LeftMouseDown,
    LeftMouseUp,
    LeftMouseDragged,
    RightMouseDown,
    RightMouseUp,
    RightMouseDragged,
    OtherMouseDown,
    OtherMouseUp,
    OtherMouseDragged,
    ScrollWheel,
    KeyDown,
    KeyUp,
    FlagsChanged,
};

enum class MouseButton { Left, Right, Center };

// Modifier flags carried by events (CGEventFlags).
namespace EventFlags {
inline constexpr quint64 none = 0;
inline constexpr quint64 shift = 0x20000;
inline constexpr quint64 control = 0x40000;
inline constexpr quint64 option = 0x80000;
inline constexpr quint64 command = 0x100000;
} // namespace EventFlags

// Virtual key codes used by the system.
namespace KeyCode {
inline constexpr quint16 command = 55;
inline constexpr quint16 shift = 56;
inline constexpr quint16 control = 59;
inline constexpr quint16 escape = 53;
inline constexpr quint16 option = 58;
inline constexpr quint16 rightOption = 61;
inline constexpr quint16 returnKey = 36;
inline constexpr quint16 enter = 76;
inline constexpr quint16 space = 49;
inline constexpr quint16 leftArrow = 123;
inline constexpr quint16 rightArrow = 124;
inline constexpr quint16 downArrow = 125;
inline constexpr quint16 upArrow = 126;
} // namespace KeyCode

// Which event-state table a source reads and posts through (CGEventSourceStateID): the combined
// session state merges every source of the login session, the HID state only hardware input.
enum class EventSourceState { Private, CombinedSession, HIDSystem };

// A synthetic mouse event: its type, location (top-left convention: origin at the top-left
// corner of the primary display, y growing downwards), button, modifier flags and click state
// (1 for a single click).
struct MouseEvent {
    EventType type = EventType::MouseMoved;
    QPointF location;
    MouseButton button = MouseButton::Left;
    quint64 flags = EventFlags::none;
    qint64 clickState = 0;

    friend bool operator==(const MouseEvent &, const MouseEvent &) = default;
};

// A synthetic key-down or key-up of one virtual key, with its modifier flags.
struct KeyEvent {
    quint16 keyCode = 0;
    bool keyDown = true;
    quint64 flags = EventFlags::none;

    friend bool operator==(const KeyEvent &, const KeyEvent &) = default;
};

} // namespace zorv
