#pragma once

#include "cancellation.h"

#include <QCoroTask>
#include <QDateTime>

#include <chrono>

namespace zorv {

using Duration = std::chrono::nanoseconds;
// A point on the monotonic clock, counted from an arbitrary origin fixed per clock.
using MonotonicTime = std::chrono::nanoseconds;

// Seconds as a duration. Values from outside (settings, scenario files) may hold anything, so the
// conversion saturates: beyond the range of Duration it gives Duration::max() or min(), and NaN
// gives zero (converting such a double to an integer is undefined behaviour).
[[nodiscard]] constexpr Duration seconds(double value) {
    const double nanoseconds = value * 1e9;
    if (nanoseconds != nanoseconds) {
        return Duration::zero();
    }
    // 2^63, the first double beyond Duration's range; -2^63 itself is in range.
    constexpr double bound = 9223372036854775808.0;
    if (nanoseconds >= bound) {
        return Duration::max();
    }
    if (nanoseconds < -bound) {
        return Duration::min();
    }
    return Duration(static_cast<Duration::rep>(nanoseconds));
}

[[nodiscard]] constexpr double toSeconds(Duration value) {
    return std::chrono::duration<double>(value).count();
}

// The point `duration` after `start` (a negative duration counts as zero), capped at
// MonotonicTime::max() so that a sleep "forever" never wraps round into the past.
[[nodiscard]] constexpr MonotonicTime deadlineAfter(MonotonicTime start, Duration duration) {
    if (duration <= Duration::zero()) {
        return start;
    }
    return start > MonotonicTime::max() - duration ? MonotonicTime::max() : start + duration;
}

enum class SleepOutcome { Elapsed, Cancelled };

// The one source of time for every wait, age and stamp in the system. Injected everywhere so that
// tests run on a manual clock and the simulated desktop can run faster than real time.
//
// With GCC 12, never write a lambda or a braced aggregate inside a co_await expression (say, the
// work handed to WorkRunner::run): GCC destroys such temporaries twice once the coroutine has
// suspended. Name them first and co_await the call on the named variable. Nor co_await in a loop
// condition (`while (co_await clock->sleep(...) == ...)`): GCC 12 resumes into a freed frame.
// Write `for (;;)` with the outcome in a named variable instead.
class Clock {
public:
    virtual ~Clock() = default;

    // Monotonic time for sleeps, ages and intervals. Any thread.
    [[nodiscard]] virtual MonotonicTime now() const = 0;
    // Wall-clock time (UTC) for dates and ISO stamps. Any thread.
    [[nodiscard]] virtual QDateTime wallNow() const = 0;

    // Suspends the calling coroutine for `duration` (main thread). Every sleep yields to the event
    // loop at least once: a non-positive duration elapses at its next turn, and a sleep whose
    // token is cancelled (before or during it) ends with Cancelled at the next turn rather than at
    // its deadline, never inside cancel() itself.
    [[nodiscard]] virtual QCoro::Task<SleepOutcome> sleep(Duration duration,
                                                          CancellationToken cancellation = {}) = 0;

    // Blocks the calling worker thread for `duration`, or until `cancellation` is cancelled
    // (before or during the sleep), which ends it at once with Cancelled. Never call it on the main
    // thread (the manual clock tolerates it for inline work in tests, and then only moves time
    // forward).
    virtual SleepOutcome blockingSleep(Duration duration, CancellationToken cancellation = {}) = 0;

    // Counts the time limit of a request to a server that is counted as outstanding (see
    // NetworkRequests) while it runs. As sleep(), except on a clock that holds still while such
    // a request waits (a manual clock in fast-forward mode): there the limit passes in real time.
    // Main thread.
    [[nodiscard]] virtual QCoro::Task<SleepOutcome>
    sleepForNetwork(Duration limit, CancellationToken cancellation = {}) {
        return sleep(limit, std::move(cancellation));
    }
};

} // namespace zorv
