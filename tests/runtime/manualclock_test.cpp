#include "manualclock.h"

#include "coroutinetest.h"
#include "networkrequests.h"
#include "workrunner.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QCoroTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace zorv {
namespace {

using Log = std::vector<std::string>;

// Sleeps each duration in turn, logging "label@ms" after each: "x" marks a cancelled sleep and
// "!" a wake-up off the main thread. Between two sleeps it passes through the event loop, as real
// work does.
QCoro::Task<> sleepAndLog(ManualClock *clock, std::vector<Duration> chain, int label, Log *log,
                          CancellationToken cancellation = {}) {
    for (std::size_t step = 0; step < chain.size(); ++step) {
        if (step > 0) {
            co_await QCoro::sleepFor(0ms);
        }
        const SleepOutcome outcome = co_await clock->sleep(chain[step], cancellation);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(clock->now());
        log->push_back(
            std::to_string(label) + "@" + std::to_string(ms.count()) +
            (outcome == SleepOutcome::Cancelled ? "x" : "") +
            (QThread::currentThread() != QCoreApplication::instance()->thread() ? "!" : ""));
    }
}

struct OrderCase {
    const char *name;
    std::vector<std::vector<Duration>> chains; // started in this order, labelled 0, 1, ...
    Duration advance;
    Log expected;
    MonotonicTime nextDeadline;
    // Cancels chain 0 once this much time has passed; negative: before it sleeps.
    std::optional<Duration> cancelAt = std::nullopt;
};

class ManualClockOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ManualClockOrder, WakesEachSleeperAtItsOwnTimeInDeadlineThenSleepOrder) {
    const OrderCase &row = GetParam();
    const QDateTime start(QDate(2026, 3, 1), QTime(8, 0), Qt::UTC);
    Log log; // outlives the clock, whose destruction ends the sleeps left
    ManualClock clock(start);
    CancellationSource source;
    if (row.cancelAt && *row.cancelAt < 0s) {
        source.cancel();
    }
    for (std::size_t i = 0; i < row.chains.size(); ++i) {
        sleepAndLog(&clock, row.chains[i], static_cast<int>(i), &log,
                    i == 0 ? source.token() : CancellationToken());
    }
    EXPECT_TRUE(log.empty()) << "a sleep woke inside the call that started it";
    const Duration cancelAt = std::clamp(row.cancelAt.value_or(0s), 0ns, row.advance);
    clock.advance(cancelAt);
    const std::size_t logged = log.size();
    if (row.cancelAt && *row.cancelAt >= 0s) {
        source.cancel();
    }
    EXPECT_EQ(log.size(), logged) << "resumed inside cancel()";
    clock.advance(row.advance - cancelAt);
    EXPECT_EQ(log, row.expected);
    EXPECT_EQ(clock.nextDeadline(), row.nextDeadline);
    EXPECT_EQ(clock.now(), std::max(row.advance, Duration::zero()));
    EXPECT_EQ(clock.wallNow(), start.addSecs(std::max<qint64>(row.advance / 1s, 0)));
}

const OrderCase kOrders[] = {
    {"DeadlineOrder", {{3s}, {1s}, {2s}}, 5s, {"1@1000", "2@2000", "0@3000"}, -1ns},
    {"TiesInSleepOrder", {{1s}, {1s}, {1s}}, 1s, {"0@1000", "1@1000", "2@1000"}, -1ns},
    {"ChainsResolveWithinOneAdvance",
     {{1s, 1s, 1s}, {1500ms}},
     5s,
     {"0@1000", "1@1500", "0@2000", "0@3000"},
     -1ns},
    {"ZeroAndNegativeWakeWithoutTimeMoving", {{0s}, {-1s}, {1s}}, 0s, {"0@0", "1@0"}, 1s},
    {"PartialAdvanceLeavesLaterSleepers", {{7s}, {1s}}, 2s, {"1@1000"}, 7s},
    {"NegativeAdvanceIsNoAdvance", {{1s}}, -3s, {}, 1s},
    {"CancelledBeforeTheSleep", {{10s}, {10s}}, 10s, {"0@0x", "1@10000"}, -1ns, -1s},
    {"CancelledDuringTheSleep", {{10s}, {10s}}, 10s, {"0@1000x", "1@10000"}, -1ns, 1s},
    {"CancelledAfterTheWake", {{10s}, {10s}}, 10s, {"0@10000", "1@10000"}, -1ns, 10s},
};

