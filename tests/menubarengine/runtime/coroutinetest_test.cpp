#include "coroutinetest.h"

#include <QCoroTimer>

#include <gtest/gtest-spi.h>

#include <coroutine>
#include <stdexcept>

using namespace std::chrono_literals;

namespace zorv {
namespace {

QCoro::Task<int> answerAfterATurn() {
    co_await QCoro::sleepFor(0ms);
    co_return 42;
}

QCoro::Task<> failAfterATurn() {
    co_await QCoro::sleepFor(0ms);
    throw std::runtime_error("broken");
}

QCoro::Task<> never() {
    co_await std::suspend_always{};
}

QCoro::Task<> checks(bool holds, int *reached) {
    CO_ASSERT_TRUE(holds) << "extra context";
    CO_ASSERT_FALSE(!holds);
    CO_ASSERT_EQ(1 + 1, 2);
    CO_ASSERT_NE(1, 2);
    ++*reached;
}

TEST(CoroutineTest, RunTaskReturnsTheResultAfterTheEventLoopRuns) {
    EXPECT_EQ(runTask(answerAfterATurn()), 42);
}

TEST(CoroutineTest, RunTaskRethrowsTheTasksException) {
    EXPECT_THROW(runTask(failAfterATurn()), std::runtime_error);
}

TEST(CoroutineTest, AHungTaskFailsAtTheWallLimit) {
    EXPECT_NONFATAL_FAILURE(
        {
            try {
                runTask(never(), 20ms);
            } catch (const TaskTimeout &) {
            }
        },
        "did not finish within 20 ms");
}

TEST(CoroutineTest, CoAssertStopsTheCoroutineAtTheFirstFailure) {
    // EXPECT_FATAL_FAILURE's statement cannot see locals.
    static int reached = 0;
    runTask(checks(true, &reached));
    EXPECT_EQ(reached, 1);
    EXPECT_FATAL_FAILURE(runTask(checks(false, &reached)), "extra context");
    EXPECT_EQ(reached, 1);
}

} // namespace
} // namespace zorv
