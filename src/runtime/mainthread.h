#pragma once

#include <functional>

namespace zorv {

// Runs `call` on the main thread from its event loop, after whatever is already queued there.
// Any thread; needs a QCoreApplication.
void postToMainThread(std::function<void()> call);

// True on the thread the QCoreApplication lives in.
[[nodiscard]] bool isMainThread();

} // namespace zorv