INSTANTIATE_TEST_SUITE_P(Cases, ManualClockOrder, ::testing::ValuesIn(kOrders),
                         [](const auto &info) { return std::string(info.param.name); });

// Deadlines and time saturate: a sleep without end never wraps round into the past.
TEST(ManualClock, ASleepWithoutEndNeverWakesAndTimeNeverRunsBackwards) {
    ManualClock clock;
    Log log;
    sleepAndLog(&clock, {1s, Duration::max()}, 0, &log); // the second one from 1 s
    clock.advance(1h);
    EXPECT_EQ(log, Log{"0@1000"}) << "a sleep without end woke after an hour";
    EXPECT_EQ(clock.nextDeadline(), MonotonicTime::max());
    clock.advance(Duration::max());
    EXPECT_EQ(clock.now(), MonotonicTime::max()) << "time ran backwards";
    EXPECT_EQ(log.size(), 2u);
    clock.blockingSleep(Duration::max());
    EXPECT_EQ(clock.now(), MonotonicTime::max());
}

// A main thread stuck in a blocking wait on a worker cannot step time: the worker's sleeps end
// without it (after a short grace), and sleepers due meanwhile wake once the loop runs again.
TEST(ManualClock, AMainThreadBlockedOnAWorkerDoesNotDeadlockIt) {
    for (const bool throughWorkRunner : {false, true}) {
        SCOPED_TRACE(throughWorkRunner ? "pool waited for" : "plain thread joined");
        Log log;
        QThreadPool pool;
        ManualClock clock;
        CancellationSource source;
        sleepAndLog(&clock, {10s}, 0, &log, source.token());
        sleepAndLog(&clock, {5s}, 1, &log);
        sleepAndLog(&clock, {20s}, 2, &log);
        auto work = [&] {
            source.cancel();
            clock.blockingSleep(6s);
            clock.blockingSleep(6s);
        };
        if (throughWorkRunner) {
            WorkRunner runner(WorkRunner::Mode::ThreadPool, &pool);
            auto job = runner.run(work);
            pool.waitForDone();
        } else {
            std::thread(work).join();
        }
        EXPECT_EQ(clock.now(), 12s);
        EXPECT_TRUE(log.empty()) << "woken off the main thread";
        clock.settle();
        EXPECT_EQ(log, (Log{"0@12000x", "1@12000"}));
    }
}

// Sleeps 1 s on the clock, then is held up on the main thread, asleep in the kernel well past the
// grace after which a main thread blocked on a worker counts as stuck; notes the time after it.
QCoro::Task<> heldUpAfterASecond(ManualClock *clock, MonotonicTime *seen) {
    co_await clock->sleep(1s);
    std::this_thread::sleep_for(100ms);
    *seen = clock->now();
}

// Logs "job" once work handed to `runner` is back on the main thread.
QCoro::Task<> runAndLog(WorkRunner *runner, Log *log) {
    auto work = [] {};
    co_await runner->run(std::move(work));
    log->push_back("job");
}

