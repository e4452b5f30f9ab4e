#pragma once

#include "inputevent.h"

#include <QPointF>

#include <functional>
#include <optional>

namespace zorv {

// The kinds of event a global monitor can ask for, as bits of one mask (NSEvent's event-type
// mask bits).
namespace EventMask {
inline constexpr quint64 leftMouseDown = 1ULL << 1;
inline constexpr quint64 rightMouseDown = 1ULL << 3;
inline constexpr quint64 mouseMoved = 1ULL << 5;
inline constexpr quint64 keyDown = 1ULL << 10;
inline constexpr quint64 scrollWheel = 1ULL << 22;
} // namespace EventMask

// The bit of `type` in an event mask; 0 for a type no monitor can ask for.
[[nodiscard]] constexpr quint64 eventMaskBit(EventType type) {
    switch (type) {
    case EventType::LeftMouseDown:
        return EventMask::leftMouseDown;
    case EventType::RightMouseDown:
        return EventMask::rightMouseDown;
    case EventType::MouseMoved:
        return EventMask::mouseMoved;
    case EventType::KeyDown:
        return EventMask::keyDown;
    case EventType::ScrollWheel:
        return EventMask::scrollWheel;
    default:
        return 0;
    }
}

// One event as a monitor sees it: its type, where the pointer was (bottom-left convention, as
// mouseLocation()), the key's virtual code (key events only) and the modifier flags.
struct MonitoredEvent {
    EventType type = EventType::MouseMoved;
    QPointF location;
    quint16 keyCode = 0;
    quint64 flags = EventFlags::none;

    friend bool operator==(const MonitoredEvent &, const MonitoredEvent &) = default;
};

// Stands in for AppKit's global event monitors and the pointer location (NSEvent). A global
// monitor sees only the events the window server sends to other applications: nothing aimed at
// this application's own windows, and no key while one of them has the keyboard. Handlers run on
// the main thread after the event has been delivered. Main thread.
class EventMonitors {
public:
    using Handler = std::function<void(const MonitoredEvent &event)>;
    // Opaque; identifies one installed monitor.
    using Token = quint64;

    virtual ~EventMonitors() = default;

    // Installs a monitor for the event types in `mask`; nothing when none could be installed.
    [[nodiscard]] virtual std::optional<Token> addGlobalMonitor(quint64 mask, Handler handler) = 0;
    // Removes the monitor; an unknown token is ignored.
    virtual void removeMonitor(Token token) = 0;
    // The pointer's location in global points, bottom-left convention (see Screen).
    [[nodiscard]] virtual QPointF mouseLocation() const = 0;
};

} // namespace zorv
