#include "coroutinetest.h"

#include <gtest/gtest-spi.h>

#include <coroutine>

using namespace std::chrono_literals;

namespace zorv {
namespace {

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

// A harness that let a hung task or a failed coroutine assertion pass would hide real faults.
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
    static int reached; // EXPECT_FATAL_FAILURE's statement cannot see locals
    reached = 0;        // a static keeps its value into the next repetition
    runTask(checks(true, &reached));
    EXPECT_EQ(reached, 1);
    EXPECT_FATAL_FAILURE(runTask(checks(false, &reached)), "extra context");
    EXPECT_EQ(reached, 1);
}

} // namespace
} // namespace zorv
