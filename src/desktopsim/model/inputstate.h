#pragma once

#include "displayid.h"
#include "inputevent.h"
#include "model/inputrecords.h"

#include <QHash>
#include <QPointF>
#include <QSet>

#include <array>
#include <chrono>
#include <optional>

namespace zorv {

// A mouse button held down on a status item: either a Command-drag in progress or a click.
struct PressedItem {
    enum class Kind { Drag, Click };

    Kind kind = Kind::Click;
    quint64 itemId = 0;
    EventOrigin origin = EventOrigin::User;
    std::chrono::nanoseconds downAt{0};
    QPointF downLocation;
    quint64 downFlags = EventFlags::none;
    // Command held on the keyboard when the button went down.
    bool commandKeyHeld = false;
    std::optional<std::chrono::nanoseconds> firstMoveAt;
};

// The auto-hidden menu bar of one screen: the pointer resting at the top edge since a moment
// brings it in; it then stays while the pointer is in the bar.
struct AutoHideState {
    std::optional<std::chrono::nanoseconds> restingSince;
    bool heldOpen = false;
};

// The window server's input state: cursor, cursor hiding, mouse association, idle timers, keys
// held, and the buttons held on items.
struct InputState {
    static constexpr int eventTypeCount = static_cast<int>(EventType::FlagsChanged) + 1;

    QPointF cursor;
    bool cursorReadable = true;
    bool mouseAssociated = true;
    QHash<DisplayId, int> hideCounts;
    int hideCalls = 0;
    int showCalls = 0;
    int warps = 0;
    std::array<std::chrono::nanoseconds, eventTypeCount> lastEventAt{};
    QSet<quint16> keysDown;
    std::optional<PressedItem> left;
    std::optional<PressedItem> right;
    QHash<DisplayId, AutoHideState> autoHide;
    // A pop-up menu is open: the user's presses go to it, not to the items under them.
    bool menuOpen = false;
};

} // namespace zorv
