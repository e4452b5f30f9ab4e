#include "realclock.h"

#include "coroutinetest.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace zorv {
namespace {

// Seconds from settings and scenario files convert within range and saturate outside it, where a
// plain cast would be undefined behaviour.
TEST(Seconds, ConvertsWithinRangeAndSaturatesOutsideIt) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const std::pair<double, Duration> cases[] = {{0.4, 400ms},
                                                 {-1.5, -1500ms},
                                                 {1e300, Duration::max()},
                                                 {-1e300, Duration::min()},
                                                 {kInfinity, Duration::max()},
                                                 {-kInfinity, Duration::min()},
                                                 {std::numeric_limits<double>::quiet_NaN(), 0s}};
    for (const auto &[value, expected] : cases) {
        EXPECT_EQ(seconds(value), expected) << value;
    }
}

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
    std::optional<std::chrono::milliseconds>
        cancelAt; // by a worker thread; negative: before the sleep starts
    SleepOutcome expected;
    Duration atLeast;
};

class RealClockSleep : public ::testing::TestWithParam<SleepCase> {};

TEST_P(RealClockSleep, EndsAtItsDeadlineOrPromptlyOnCancellationOnTheMainThread) {
    const SleepCase &row = GetParam();
    RealClock clock;
    CancellationSource source;
    if (row.cancelAt && *row.cancelAt < 0s) {
        source.cancel();
    } else if (row.cancelAt) {
        QTimer::singleShot(*row.cancelAt,
                           [&source] { std::thread([&source] { source.cancel(); }).join(); });
    }
    // The wall limit is the real check for "promptly": a missed cancellation sleeps for minutes.
    const Slept slept = runTask(timedSleep(&clock, row.duration, source.token()), 2000ms);
    EXPECT_EQ(slept.outcome, row.expected);
    EXPECT_GE(slept.took, row.atLeast);
    EXPECT_EQ(slept.resumedOn, QCoreApplication::instance()->thread());
}

// 2^32 + 1 ms: an interval narrowed to an int would fire after 1 ms, before the cancellation.
constexpr Duration kBeyondTheTimerRange = std::chrono::milliseconds((qint64(1) << 32) + 1);

const SleepCase kSleeps[] = {
    {"SubMillisecondNeverEndsEarly", 300us, std::nullopt, SleepOutcome::Elapsed, 300us},
    {"NegativeElapsesNextTurn", -5ms, std::nullopt, SleepOutcome::Elapsed, 0ms},
    {"CancelledBefore", 600s, -1ms, SleepOutcome::Cancelled, 0ms},
    {"CancelledWhileAsleep", 600s, 2ms, SleepOutcome::Cancelled, 2ms},
    {"BeyondTheTimerRangeUntilCancelled", kBeyondTheTimerRange, 15ms, SleepOutcome::Cancelled,
     15ms},
};

INSTANTIATE_TEST_SUITE_P(Cases, RealClockSleep, ::testing::ValuesIn(kSleeps),
                         [](const auto &info) { return std::string(info.param.name); });

QCoro::Task<> sleepAndCount(RealClock *clock, Duration duration, CancellationToken token,
                            std::vector<SleepOutcome> *outcomes) {
    outcomes->push_back(co_await clock->sleep(duration, token));
}

// Destroying the clock ends the sleeps it holds at once (so no coroutine frame is left behind),
// including one whose cancellation is on its way, and none of them wakes a second time.
TEST(RealClock, DestroyingTheClockEndsEverySleepOnceCancelled) {
    std::vector<SleepOutcome> outcomes;
    CancellationSource cancelledFirst;
    CancellationSource cancelledAfter;
    auto clock = std::make_unique<RealClock>();
    sleepAndCount(clock.get(), 1ms, cancelledAfter.token(), &outcomes);
    sleepAndCount(clock.get(), 1h, cancelledFirst.token(), &outcomes);
    cancelledFirst.cancel();
    clock.reset();
    EXPECT_EQ(outcomes, std::vector(2, SleepOutcome::Cancelled));
    cancelledAfter.cancel();
    QTimer::singleShot(5ms, QCoreApplication::instance(), [] {});
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    EXPECT_EQ(outcomes.size(), 2u);
}

// A worker's blocking sleep ends as soon as its token is cancelled from another thread, and at
// once when the token already is.
TEST(RealClock, BlockingSleepEndsOnCancellation) {
    RealClock clock;
    CancellationSource source;
    SleepOutcome outcome = SleepOutcome::Elapsed;
    std::thread worker([&] { outcome = clock.blockingSleep(1h, source.token()); });
    std::this_thread::sleep_for(5ms);
    source.cancel();
    worker.join();
    EXPECT_EQ(outcome, SleepOutcome::Cancelled);
    EXPECT_EQ(clock.blockingSleep(1h, source.token()), SleepOutcome::Cancelled);
    EXPECT_EQ(clock.blockingSleep(1ms), SleepOutcome::Elapsed);
}

} // namespace
} // namespace zorv