// A job that ends before the main loop runs again (the main thread slow or held up) is handed
// back after the sleepers already due, as when it ends later: the order of the main thread's work
// does not hang on which thread the machine ran first. So it is at the quit, where nothing steps
// the clock: the job still out is handed back all the same, and its coroutine ends.
TEST(ManualClock, AJobThatEndsEarlyIsHandedBackAfterTheSleepersAlreadyDue) {
    for (const bool atTheQuit : {false, true}) {
        SCOPED_TRACE(atTheQuit ? "at the quit" : "clock settled");
        QThreadPool pool;
        ManualClock clock;
        WorkRunner runner(WorkRunner::Mode::ThreadPool, &pool);
        Log log;
        sleepAndLog(&clock, {0s}, 0, &log);
        sleepAndLog(&clock, {0s}, 1, &log);
        QCoro::Task<> job = runAndLog(&runner, &log);
        if (atTheQuit) {
            WorkRunner::handBackOutstanding(&pool);
        } else {
            pool.waitForDone();
            clock.settle();
        }
        EXPECT_EQ(log, (Log{"0@0", "1@0", "job"}));
    }
}

// A main thread held up in the middle of advance() (a lock, the disk, a busy machine) only seems
// stuck: a worker asleep on the clock leaves time to it, so time never runs ahead of main-thread
// work by how long the machine took.
TEST(ManualClock, AMainThreadHeldUpInsideAdvanceStillStepsTimeItself) {
    QThreadPool pool;
    ManualClock clock;
    WorkRunner runner(WorkRunner::Mode::ThreadPool, &pool);
    std::atomic<qint64> wokeAt{-1};
    auto work = [&clock, &wokeAt] {
        clock.blockingSleep(2s);
        wokeAt = clock.now().count();
    };
    auto job = runner.run(work);
    MonotonicTime seen{-1};
    heldUpAfterASecond(&clock, &seen);
    clock.advance(3s);
    EXPECT_EQ(seen, 1s) << "time moved while the main thread was held up";
    EXPECT_EQ(wokeAt, MonotonicTime(2s).count());
    EXPECT_EQ(clock.now(), 3s);
}

QCoro::Task<> sleepAndCount(Clock *clock, Duration duration, CancellationToken token,
                            std::vector<SleepOutcome> *outcomes) {
    outcomes->push_back(co_await clock->sleep(duration, token));
}

QCoro::Task<> sleepThenDestroy(Clock *clock, Duration duration,
                               std::unique_ptr<ManualClock> *owner) {
    co_await clock->sleep(duration);
    owner->reset();
}

// Whoever holds the clock may be woken by it and destroy it; the clock then ends every sleep it
// still holds (coroutines with Cancelled, so that their frames end, workers by returning).
TEST(ManualClock, ACoroutineItWakesMayDestroyItAndEverySleepLeftEnds) {
    enum class Wake { Advance, FastForward, ZeroSleep };
    for (const Wake wake : {Wake::Advance, Wake::FastForward, Wake::ZeroSleep}) {
        SCOPED_TRACE(static_cast<int>(wake));
        std::vector<SleepOutcome> outcomes;
        QThreadPool pool;
        auto owner = std::make_unique<ManualClock>();
        ManualClock *clock = owner.get();
        WorkRunner runner(WorkRunner::Mode::ThreadPool, &pool);
        auto slowWork = [clock] { clock->blockingSleep(24h); };
        auto job = runner.run(slowWork);
        clock->advance(0s); // until the worker sleeps
        sleepThenDestroy(clock, wake == Wake::ZeroSleep ? 0s : 1s, &owner);
        CancellationSource cancelled;
        sleepAndCount(clock, 1h, {}, &outcomes);
        sleepAndCount(clock, 1s, {}, &outcomes); // due with the destroyer, but behind it in line
        sleepAndCount(clock, 2h, cancelled.token(), &outcomes);
        cancelled.cancel(); // its resumption is posted, not yet run
        if (wake == Wake::Advance) {
            clock->advance(1h);
        } else {
            clock->setFastForward(wake == Wake::FastForward);
            runTask([](std::unique_ptr<ManualClock> *clockOwner) -> QCoro::Task<> {
                while (*clockOwner) {
                    co_await QCoro::sleepFor(1ms);
                }
            }(&owner));
        }
        ASSERT_FALSE(owner);
        runTask(std::move(job)); // the worker's sleep returned
        EXPECT_EQ(outcomes, std::vector(3, SleepOutcome::Cancelled));
    }
}

