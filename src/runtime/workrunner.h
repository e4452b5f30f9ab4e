#pragma once

#include <QCoroFuture>
#include <QCoroTask>
#include <QFuture>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>
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

} // namespace workrunnerdetail

// Runs blocking work off the main thread and lets a coroutine await its result. Production code
// uses a thread pool; tests may run the work inline so that it happens deterministically.
//
// In ThreadPool mode the awaiting coroutine resumes on the main thread from its event loop (run()
// must be called there). The result is moved, not copied, so move-only results work, and an
// exception thrown by the work reaches the awaiting coroutine as itself (QtConcurrent alone
// would wrap it in QUnhandledException). In Inline mode the work runs at once, inside run().
// Work that never runs (its pool cleared or destroyed first) leaves the awaiting coroutine
// suspended: keep the pool alive for as long as work may be queued on it.
//
// Build the work as a named variable before passing it when it is a lambda that captures anything
// non-trivial: `auto work = [path] { ... }; co_await runner.run(std::move(work));`. GCC 12
// destroys lambda temporaries inside a co_await expression twice.
class WorkRunner {
public:
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
        auto outcome = std::make_shared<workrunnerdetail::Outcome<Result>>();
        auto job = [work = std::move(work), outcome]() mutable {
            try {
                if constexpr (std::is_void_v<Result>) {
                    work();
                } else {
                    outcome->value.emplace(work());
                }
            } catch (...) {
                outcome->error = std::current_exception();
            }
        };
        QFuture<void> future = QtConcurrent::run(m_pool, std::move(job));
        co_await future;
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
