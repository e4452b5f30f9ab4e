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

struct Wake {
    int label;
    MonotonicTime at;
    SleepOutcome outcome;
    bool operator==(const Wake &) const = default;
};

void PrintTo(const Wake &wake, std::ostream *out) {
    *out << "{" << wake.label << " at " << toSeconds(wake.at) << " s, "
         << (wake.outcome == SleepOutcome::Elapsed ? "elapsed" : "cancelled") << "}";
}

QCoro::Task<> sleepAndLog(ManualClock *clock, Duration duration, int label, std::vector<Wake> *log,
                          CancellationToken cancellation = {}) {
    const SleepOutcome outcome = co_await clock->sleep(duration, cancellation);
    log->push_back({label, clock->now(), outcome});
}

struct OrderCase {
    const char *name;
    std::vector<Duration> sleeps; // started in this order, labelled 0, 1, ...
    Duration advance;
    std::vector<Wake> expected;
    int stillAsleep;
};

class ManualClockOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ManualClockOrder, WakesInDeadlineOrderTiesInSleepOrder) {
    const OrderCase &row = GetParam();
    ManualClock clock;
    std::vector<Wake> log;
    for (std::size_t i = 0; i < row.sleeps.size(); ++i) {
        sleepAndLog(&clock, row.sleeps[i], static_cast<int>(i), &log);
    }
    EXPECT_TRUE(log.empty()) << "a sleep never wakes inside the call that starts it";
    clock.advance(row.advance);
    EXPECT_EQ(log, row.expected);
    EXPECT_EQ(clock.sleeperCount(), row.stillAsleep);
    EXPECT_EQ(clock.now(), std::max(row.advance, Duration::zero()));
}

constexpr auto E = SleepOutcome::Elapsed;

INSTANTIATE_TEST_SUITE_P(
    Cases, ManualClockOrder,
    ::testing::Values(
        OrderCase{"DeadlineOrder", {3s, 1s, 2s}, 5s, {{1, 1s, E}, {2, 2s, E}, {0, 3s, E}}, 0},
        OrderCase{"TiesInSleepOrder", {1s, 1s, 1s}, 1s, {{0, 1s, E}, {1, 1s, E}, {2, 1s, E}}, 0},
        OrderCase{
            "ZeroAndNegativeWakeWithoutTimeMoving", {0s, -1s, 1s}, 0s, {{0, 0s, E}, {1, 0s, E}}, 1},
        OrderCase{"PartialAdvanceLeavesLaterSleepers", {1s, 5s}, 2s, {{0, 1s, E}}, 1},
        OrderCase{"NegativeAdvanceIsNoAdvance", {1s}, -3s, {}, 1}),
    [](const auto &info) { return std::string(info.param.name); });

QCoro::Task<> sleepThrice(ManualClock *clock, std::vector<Wake> *log, int label) {
    for (int i = 0; i < 3; ++i) {
        co_await clock->sleep(1s);
        log->push_back({label, clock->now(), E});
    }
}

TEST(ManualClock, ChainsOfSleepsResolveWithinOneAdvanceEachAtItsOwnTime) {
    ManualClock clock;
    std::vector<Wake> log;
    sleepThrice(&clock, &log, 0);
    sleepAndLog(&clock, 1500ms, 1, &log);
    clock.advance(5s);
    const std::vector<Wake> expected{{0, 1s, E}, {1, 1500ms, E}, {0, 2s, E}, {0, 3s, E}};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(clock.now(), 5s);
    EXPECT_EQ(clock.sleeperCount(), 0);
}

TEST(ManualClock, ReportsSleepersAndTheEarliestDeadline) {
    ManualClock clock;
    std::vector<Wake> log;
    EXPECT_EQ(clock.nextDeadline(), MonotonicTime(-1));
    sleepAndLog(&clock, 7s, 0, &log);
    sleepAndLog(&clock, 2s, 1, &log);
    EXPECT_EQ(clock.sleeperCount(), 2);
    EXPECT_EQ(clock.nextDeadline(), 2s);
}

TEST(ManualClock, WallTimeFollowsVirtualTime) {
    const QDateTime start(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC);
    ManualClock clock(start);
    clock.advance(seconds(90.5));
    EXPECT_EQ(clock.wallNow(), start.addMSecs(90500));
    EXPECT_EQ(clock.wallNow().timeSpec(), Qt::UTC);
}

TEST(ManualClockCancellation, CancelledBeforeSleepingWakesAtOnceWithCancelled) {
    ManualClock clock;
    CancellationSource source;
    source.cancel();
    std::vector<Wake> log;
    sleepAndLog(&clock, 10s, 0, &log, source.token());
    EXPECT_EQ(clock.sleeperCount(), 0);
    clock.settle();
    EXPECT_EQ(log, (std::vector<Wake>{{0, 0s, SleepOutcome::Cancelled}}));
}

