#include "workerclockdriver.h"

#include "manualclock.h"

#include <QThreadPool>

#include <exception>
#include <memory>

namespace zorv {

namespace {

QCoro::Task<> watch(QCoro::Task<> task, std::shared_ptr<bool> done,
                    std::shared_ptr<std::exception_ptr> error) {
    try {
        co_await task;
    } catch (...) {
        *error = std::current_exception();
    }
    *done = true;
}

} // namespace

void WorkerClockDriver::drain() {
    // A result delivered to the main thread may start the next job, so settle until both rest.
    for (int pass = 0; pass < 100; ++pass) {
        m_clock.settle();
        if (m_pool.activeThreadCount() == 0) {
            m_clock.settle();
            if (m_pool.activeThreadCount() == 0) {
                return;
            }
        }
        m_pool.waitForDone();
    }
}

void WorkerClockDriver::run(Duration duration) {
    const MonotonicTime target = deadlineAfter(m_clock.now(), duration);
    drain();
    while (true) {
        const MonotonicTime next = m_clock.nextDeadline();
        if (next < MonotonicTime::zero() || next > target) {
            break;
        }
        m_clock.advance(next - m_clock.now());
        drain();
    }
    if (m_clock.now() < target) {
        m_clock.advance(target - m_clock.now());
    }
    drain();
}

bool WorkerClockDriver::drive(QCoro::Task<> task, Duration limit) {
    auto done = std::make_shared<bool>(false);
    auto error = std::make_shared<std::exception_ptr>();
    watch(std::move(task), done, error);
    const MonotonicTime deadline = deadlineAfter(m_clock.now(), limit);
    drain();
    while (!*done && m_clock.now() < deadline) {
        run(seconds(0.01));
    }
    if (*error) {
        std::rethrow_exception(*error);
    }
    return *done;
}

} // namespace zorv
