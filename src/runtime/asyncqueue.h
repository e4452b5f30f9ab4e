#pragma once

#include "mainthread.h"

#include <QCoroTask>

#include <coroutine>
#include <deque>
#include <memory>
#include <optional>
#include <utility>

namespace zorv {

// A lossless single-consumer stream of values: every push is delivered once, in push order, to
// the one consumer awaiting next(). A waiting consumer resumes from the event loop on the main
// thread, never inside push(), so the producer's synchronous step always completes first. Values
// pushed before the consumer first awaits are kept and delivered in order. Main thread only.
//
// Destroying the queue ends the stream: a consumer waiting in next() receives nullopt at once,
// inside the destructor (values still queued are dropped: no one can ask for them any more), so
// its loop ends even when no event loop turns again, as at shutdown. On nullopt the consumer must
// neither touch the producer, which is being destroyed, nor call next() again.
template <typename T> class AsyncQueue {
public:
    AsyncQueue() : m_state(std::make_shared<State>()) {}
    ~AsyncQueue() { m_state->close(); }
    AsyncQueue(const AsyncQueue &) = delete;
    AsyncQueue &operator=(const AsyncQueue &) = delete;

    void push(T value) {
        Q_ASSERT_X(isMainThread(), "AsyncQueue::push", "main thread only");
        m_state->push(std::move(value));
    }
    // Ends the stream: the consumer drains what is queued, then next() yields nullopt. Pushes
    // after this are ignored.
    void finish() { m_state->finish(); }
    [[nodiscard]] std::size_t queued() const { return m_state->values.size(); }

    // The next value, or nullopt once the stream is finished and drained. One consumer at a time.
    QCoro::Task<std::optional<T>> next() {
        // A named awaiter, never a temporary: GCC 12 destroys a temporary awaiter twice.
        NextAwaiter awaiter{m_state};
        co_return co_await awaiter;
    }

private:
    // Shared with the posted wake-up, which may run after the queue is gone.
    struct State : std::enable_shared_from_this<State> {
        std::deque<T> values;
        bool finished = false;
        std::coroutine_handle<> waiter;
        bool wakeScheduled = false;

        void push(T value) {
            if (finished) {
                return;
            }
            values.push_back(std::move(value));
            scheduleWake();
        }

        void finish() {
            finished = true;
            scheduleWake();
        }

        void close() {
            values.clear();
            finished = true;
            if (auto handle = std::exchange(waiter, {})) {
                handle.resume();
            }
        }

        void scheduleWake() {
            if (!waiter || wakeScheduled) {
                return;
            }
            wakeScheduled = true;
            postToMainThread([self = this->shared_from_this()] {
                self->wakeScheduled = false;
                // Empty when close() has resumed the consumer meanwhile.
                if (auto handle = std::exchange(self->waiter, {})) {
                    handle.resume();
                }
            });
        }
    };

    struct NextAwaiter {
        std::shared_ptr<State> state;

        bool await_ready() const noexcept { return !state->values.empty() || state->finished; }
        void await_suspend(std::coroutine_handle<> handle) noexcept {
            Q_ASSERT_X(!state->waiter, "AsyncQueue::next", "one consumer at a time");
            state->waiter = handle;
        }
        std::optional<T> await_resume() {
            if (state->values.empty()) {
                return std::nullopt;
            }
            std::optional<T> value(std::move(state->values.front()));
            state->values.pop_front();
            return value;
        }
    };

    std::shared_ptr<State> m_state;
};

} // namespace zorv
