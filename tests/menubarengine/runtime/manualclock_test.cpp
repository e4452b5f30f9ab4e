#include "manualclock.h"

#include "coroutinetest.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace zorv {
namespace {

constexpr auto E = SleepOutcome::Elapsed;
constexpr auto C = SleepOutcome::Cancelled;

struct Wake {
    int label;
    MonotonicTime at;
    SleepOutcome outcome;
    QThread *thread = QCoreApplication::instance()->thread();
    bool operator==(const Wake &) const = default;
};

void PrintTo(const Wake &wake, std::ostream *out) {
    *out << "{" << wake.label << " at " << toSeconds(wake.at) << " s, "
         << (wake.outcome == E ? "elapsed" : "cancelled") << "}";
}

using Log = std::vector<Wake>;

QCoro::Task<> sleepAndLog(ManualClock *clock, Duration duration, int label, Log *log,
                          CancellationToken cancellation = {}) {
    const SleepOutcome outcome = co_await clock->sleep(duration, cancellation);
    log->push_back({label, clock->now(), outcome, QThread::currentThread()});
}

struct OrderCase {
    const char *name;
    std::vector<Duration> sleeps; // started in this order, labelled 0, 1, ...
    Duration advance;
    Log expected;
    MonotonicTime nextDeadline;
};

void PrintTo(const OrderCase &row, std::ostream *out) {
    *out << row.name;
}

class ManualClockOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ManualClockOrder, WakesInDeadlineOrderTiesInSleepOrder) {
    const OrderCase &row = GetParam();
    ManualClock clock;
    Log log;
    for (std::size_t i = 0; i < row.sleeps.size(); ++i) {
        sleepAndLog(&clock, row.sleeps[i], static_cast<int>(i), &log);
    }
    EXPECT_TRUE(log.empty()) << "a sleep woke inside the call that started it";
    clock.advance(row.advance);
    EXPECT_EQ(log, row.expected);
    EXPECT_EQ(clock.sleeperCount(), static_cast<int>(row.sleeps.size() - log.size()));
    EXPECT_EQ(clock.nextDeadline(), row.nextDeadline);
    EXPECT_EQ(clock.now(), std::max(row.advance, Duration::zero()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ManualClockOrder,
    ::testing::Values(
        OrderCase{"DeadlineOrder", {3s, 1s, 2s}, 5s, {{1, 1s, E}, {2, 2s, E}, {0, 3s, E}}, -1ns},
        OrderCase{"TiesInSleepOrder", {1s, 1s, 1s}, 1s, {{0, 1s, E}, {1, 1s, E}, {2, 1s, E}}, -1ns},
        OrderCase{"ZeroAndNegativeWakeWithoutTimeMoving",
                  {0s, -1s, 1s},
                  0s,
                  {{0, 0s, E}, {1, 0s, E}},
                  1s},
        OrderCase{"PartialAdvanceLeavesLaterSleepers", {7s, 1s}, 2s, {{1, 1s, E}}, 7s},
        OrderCase{"NegativeAdvanceIsNoAdvance", {1s}, -3s, {}, 1s}),
    [](const auto &info) { return std::string(info.param.name); });

QCoro::Task<> sleepThrice(ManualClock *clock, Log *log) {
    for (int i = 0; i < 3; ++i) {
        co_await clock->sleep(1s);
        log->push_back({0, clock->now(), E});
    }
}

TEST(ManualClock, ChainsOfSleepsResolveWithinOneAdvanceEachAtItsOwnTime) {
    const QDateTime start(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC);
    ManualClock clock(start);
    Log log;
    sleepThrice(&clock, &log);
    sleepAndLog(&clock, 1500ms, 1, &log);
    clock.advance(5s);
    EXPECT_EQ(log, (Log{{0, 1s, E}, {1, 1500ms, E}, {0, 2s, E}, {0, 3s, E}}));
    EXPECT_EQ(clock.now(), 5s);
    EXPECT_EQ(clock.wallNow(), start.addSecs(5));
}

struct CancelCase {
    const char *name;
    bool before;    // cancelled before the sleep starts
    Duration after; // else cancelled once this much time has passed
    Log expected;
};

void PrintTo(const CancelCase &row, std::ostream *out) {
    *out << row.name;
}

class ManualClockCancellation : public ::testing::TestWithParam<CancelCase> {};

TEST_P(ManualClockCancellation, ACancelledSleeperWakesAtOnceWithCancelled) {
    const CancelCase &row = GetParam();
    ManualClock clock;
    CancellationSource source;
    if (row.before) {
        source.cancel();
    }
    Log log;
    sleepAndLog(&clock, 10s, 0, &log, source.token());
    sleepAndLog(&clock, 10s, 1, &log);
    if (!row.before) {
        clock.advance(row.after);
        source.cancel();
    }
    EXPECT_EQ(log.size(), row.after >= 10s ? 2u : 0u) << "resumed inside cancel()";
    clock.settle();
    clock.advance(10s - std::min<Duration>(row.after, 10s));
    EXPECT_EQ(log, row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ManualClockCancellation,
    ::testing::Values(CancelCase{"BeforeTheSleep", true, 0s, {{0, 0s, C}, {1, 10s, E}}},
                      CancelCase{"DuringTheSleep", false, 1s, {{0, 1s, C}, {1, 10s, E}}},
                      CancelCase{
                          "AfterTheWakeChangesNothing", false, 10s, {{0, 10s, E}, {1, 10s, E}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ManualClock, OtherThreadsWakeSleepersOnlyOnTheMainThread) {
    ManualClock clock;
    CancellationSource source;
    Log log;
    sleepAndLog(&clock, 10s, 0, &log, source.token());
    sleepAndLog(&clock, 5s, 1, &log);
    sleepAndLog(&clock, 20s, 2, &log);
    std::thread worker([&] {
        source.cancel();
        for (int i = 0; i < 3; ++i) {
            clock.blockingSleep(4s); // moves virtual time instead of waiting
        }
    });
    worker.join();
    EXPECT_EQ(clock.now(), 12s);
    EXPECT_TRUE(log.empty()) << "woken on the worker thread";
    clock.settle();
    EXPECT_EQ(log, (Log{{0, 12s, C}, {1, 12s, E}}));
}

QCoro::Task<> sleepAnHour(ManualClock *clock, int *wakes) {
    for (int i = 0; i < 3600; ++i) {
        co_await clock->sleep(1s);
        ++*wakes;
    }
}

TEST(ManualClockFastForward, AnHourOfSleepsRunsAtOnceUnderAnEventLoop) {
    ManualClock clock;
    clock.setFastForward(true);
    int wakes = 0;
    runTask(sleepAnHour(&clock, &wakes), 1000ms);
    EXPECT_EQ(wakes, 3600);
    EXPECT_EQ(clock.now(), 3600s);
}

TEST(ManualClockFastForward, WorksUnderTheApplicationsOwnLoop) {
    ManualClock clock;
    clock.setFastForward(true);
    int wakes = 0;
    sleepAnHour(&clock, &wakes).then([] { QCoreApplication::exit(0); });
    QTimer::singleShot(3000, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(wakes, 3600);
}

// Posts a chain of queued calls, the last of which starts a short sleep.
void postChain(ManualClock *clock, int depth, Log *log) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [=] {
            if (depth == 0) {
                sleepAndLog(clock, 1s, 1, log);
            } else {
                postChain(clock, depth - 1, log);
            }
        },
        Qt::QueuedConnection);
}

TEST(ManualClockFastForward, JumpsOnlyWhenTheLoopHasNothingElseToDo) {
    ManualClock clock;
    clock.setFastForward(true);
    Log log;
    auto last = sleepAndLog(&clock, 10s, 0, &log);
    postChain(&clock, 5, &log);
    runTask(std::move(last));
    EXPECT_EQ(log, (Log{{1, 1s, E}, {0, 10s, E}}));
}

int loopPassesDuring(std::chrono::milliseconds wall) {
    int passes = 0;
    auto connection = QObject::connect(QAbstractEventDispatcher::instance(),
                                       &QAbstractEventDispatcher::aboutToBlock, [&] { ++passes; });
    QEventLoop loop;
    QTimer::singleShot(wall, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);
    return passes;
}

TEST(ManualClockFastForward, AnIdleLoopWithoutSleepersBlocksInsteadOfSpinning) {
    ManualClock clock;
    clock.setFastForward(true);
    Log log;
    sleepAndLog(&clock, 10s, 0, &log);
    EXPECT_LT(loopPassesDuring(20ms), 50);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_EQ(clock.now(), 10s) << "time moved without a sleeper";
}

TEST(ManualClock, DestroyingTheClockAbandonsItsSleepers) {
    Log log;
    CancellationSource source;
    {
        ManualClock clock;
        sleepAndLog(&clock, 1s, 0, &log, source.token());
    }
    source.cancel();
    QCoreApplication::processEvents();
    EXPECT_TRUE(log.empty());
}

} // namespace
} // namespace zorv
