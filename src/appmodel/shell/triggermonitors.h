#pragma once

#include "triggers/triggercontext.h"

#include <functional>

namespace zorv {

// Watches what rules react to (power, Wi-Fi, running and frontmost applications, focus) and reports
// a new context whenever it differs from the last one, plus a tick every 5 seconds.
class TriggerMonitors {
public:
    using ChangeHandler = std::function<void(const TriggerContext &context)>;
    using TickHandler = std::function<void()>;

    virtual ~TriggerMonitors() = default;

    virtual void setOnTick(TickHandler handler) = 0;
    // Begins observing; the change handler given at creation hears every new context.
    virtual void start() = 0;
};

} // namespace zorv
