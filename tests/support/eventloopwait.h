#pragma once

#include <chrono>
#include <functional>

namespace zorv {

// Runs the event loop, blocking between events, until `done` holds; false when `wall` of real time
// passed first. Unlike QTest::qWaitFor, which polls and sleeps, it lets a manual clock in
// fast-forward mode step time whenever the loop is idle, as the program's own loop does. Main
// thread.
bool runEventLoopUntil(const std::function<bool()> &done, std::chrono::milliseconds wall);

} // namespace zorv
