#pragma once

#include "inputevent.h"

namespace zorv {

// A source of synthetic events (CGEventSourceRef): every event created from it is posted to the
// HID event tap, where it counts as input exactly as the hardware's does. The system discards,
// without telling, every event of a process not trusted for Accessibility. Destroying the source
// releases it. Any thread.
class EventSource {
public:
    virtual ~EventSource() = default;

    // Creates the event and posts it; false when the event could not be created (nothing was
    // posted).
    virtual bool post(const MouseEvent &event) = 0;
    virtual bool post(const KeyEvent &event) = 0;
};

} // namespace zorv
