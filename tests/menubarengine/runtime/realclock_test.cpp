#include "realclock.h"

#include "coroutinetest.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <thread>

using namespace std::chrono_literals;

namespace zorv {
namespace {

struct Slept {
    SleepOutcome outcome;
    Duration took;
    QThread *resumedOn;
};

QCoro::Task<Slept> timedSleep(RealClock *clock, Duration duration, CancellationToken token) {
    const MonotonicTime start = clock->now();
    const SleepOutcome outcome = co_await clock->sleep(duration, token);
    co_return Slept{outcome, clock->now() - start, QThread::currentThread()};
}

struct SleepCase {
    const char *name;
    Duration duration;
    bool cancelBefore;
    std::chrono::milliseconds cancelAfter; // 0: never cancelled while asleep
    SleepOutcome expected;
    Duration atLeast;
};

void PrintTo(const SleepCase &row, std::ostream *out) {
    *out << row.name;
}

class RealClockSleep : public ::testing::TestWithParam<SleepCase> {};

TEST_P(RealClockSleep, EndsAtItsDeadlineOrPromptlyOnCancellation) {
    const SleepCase &row = GetParam();
    RealClock clock;
    CancellationSource source;
    if (row.cancelBefore) {
        source.cancel();
    }
    if (row.cancelAfter > 0ms) {
        QTimer::singleShot(row.cancelAfter, [&source] { source.cancel(); });
    }
    // The wall limit is the real check for "promptly": a missed cancellation sleeps for minutes.
    const Slept slept = runTask(timedSleep(&clock, row.duration, source.token()), 2000ms);
    EXPECT_EQ(slept.outcome, row.expected);
    EXPECT_GE(slept.took, row.atLeast);
    EXPECT_EQ(slept.resumedOn, QCoreApplication::instance()->thread());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RealClockSleep,
    ::testing::Values(
        SleepCase{"Elapses", 3ms, false, 0ms, SleepOutcome::Elapsed, 3ms},
        SleepCase{"SubMillisecondNeverEndsEarly", 300us, false, 0ms, SleepOutcome::Elapsed, 300us},
        SleepCase{"ZeroElapsesNextTurn", 0ms, false, 0ms, SleepOutcome::Elapsed, 0ms},
        SleepCase{"NegativeElapsesNextTurn", -5ms, false, 0ms, SleepOutcome::Elapsed, 0ms},
        SleepCase{"CancelledBefore", 600s, true, 0ms, SleepOutcome::Cancelled, 0ms},
        SleepCase{"CancelledWhileAsleep", 600s, false, 2ms, SleepOutcome::Cancelled, 2ms}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RealClock, CancelFromAWorkerThreadWakesTheSleeperOnTheMainThread) {
    RealClock clock;
    CancellationSource source;
    QTimer::singleShot(1ms, [&source] { std::thread([&source] { source.cancel(); }).join(); });
    const Slept slept = runTask(timedSleep(&clock, 600s, source.token()), 2000ms);
    EXPECT_EQ(slept.outcome, SleepOutcome::Cancelled);
    EXPECT_EQ(slept.resumedOn, QCoreApplication::instance()->thread());
}

TEST(RealClock, BlockingSleepWaitsOnTheCallingThread) {
    RealClock clock;
    const MonotonicTime start = clock.now();
    std::thread([&clock] { clock.blockingSleep(2ms); }).join();
    EXPECT_GE(clock.now() - start, 2ms);
}

QCoro::Task<> sleepAndFlag(RealClock *clock, CancellationToken token, bool *woke) {
    co_await clock->sleep(1ms, token);
    *woke = true;
}

TEST(RealClock, DestroyingTheClockAbandonsItsSleepers) {
    bool woke = false;
    CancellationSource source;
    auto clock = std::make_unique<RealClock>();
    sleepAndFlag(clock.get(), source.token(), &woke);
    clock.reset();
    source.cancel();
    QTimer::singleShot(5ms, QCoreApplication::instance(), [] {});
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    EXPECT_FALSE(woke);
}

} // namespace
} // namespace zorv
