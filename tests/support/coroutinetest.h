#pragma once

#include <QCoroTask>

#include <gtest/gtest.h>

#include <chrono>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

// Helpers for testing coroutines with GoogleTest.
//
// runTask(task) drives the Qt event loop until a QCoro::Task finishes and hands back its result,
// rethrowing its exception. A task that is still running when the wall-time limit passes records
// a test failure and throws TaskTimeout, so a coroutine that never resumes fails its test quickly
// instead of hanging the suite.
//
// gtest's ASSERT_* macros leave a function with `return`, which a coroutine cannot use. Inside a
// QCoro::Task<> (void) coroutine use the CO_ASSERT_* macros below instead: they record a fatal
// failure and co_return. Messages stream as usual: CO_ASSERT_TRUE(ok) << "while loading";
// In coroutines with a result, use the non-fatal EXPECT_* macros.

namespace zorv {

// Thrown by runTask() when the task outlives its wall-time limit.
class TaskTimeout : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace testdetail {

// What runTask() learns about the task it drives. Shared with the observing coroutine, which may
// outlive runTask() when the task timed out.
struct TaskWatch {
    bool finished = false;
    std::exception_ptr error;
    class QEventLoop *loop = nullptr;
};

template <typename T> struct TaskOutcome : TaskWatch { std::optional<T> value; };

template <> struct TaskOutcome<void> : TaskWatch {};

// Where runTask() was called from. Filled in by __builtin_FILE() and __builtin_LINE() in a default
// argument, which name the call site as std::source_location::current() does; that one is not
// available to clang 14 with this standard library.
struct CallSite {
    const char *file;
    int line;
};

// Marks the watch finished and stops the event loop runTask() is running, if any.
void finishWatch(TaskWatch &watch);

// Runs the event loop until `watch` is finished; past `wallLimit` records a failure at `caller`
// and throws TaskTimeout.
void waitForWatch(const std::shared_ptr<TaskWatch> &watch, std::chrono::milliseconds wallLimit,
                  const CallSite &caller);

template <typename T>
QCoro::Task<> observe(QCoro::Task<T> task, std::shared_ptr<TaskOutcome<T>> outcome) {
    try {
        if constexpr (std::is_void_v<T>) {
            co_await task;
        } else {
            outcome->value.emplace(co_await task);
        }
    } catch (...) {
        outcome->error = std::current_exception();
    }
    finishWatch(*outcome);
}

} // namespace testdetail

// Runs the event loop until `task` finishes and returns its result (or rethrows its exception).
template <typename T>
T runTask(QCoro::Task<T> task,
          std::chrono::milliseconds wallLimit = std::chrono::milliseconds(5000),
          testdetail::CallSite caller = {__builtin_FILE(), __builtin_LINE()}) {
    auto outcome = std::make_shared<testdetail::TaskOutcome<T>>();
    testdetail::observe(std::move(task), outcome);
    testdetail::waitForWatch(outcome, wallLimit, caller);
    if (outcome->error) {
        std::rethrow_exception(outcome->error);
    }
    if constexpr (!std::is_void_v<T>) {
        return std::move(*outcome->value);
    }
}

} // namespace zorv

// Fatal failure for coroutines: records the failure, then leaves the coroutine with co_return
// (a co_return of a void expression is a plain co_return).
#define ZORV_CO_FATAL_FAILURE_(message)                                                            \
    co_return GTEST_MESSAGE_AT_(__FILE__, __LINE__, message,                                       \
                                ::testing::TestPartResult::kFatalFailure)

#define CO_ASSERT_TRUE(condition)                                                                  \
    GTEST_TEST_BOOLEAN_(condition, #condition, false, true, ZORV_CO_FATAL_FAILURE_)
#define CO_ASSERT_FALSE(condition)                                                                 \
    GTEST_TEST_BOOLEAN_(!(condition), #condition, true, false, ZORV_CO_FATAL_FAILURE_)
#define CO_ASSERT_EQ(val1, val2)                                                                   \
    GTEST_PRED_FORMAT2_(::testing::internal::EqHelper::Compare, val1, val2, ZORV_CO_FATAL_FAILURE_)
#define CO_ASSERT_NE(val1, val2)                                                                   \
    GTEST_PRED_FORMAT2_(::testing::internal::CmpHelperNE, val1, val2, ZORV_CO_FATAL_FAILURE_)