// Posts a chain of queued calls, the last of which starts a short sleep.
void postChain(ManualClock *clock, int depth, Log *log) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [=] {
            if (depth == 0) {
                sleepAndLog(clock, {1s}, 1, log);
            } else {
                postChain(clock, depth - 1, log);
            }
        },
        Qt::QueuedConnection);
}

TEST(ManualClock, FastForwardJumpsOnlyWhenTheLoopIsIdleAndNeverSpinsWithoutSleepers) {
    ManualClock clock;
    clock.setFastForward(true);
    Log log;
    sleepAndLog(&clock, std::vector<Duration>(3600, 1s), 0, &log).then([] {
        QCoreApplication::exit(0);
    });
    postChain(&clock, 5, &log);
    QTimer::singleShot(3000, &clock, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QCoreApplication::exec(), 0) << "an hour of sleeps did not run at once";
    ASSERT_EQ(log.size(), 3601u);
    EXPECT_EQ(log[1], "1@1000") << "time jumped while queued calls were pending";

    int passes = 0;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &clock, [&passes] { ++passes; });
    QEventLoop loop;
    QTimer::singleShot(20ms, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_LT(passes, 50);
    EXPECT_EQ(clock.now(), 3600s) << "time moved without a sleeper";
}

// Logs "limit@ms" when a network request's time limit has passed, "limit@msx" when cancelled.
QCoro::Task<> limitAndLog(ManualClock *clock, Duration limit, Log *log) {
    const SleepOutcome outcome = co_await clock->sleepForNetwork(limit);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(clock->now());
    log->push_back("limit@" + std::to_string(ms.count()) +
                   (outcome == SleepOutcome::Cancelled ? "x" : ""));
}

// Runs the event loop until `done` holds, at most `wall` of real time; the aboutToBlock passes.
int spinUntil(const std::function<bool()> &done, std::chrono::milliseconds wall) {
    int passes = 0;
    QEventLoop loop;
    const QMetaObject::Connection counted =
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, &loop, [&passes] { ++passes; });
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    check.start(2ms);
    QTimer::singleShot(wall, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(counted);
    return passes;
}

struct NetworkCase {
    const char *name;
    bool fastForward;
};

class ManualClockNetwork : public ::testing::TestWithParam<NetworkCase> {};

// A fast-forward clock holds still while a network request is outstanding, however far off the
// next deadline, without spinning; the request's own limit passes in real time meanwhile, and time
// jumps on once the answer is in. A clock moved by hand counts the limit itself and moves past it
// as ever.
TEST_P(ManualClockNetwork, FastForwardWaitsForAnOutstandingRequest) {
    const NetworkCase &row = GetParam();
    ManualClock clock;
    clock.setFastForward(row.fastForward);
    Log log;
    std::optional<NetworkRequests::Outstanding> request(std::in_place);
    sleepAndLog(&clock, {30s}, 0, &log);
    limitAndLog(&clock, 20ms, &log);
    // Only the fast-forward clock's limit passes without a hand on the clock.
    const int passes = spinUntil([&] { return !log.empty(); }, row.fastForward ? 2000ms : 50ms);
    if (row.fastForward) {
        EXPECT_EQ(log, Log{"limit@0"}) << "the limit did not pass in real time";
        EXPECT_LT(passes, 200) << "the loop spun while the request waited";
        spinUntil([] { return false; }, 30ms);
        EXPECT_EQ(clock.now(), 0s) << "time ran past an outstanding request";
        request.reset();
        spinUntil([&] { return log.size() == 2; }, 5000ms);
        EXPECT_EQ(log, (Log{"limit@0", "0@30000"}));
        return;
    }
    EXPECT_TRUE(log.empty());
    clock.advance(30s);
    EXPECT_EQ(log, (Log{"limit@20", "0@30000"}));
}

