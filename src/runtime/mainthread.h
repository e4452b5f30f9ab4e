#pragma once

#include <functional>

namespace zorv {

// Runs `call` on the main thread from its event loop, after whatever is already queued there.
// Any thread; needs a QCoreApplication.
void postToMainThread(std::function<void()> call);

// True on the thread the QCoreApplication lives in.
[[nodiscard]] bool isMainThread();

// Wakes the main event loop for one more pass (and so for another look by anyone watching it go
// idle). Any thread; does nothing on the main thread or without a QCoreApplication.
void nudgeMainThread();

} // namespace zorv
