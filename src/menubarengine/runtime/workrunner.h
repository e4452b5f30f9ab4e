#pragma once

#include <QCoroFuture>
#include <QCoroTask>
#include <QFuture>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <functional>

namespace zorv {

// Runs blocking work off the main thread and lets a coroutine await its result. Production code
// uses a thread pool; tests may run the work inline so that it happens deterministically.
class WorkRunner {
public:
    enum class Mode { ThreadPool, Inline };

    explicit WorkRunner(Mode mode = Mode::ThreadPool,
                        QThreadPool *pool = QThreadPool::globalInstance())
        : m_mode(mode), m_pool(pool) {}

    [[nodiscard]] Mode mode() const { return m_mode; }

    // Runs `work` (a callable returning R) and resumes the awaiting coroutine on the main thread.
    // The callable is copied into the task; it must not refer to state that may die meanwhile.
    template <typename Work> auto run(Work work) -> QCoro::Task<std::invoke_result_t<Work>> {
        using Result = std::invoke_result_t<Work>;
        if (m_mode == Mode::Inline) {
            if constexpr (std::is_void_v<Result>) {
                work();
                co_return;
            } else {
                co_return work();
            }
        }
        QFuture<Result> future = QtConcurrent::run(m_pool, std::move(work));
        if constexpr (std::is_void_v<Result>) {
            co_await future;
        } else {
            co_return co_await future;
        }
    }

private:
    Mode m_mode;
    QThreadPool *m_pool;
};

} // namespace zorv
