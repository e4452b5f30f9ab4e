#include "workerclockdriver.h"

#include "manualclock.h"

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
    m_clock.advance(Duration::zero());
}

void WorkerClockDriver::run(Duration duration) {
    m_clock.advance(duration);
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
