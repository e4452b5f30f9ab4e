#pragma once

#include "mainthread.h"
#include "workerjobs.h"

#include <QCoroTask>
#include <QThreadPool>

#include <atomic>
#include <coroutine>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

namespace zorv {

namespace workrunnerdetail {

// What the worker thread hands back to the awaiting coroutine.
template <typename Result> struct Outcome {
    std::optional<Result> value;
    std::exception_ptr error;
};

template <> struct Outcome<void> { std::exception_ptr error; };

// Qt hands a job to a pool thread and the wake-up back to the main thread through its own locks,
// which ThreadSanitizer cannot see into (Qt is not built with it), so each direction also goes
// through an atomic of ours. The main thread counts a hand-over (release) just before the pool
// takes the job, and the job reads the count (acquire) before it touches anything it was given.
inline std::atomic<quint64> handOvers{0};

// Hands the end of a job to the coroutine awaiting it: the worker writes the outcome, sets `done`
// (release) and posts the wake-up; the main thread reads `done` (acquire) before the outcome.
struct Handoff : std::enable_shared_from_this<Handoff> {
    std::atomic<bool> done{false};
    std::coroutine_handle<> waiter; // main thread only

    Handoff() { awaited.fetch_add(1, std::memory_order_relaxed); }
    ~Handoff() { awaited.fetch_sub(1, std::memory_order_relaxed); }
    Handoff(const Handoff &) = delete;
    Handoff &operator=(const Handoff &) = delete;

    // Hand-offs whose awaiting frame has not ended yet.
    static inline std::atomic<int> awaited{0};

    // On the worker, once the outcome is written.
    void finish() {
        done.store(true, std::memory_order_release);
        postToMainThread([self = shared_from_this()] { self->handBack(); });
    }

    // On the main thread: resumes the waiter once no main-thread sleeper that is due waits for
    // its wake-up, which goes first as it would had the job taken longer.
    void handBack() {
        if (WorkerJobs::mainWakesPending()) {
            postToMainThread([self = shared_from_this()] { self->handBack(); });
            return;
        }
        if (auto handle = std::exchange(waiter, {})) {
            handle.resume();
        }
    }
};

// Suspends until the job has finished, and always: the posted wake-up resumes the coroutine from
// the event loop, after what the main thread queued before it, even when the job ended before the
// coroutine got here. Going on at once then would let the order of the main thread's work hang on
// how fast the worker ran.
struct HandoffAwaiter {
    std::shared_ptr<Handoff> handoff;

    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> handle) noexcept { handoff->waiter = handle; }
    void await_resume() const noexcept { (void)handoff->done.load(std::memory_order_acquire); }
};

// Lives in the awaiting frame: should the frame be destroyed before the job ends, the posted
// wake-up finds no frame to resume instead of freed memory.
class ForgetWaiterOnExit {
public:
    explicit ForgetWaiterOnExit(std::shared_ptr<Handoff> handoff) : m_handoff(std::move(handoff)) {}
    ~ForgetWaiterOnExit() { m_handoff->waiter = {}; }
    ForgetWaiterOnExit(const ForgetWaiterOnExit &) = delete;
    ForgetWaiterOnExit &operator=(const ForgetWaiterOnExit &) = delete;

private:
    std::shared_ptr<Handoff> m_handoff;
};

} // namespace workrunnerdetail

// Runs blocking work off the main thread and lets a coroutine await its result. Production code
// uses a thread pool; tests may run the work inline so that it happens deterministically.
//
// In ThreadPool mode the awaiting coroutine resumes on the main thread from its event loop (run()
// must be called there). The result is moved, not copied, so move-only results work, and an
// exception thrown by the work reaches the awaiting coroutine as itself. In Inline mode the work
// runs at once, inside run(). Work that never runs (its pool cleared or destroyed first) leaves the
// awaiting coroutine suspended: keep the pool alive for as long as work may be queued on it.
//
// Every job in ThreadPool mode is counted in WorkerJobs until its result is on its way back, so a
// manual clock never moves time while the job is busy (see ManualClock).
//
// Build the work as a named variable before passing it when it is a lambda that captures anything
// non-trivial: `auto work = [path] { ... }; co_await runner.run(std::move(work));`. GCC 12
// destroys lambda temporaries inside a co_await expression twice.
class WorkRunner {
public:
    // At the quit, once the owners of the coroutines awaiting work have gone: lets the jobs still
    // out end and hands their results back, so that each awaiting coroutine sees its owner gone
    // and ends, rather than wait for ever with everything it holds. Bounded, as a job that hangs
    // must not hold the quit up. Main thread.
    static void handBackOutstanding(QThreadPool *pool = QThreadPool::globalInstance());

    enum class Mode { ThreadPool, Inline };

    explicit WorkRunner(Mode mode = Mode::ThreadPool,
                        QThreadPool *pool = QThreadPool::globalInstance())
        : m_mode(mode), m_pool(pool) {}

    // Runs `work` (a callable returning R) and hands its result to the awaiting coroutine.
    // The callable is moved into the task; it must not refer to state that may die meanwhile.
    template <typename Work> auto run(Work work) -> QCoro::Task<std::invoke_result_t<Work &>> {
        using Result = std::invoke_result_t<Work &>;
        if (m_mode == Mode::Inline) {
            co_return work();
        }
        Q_ASSERT_X(isMainThread(), "WorkRunner::run", "main thread only");
        auto outcome = std::make_shared<workrunnerdetail::Outcome<Result>>();
        auto handoff = std::make_shared<workrunnerdetail::Handoff>();
        QThreadPool *pool = m_pool;
        auto body = [work = std::move(work), outcome, handoff, pool,
                     ticket = WorkerJobs::Ticket()]() mutable {
            {
                WorkerJobs::Running running(pool);
                try {
                    if constexpr (std::is_void_v<Result>) {
                        work();
                    } else {
                        outcome->value.emplace(work());
                    }
                } catch (...) {
                    outcome->error = std::current_exception();
                }
            }
            // The wake-up is queued before the job stops counting, so no clock moves time between.
            handoff->finish();
            const WorkerJobs::Ticket ended(std::move(ticket));
        };
        // Shared, because QThreadPool copies the function it runs and the work may be move-only.
        auto job = std::make_shared<decltype(body)>(std::move(body));
        std::function<void()> task = [job] {
            (void)workrunnerdetail::handOvers.load(std::memory_order_acquire);
            (*job)();
        };
        workrunnerdetail::handOvers.fetch_add(1, std::memory_order_release);
        pool->start(std::move(task));
        const workrunnerdetail::ForgetWaiterOnExit forget(handoff);
        workrunnerdetail::HandoffAwaiter finished{handoff};
        co_await finished;
        if (outcome->error) {
            std::rethrow_exception(outcome->error);
        }
        if constexpr (!std::is_void_v<Result>) {
            co_return std::move(*outcome->value);
        }
    }

private:
    Mode m_mode;
    QThreadPool *m_pool;
};

} // namespace zorv