INSTANTIATE_TEST_SUITE_P(Clocks, ManualClockNetwork,
                         ::testing::Values(NetworkCase{"FastForward", true},
                                           NetworkCase{"Manual", false}),
                         [](const auto &info) { return std::string(info.param.name); });

// A request counts from its start until it ends or goes, whichever comes first.
TEST(NetworkRequests, ARequestCountsUntilItEndsOrGoes) {
    for (const bool ends : {true, false}) {
        auto request = std::make_unique<QTimer>();
        NetworkRequests::countUntil(request.get(), &QTimer::timeout);
        EXPECT_EQ(NetworkRequests::outstanding(), 1);
        if (ends) {
            request->start(0ms);
            spinUntil([] { return NetworkRequests::outstanding() == 0; }, 2000ms);
        } else {
            request.reset();
        }
        EXPECT_EQ(NetworkRequests::outstanding(), 0) << (ends ? "ended" : "gone");
    }
}

// What a worker saw of the main thread when one of its sleeps ended.
struct Seen {
    MonotonicTime at;
    int ticks;
    bool timerFired;
    bool operator==(const Seen &) const = default;
};

void PrintTo(const Seen &seen, std::ostream *out) {
    *out << toSeconds(seen.at) << " s: " << seen.ticks << " ticks"
         << (seen.timerFired ? ", fired" : "");
}

QCoro::Task<> tick(Clock *clock, Duration period, CancellationToken stop, std::atomic<int> *ticks) {
    for (;;) {
        const SleepOutcome outcome = co_await clock->sleep(period, stop);
        if (outcome == SleepOutcome::Cancelled) {
            co_return;
        }
        ticks->fetch_add(1);
    }
}

// Jobs of worker sleeps (a synthetic drag, an accessibility scan) started together on a pool of
// `poolThreads`, against a main-thread loop ticking every `tickEvery` and a timer (a deadline) that
// first fires at `timerAt`.
struct RaceCase {
    const char *name;
    std::vector<std::vector<Duration>> jobs; // each job's sleeps
    Duration tickEvery = 1h;
    Duration timerAt = 24h;
    int poolThreads = 8;
};

// A 0.12 s Command-drag as the engine posts it: settle, hold, ten steps, settle.
const std::vector<Duration> kDrag = {15ms, 30ms, 3ms, 3ms, 3ms, 3ms,  3ms,
                                     3ms,  3ms,  3ms, 3ms, 3ms, 15ms, 15ms};
const std::vector<Duration> kSecond = {1s};

class WorkerSleepRace : public ::testing::TestWithParam<std::tuple<RaceCase, bool>> {};

// Each wake-up of a worker sees exactly the main-thread work due by then, as on the real clock.
// Sleeps that overlap in time overlap on the clock too, even with fewer pool threads than jobs, so
// each job takes exactly the sum of its own sleeps; in manual and fast-forward mode alike.
TEST_P(WorkerSleepRace, AWorkerSeesExactlyTheMainThreadWorkDueByEachWakeUp) {
    const auto &[row, fastForward] = GetParam();
    QThreadPool pool;
    pool.setMaxThreadCount(row.poolThreads);
    ManualClock clock;
    clock.setFastForward(fastForward);
    CancellationSource stop;
    std::atomic<int> ticks = 0;
    std::atomic<int> fired = 0;
    tick(&clock, row.tickEvery, stop.token(), &ticks);
    tick(&clock, row.timerAt, stop.token(), &fired);
    WorkRunner runner(WorkRunner::Mode::ThreadPool, &pool);
    std::vector<QCoro::Task<std::vector<Seen>>> jobs; // all started before any is awaited
    for (const std::vector<Duration> &sleeps : row.jobs) {
        auto work = [&clock, &ticks, &fired, sleeps] {
            std::vector<Seen> seen;
            for (const Duration sleep : sleeps) {
                clock.blockingSleep(sleep);
                seen.push_back({clock.now(), ticks.load(), fired.load() > 0});
            }
            return seen;
        };
        jobs.push_back(runner.run(work));
    }
    MonotonicTime end{0};
    for (std::size_t job = 0; job < jobs.size(); ++job) {
        std::vector<Seen> expected;
        MonotonicTime at{0};
        for (const Duration sleep : row.jobs[job]) {
            at += sleep;
            expected.push_back({at, static_cast<int>(at / row.tickEvery), at >= row.timerAt});
        }
        EXPECT_EQ(runTask(std::move(jobs[job])), expected) << "job " << job;
        end = std::max(end, at);
    }
    stop.cancel();
    clock.settle();
    EXPECT_EQ(clock.now(), end) << "time moved past the jobs' end before their results arrived";
}

