#pragma once

#include "displayid.h"
#include "eventsource.h"
#include "inputevent.h"

#include <QPointF>

#include <memory>
#include <optional>

namespace zorv {

// Stands in for the window server's input calls (CoreGraphics events and cursor control):
// event sources that post synthetic events to the HID tap, cursor warp and location, hiding the
// cursor per display, detaching the cursor from the mouse, and the idle timers that tell how long
// ago input of each type arrived.
//
// Locations use the top-left convention: origin at the top-left corner of the primary display,
// y growing downwards. Posting and warping happen from worker threads (drags and clicks block
// their thread between events); everything here is thread-safe.
class InputEvents {
public:
    virtual ~InputEvents() = default;

    // Null when the source cannot be created.
    [[nodiscard]] virtual std::unique_ptr<EventSource>
    createEventSource(EventSourceState state) = 0;

    // Moves the cursor without producing a mouse event.
    virtual void warpCursor(QPointF location) = 0;
    // The cursor's location; absent when it cannot be read.
    [[nodiscard]] virtual std::optional<QPointF> cursorLocation() const = 0;

    // The primary display, where the menu bar's coordinates start.
    [[nodiscard]] virtual DisplayId mainDisplayId() const = 0;
    // Hide and show are counted per display: the cursor shows again once every hide has been
    // matched by a show.
    virtual void hideCursor(DisplayId display) = 0;
    virtual void showCursor(DisplayId display) = 0;
    // While detached (false), the user's mouse no longer moves the cursor; synthetic events and
    // warps still do.
    virtual void associateMouseAndCursor(bool connected) = 0;

    // Seconds since the last event of the type reached the state table, synthetic events
    // included.
    [[nodiscard]] virtual double secondsSinceLastEvent(EventSourceState state,
                                                       EventType type) const = 0;
};

} // namespace zorv
