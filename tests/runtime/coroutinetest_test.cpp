#include "coroutinetest.h"

#include <gtest/gtest-spi.h>

#include <coroutine>

using namespace std::chrono_literals;

namespace zorv {
namespace {

// Parks the coroutine until the test resumes it by hand, so that it can still end (and free its
// frame) once the harness has given up on it.
struct Parked {
    std::coroutine_handle<> *slot;
    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> handle) noexcept { *slot = handle; }
    void await_resume() const noexcept {}
};

QCoro::Task<> parkedIn(std::coroutine_handle<> *slot) {
    Parked parked{slot}; // named: GCC 12 destroys a braced temporary in co_await twice
    co_await parked;
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
    static std::coroutine_handle<> parked; // EXPECT_NONFATAL_FAILURE's statement cannot see locals
    parked = {};
    EXPECT_NONFATAL_FAILURE(
        {
            try {
                runTask(parkedIn(&parked), 20ms);
            } catch (const TaskTimeout &) {
            }
        },
        "did not finish within 20 ms");
    ASSERT_TRUE(parked);
    parked.resume(); // ends the task after all, outside any loop of the harness
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