const RaceCase kRaces[] = {
    {"SlowTickerAgainstThirtyShortSleeps", {std::vector(30, Duration(10ms))}, 800ms},
    {"TimerTwoSecondsOutAgainstADrag", {kDrag}, 1h, 2s},
    {"DeadlineEightSecondsOutAgainstADrag", {kDrag}, 1h, 8s},
    {"MainSleeperDueMidWay", {{100ms}}, 1h, 50ms},
    {"TiesGoToTheMainThread", {{100ms, 100ms}}, 100ms, 200ms},
    {"FastTickerAgainstADrag", {kDrag}, 7ms, 60ms},
    {.name = "EightJobsOfOneSecond", .jobs = std::vector(8, kSecond)},
    {.name = "EightJobsOnTwoThreads", .jobs = std::vector(8, kSecond), .poolThreads = 2},
    {.name = "StaggeredSleeps", .jobs = {{1s}, {3s}, {2s}, {500ms, 500ms, 2s}}, .poolThreads = 4},
    {.name = "ChainsOfTenths",
     .jobs = std::vector(6, std::vector(10, Duration(100ms))),
     .poolThreads = 3},
};

INSTANTIATE_TEST_SUITE_P(Races, WorkerSleepRace,
                         ::testing::Combine(::testing::ValuesIn(kRaces), ::testing::Bool()),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "FastForward" : "Manual");
                         });

QCoro::Task<> sleepAndRecord(Clock *clock, Duration duration, CancellationToken token,
                             std::vector<std::pair<SleepOutcome, MonotonicTime>> *woken) {
    const SleepOutcome outcome = co_await clock->sleep(duration, token);
    woken->emplace_back(outcome, clock->now());
}

// A worker cancels a main-thread sleep at, just before or just after its deadline: a cancel that
// comes with the deadline or later finds the sleep already elapsed, since main-thread work due by
// a moment runs before the workers due then; the sleeper always wakes exactly once.
TEST(WorkerSleep, CancellationFromAWorkerRacesTheDeadlineDeterministically) {
    struct Case {
        Duration cancelAt;
        SleepOutcome outcome;
        MonotonicTime wokenAt;
    };
    const Duration deadline = 100ms;
    for (const Case row : {Case{99ms, SleepOutcome::Cancelled, 99ms},
                           Case{deadline - 1ns, SleepOutcome::Cancelled, deadline - 1ns},
                           Case{deadline, SleepOutcome::Elapsed, deadline},
                           Case{deadline + 1ns, SleepOutcome::Elapsed, deadline}}) {
        SCOPED_TRACE(row.cancelAt.count());
        std::vector<std::pair<SleepOutcome, MonotonicTime>> woken;
        QThreadPool pool;
        ManualClock clock;
        CancellationSource source;
        sleepAndRecord(&clock, deadline, source.token(), &woken);
        auto work = [&clock, &source, at = row.cancelAt] {
            clock.blockingSleep(at);
            source.cancel();
        };
        WorkRunner runner(WorkRunner::Mode::ThreadPool, &pool);
        runTask(runner.run(work));
        clock.settle();
        EXPECT_EQ(woken, (std::vector{std::pair{row.outcome, row.wokenAt}}));
    }
}

} // namespace
} // namespace zorv