TEST(ManualClockCancellation, CancelledDuringSleepWakesAtOnceNotAtItsDeadline) {
    ManualClock clock;
    CancellationSource source;
    std::vector<Wake> log;
    sleepAndLog(&clock, 10s, 0, &log, source.token());
    sleepAndLog(&clock, 10s, 1, &log);
    clock.advance(1s);
    source.cancel();
    EXPECT_TRUE(log.empty()) << "resumed inside cancel()";
    EXPECT_EQ(clock.sleeperCount(), 1);
    clock.settle();
    EXPECT_EQ(log, (std::vector<Wake>{{0, 1s, SleepOutcome::Cancelled}}));
    clock.advance(9s);
    EXPECT_EQ(log.back(), (Wake{1, 10s, E}));
}

TEST(ManualClockCancellation, CancellingAfterTheWakeChangesNothing) {
    ManualClock clock;
    CancellationSource source;
    std::vector<Wake> log;
    sleepAndLog(&clock, 1s, 0, &log, source.token());
    clock.advance(1s);
    source.cancel();
    clock.settle();
    EXPECT_EQ(log, (std::vector<Wake>{{0, 1s, E}}));
}

QCoro::Task<> sleepAndNoteThread(ManualClock *clock, CancellationToken token, QThread **resumedOn,
                                 SleepOutcome *outcome) {
    *outcome = co_await clock->sleep(10s, token);
    *resumedOn = QThread::currentThread();
}

TEST(ManualClockCancellation, CancelFromAnotherThreadResumesOnTheMainThread) {
    ManualClock clock;
    CancellationSource source;
    QThread *resumedOn = nullptr;
    SleepOutcome outcome = E;
    sleepAndNoteThread(&clock, source.token(), &resumedOn, &outcome);
    std::thread([&source] { source.cancel(); }).join();
    clock.settle();
    EXPECT_EQ(outcome, SleepOutcome::Cancelled);
    EXPECT_EQ(resumedOn, QCoreApplication::instance()->thread());
}

TEST(ManualClockBlockingSleep, WorkerSleepAdvancesVirtualTimeAndWakesSleepersOnTheMainThread) {
    ManualClock clock;
    std::vector<Wake> log;
    QThread *resumedOn = nullptr;
    SleepOutcome outcome = SleepOutcome::Cancelled;
    sleepAndNoteThread(&clock, {}, &resumedOn, &outcome);
    sleepAndLog(&clock, 5s, 0, &log);
    std::thread worker([&clock] {
        for (int i = 0; i < 3; ++i) {
            clock.blockingSleep(4s);
        }
    });
    worker.join();
    EXPECT_EQ(clock.now(), 12s);
    EXPECT_EQ(resumedOn, nullptr) << "woken on the worker thread";
    clock.settle();
    EXPECT_EQ(log, (std::vector<Wake>{{0, 12s, E}}));
    EXPECT_EQ(outcome, E);
    EXPECT_EQ(resumedOn, QCoreApplication::instance()->thread());
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
void postChain(ManualClock *clock, int depth, std::vector<Wake> *log) {
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

QCoro::Task<> waitForLog(ManualClock *clock, std::vector<Wake> *log, std::size_t size) {
    while (log->size() < size) {
        co_await clock->sleep(500ms);
    }
}

TEST(ManualClockFastForward, JumpsOnlyWhenTheLoopHasNothingElseToDo) {
    ManualClock clock;
    clock.setFastForward(true);
    std::vector<Wake> log;
    sleepAndLog(&clock, 10s, 0, &log);
    postChain(&clock, 5, &log);
    runTask(waitForLog(&clock, &log, 2));
    EXPECT_EQ(log, (std::vector<Wake>{{1, 1s, E}, {0, 10s, E}}));
}

// Counts the passes the main event loop makes during a few milliseconds of wall time.
int loopPassesDuring(std::chrono::milliseconds wall) {
    int passes = 0;
    auto *dispatcher = QAbstractEventDispatcher::instance();
    auto connection =
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [&] { ++passes; });
    QEventLoop loop;
    QTimer::singleShot(wall, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);
    return passes;
}

TEST(ManualClockFastForward, AnIdleLoopWithoutSleepersBlocksInsteadOfSpinning) {
    ManualClock clock;
    clock.setFastForward(true);
    std::vector<Wake> log;
    sleepAndLog(&clock, 10s, 0, &log);
    EXPECT_LT(loopPassesDuring(20ms), 50);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_EQ(clock.now(), 10s) << "time moved without a sleeper";
}

TEST(ManualClockFastForward, DoesNotMoveTimeWhileDisabled) {
    ManualClock clock;
    clock.setFastForward(true);
    clock.setFastForward(false);
    std::vector<Wake> log;
    sleepAndLog(&clock, 1s, 0, &log);
    loopPassesDuring(5ms);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(clock.now(), 0s);
}

TEST(ManualClock, DestroyingTheClockAbandonsItsSleepers) {
    std::vector<Wake> log;
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
