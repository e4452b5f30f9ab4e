#pragma once

#include <QCoroTask>
#include <QMetaObject>
#include <QCoreApplication>

#include <coroutine>
#include <deque>
#include <utility>
#include <memory>
#include <optional>

namespace zorv {

// A lossless single-consumer stream of values: every push is delivered once, in push order, to
// the one consumer awaiting next(). A waiting consumer resumes from the event loop on the main
// thread, after the producer's synchronous step has finished. Main thread only.
//
// Values pushed before the consumer first awaits are kept and delivered in order.
template<typename T>
class AsyncQueue {
public:
    AsyncQueue() : m_state(std::make_shared<State>()) {}

    void push(T value) { m_state->push(std::move(value)); }
    // Ends the stream: the consumer drains what is queued, then next() yields nullopt.
    void finish() { m_state->finish(); }
    [[nodiscard]] bool isFinished() const { return m_state->finished; }
    [[nodiscard]] std::size_t queued() const { return m_state->values.size(); }

    // The next value, or nullopt once the stream is finished and drained.
    QCoro::Task<std::optional<T>> next()
    {
        // A named awaiter, never a temporary: GCC 12 destroys a temporary awaiter twice when the
        // value is ready at once, releasing the shared state one time too many.
        NextAwaiter awaiter{m_state};
        co_return co_await awaiter;
    }

private:
    struct State : std::enable_shared_from_this<State> {
        std::deque<T> values;
        bool finished = false;
        std::coroutine_handle<> waiter;
        bool wakeScheduled = false;

        void push(T value)
        {
            if (finished) {
                return;
            }
            values.push_back(std::move(value));
            scheduleWake();
        }

        void finish()
        {
            finished = true;
            scheduleWake();
        }

        void scheduleWake()
        {
            if (!waiter || wakeScheduled) {
                return;
            }
            wakeScheduled = true;
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self = this->shared_from_this()]() {
                    self->wakeScheduled = false;
                    auto handle = std::exchange(self->waiter, {});
                    if (handle) {
                        handle.resume();
                    }
                },
                Qt::QueuedConnection);
        }
    };

    struct NextAwaiter {
        std::shared_ptr<State> state;
        bool await_ready() const noexcept { return !state->values.empty() || state->finished; }
        void await_suspend(std::coroutine_handle<> handle) noexcept { state->waiter = handle; }
        std::optional<T> await_resume()
        {
            if (state->values.empty()) {
                return std::nullopt;
            }
            T value = std::move(state->values.front());
            state->values.pop_front();
            return value;
        }
    };

    std::shared_ptr<State> m_state;
};

} // namespace zorv
