#pragma once

#include "displayid.h"
#include "hotkeys.h"
#include "inputevent.h"

#include <QString>

#include <chrono>
#include <optional>

namespace zorv {

// Whether input came from the user's hands or was posted by a program.
enum class EventOrigin { User, Synthetic };

// One input event as the window server received it, at the simulated clock's time.
struct LoggedEvent {
    std::chrono::nanoseconds at{0};
    EventOrigin origin = EventOrigin::User;
    EventType type = EventType::MouseMoved;
    // Where it took effect (top-left convention); for key events the cursor's location.
    QPointF location;
    MouseButton button = MouseButton::Left;
    quint64 flags = EventFlags::none;
    qint64 clickState = 0;
    quint16 keyCode = 0;
    // The lines scrolled: sideways (x, positive towards the left end of what is scrolled) and up
    // or down (y, positive towards its top).
    QPointF scrollDelta{};
    // Posted while this process was not trusted for Accessibility: the window server discarded
    // it, so it reached nothing (no cursor move, no idle-timer reset, no click).
    bool dropped = false;

    friend bool operator==(const LoggedEvent &, const LoggedEvent &) = default;
};

enum class ItemClickKind { Left, Right, Option };

// How a status item was opened: by a mouse click on it, or through its accessibility element,
// whose press its owner takes as a left click and whose show-menu request as a right click.
enum class ItemOpening { Click, Press, ShowMenu };

// A status item and its owner by name, as they stood when the item was clicked: the records that
// keep them outlive both.
struct ClickedItem {
    std::optional<QString> application;
    std::optional<QString> bundleId;
    QString title;
    QString autosaveName;

    friend bool operator==(const ClickedItem &, const ClickedItem &) = default;
};

// A click or an accessibility action that opened a status item.
struct DeliveredClick {
    quint64 itemId = 0;
    // The process the item belonged to when it received the click: the item can be gone by the
    // time the record is read.
    qint32 ownerProcessId = 0;
    ClickedItem item;
    ItemClickKind kind = ItemClickKind::Left;
    MouseButton button = MouseButton::Left;
    // The modifier flags the mouse-down carried.
    quint64 modifierFlags = EventFlags::none;
    std::chrono::nanoseconds at{0};
    EventOrigin origin = EventOrigin::User;
    DisplayId displayId = 0;
    ItemOpening via = ItemOpening::Click;
    // The top-left corner of the menu the item opened (top-left convention).
    QPointF menuAt;

    friend bool operator==(const DeliveredClick &, const DeliveredClick &) = default;
};

// A global hot key an application holds: its key code, its modifiers (the registration's own
// bits) and the identity it was registered under.
struct HotKeyRecord {
    qint32 ownerProcessId = 0;
    quint16 keyCode = 0;
    quint32 modifiers = 0;
    HotKeyID id;

    friend bool operator==(const HotKeyRecord &, const HotKeyRecord &) = default;
};

// Where a key press went: to the application holding it as a global hot key, or else to the
// frontmost application (0 when none is).
struct KeyDelivery {
    std::chrono::nanoseconds at{0};
    quint16 keyCode = 0;
    quint64 flags = EventFlags::none;
    qint32 processId = 0;
    bool hotKey = false;
    HotKeyID hotKeyId;

    friend bool operator==(const KeyDelivery &, const KeyDelivery &) = default;
};

} // namespace zorv
