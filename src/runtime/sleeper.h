#pragma once

#include "cancellation.h"
#include "clock.h"

#include <atomic>
#include <coroutine>
#include <functional>
#include <memory>
#include <utility>

namespace zorv {

// One coroutine suspended in Clock::sleep(). It is woken exactly once: either its time is up or
// its token is cancelled, whichever claims it first (the two may race across threads). Shared
// between the clock, the token's callback and the suspended frame, so that none of them can
// outlive the record they touch.
class Sleeper {
public:
    explicit Sleeper(CancellationToken cancellation);

    // Claims the sleeper for waking with `outcome`; false when someone else claimed it first.
    // Any thread.
    bool claim(SleepOutcome outcome);
    [[nodiscard]] SleepOutcome outcome() const;

    // Calls `onCancelled` on the cancelling thread when the token is cancelled while this sleeper
    // waits (at once when it already is).
    void watchCancellation(std::function<void()> onCancelled);
    // Drops the token callback once the sleeper was woken by its time.
    void stopWatching();

    void setHandle(std::coroutine_handle<> handle) { m_handle = handle; }
    // Resumes the suspended coroutine, once: a second call finds no frame left to resume. Main
    // thread, after claim().
    void resume() {
        if (auto handle = std::exchange(m_handle, {})) {
            handle.resume();
        }
    }

private:
    CancellationToken m_cancellation;
    std::atomic<quint64> m_callbackId{0};
    std::atomic<bool> m_claimed{false};
    std::atomic<SleepOutcome> m_outcome{SleepOutcome::Elapsed};
    std::coroutine_handle<> m_handle;
};

// The awaitable behind both clocks' sleep(): suspends always (so every sleep yields to the event
// loop at least once) and hands the sleeper to `arm`, which schedules its wake-up.
class SleepAwaiter {
public:
    using Arm = std::function<void(const std::shared_ptr<Sleeper> &)>;

    SleepAwaiter(std::shared_ptr<Sleeper> sleeper, Arm arm)
        : m_sleeper(std::move(sleeper)), m_arm(std::move(arm)) {}

    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> handle) {
        m_sleeper->setHandle(handle);
        m_arm(m_sleeper);
    }
    SleepOutcome await_resume() const { return m_sleeper->outcome(); }

private:
    std::shared_ptr<Sleeper> m_sleeper;
    Arm m_arm;
};

} // namespace zorv
