#pragma once

#include "enginetest.h"

#include <functional>

namespace zorv::testing {

// Does `what` once `after` seconds of virtual time have passed: the user's hands at work while
// the engine is.
inline QCoro::Task<> meanwhile(Clock &clock, double after, std::function<void()> what) {
    co_await clock.sleep(seconds(after));
    what();
}

} // namespace zorv::testing
