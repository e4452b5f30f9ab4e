#pragma once

#include <QtGlobal>

namespace zorv {

// The operating system's id of the calling thread.
[[nodiscard]] qint64 currentSystemThreadId();

// True when the thread with that id is blocked (asleep in the kernel) rather than running or
// ready to run. Where this cannot be told, every thread counts as blocked.
[[nodiscard]] bool isThreadBlocked(qint64 systemThreadId);

} // namespace zorv
