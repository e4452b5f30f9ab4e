#include "manualclock.h"
#include "workrunner.h"

#include "coroutinetest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace zorv {
namespace {

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

QCoro::Task<> fireAt(Clock *clock, Duration at, CancellationToken stop, std::atomic<bool> *fired) {
    const SleepOutcome outcome = co_await clock->sleep(at, stop);
    fired->store(outcome == SleepOutcome::Elapsed);
}

// A job of worker sleeps (a synthetic drag, an accessibility scan) against a main-thread loop
// ticking every `tickEvery` and a one-off timer (a deadline) at `timerAt`.
struct RaceCase {
    const char *name;
    std::vector<Duration> workerSleeps;
    Duration tickEvery;
    Duration timerAt;
};

void PrintTo(const RaceCase &row, std::ostream *out) {
    *out << row.name;
}

// A 0.12 s Command-drag as the engine posts it: settle, hold, ten steps, settle.
const std::vector<Duration> kDrag = {15ms, 30ms, 3ms, 3ms, 3ms, 3ms,  3ms,
                                     3ms,  3ms,  3ms, 3ms, 3ms, 15ms, 15ms};

class WorkerSleepRace : public ::testing::TestWithParam<std::tuple<RaceCase, bool>> {};

// Each wake-up of the worker sees exactly the main-thread work due by then, as on the real clock,
// and the job takes exactly the sum of its sleeps, in manual and fast-forward mode alike.
TEST_P(WorkerSleepRace, AWorkerSeesExactlyTheMainThreadWorkDueByEachWakeUp) {
    const auto &[row, fastForward] = GetParam();
    QThreadPool pool;
    ManualClock clock;
    clock.setFastForward(fastForward);
    CancellationSource stop;
    std::atomic<int> ticks = 0;
    std::atomic<bool> fired = false;
    tick(&clock, row.tickEvery, stop.token(), &ticks);
    fireAt(&clock, row.timerAt, stop.token(), &fired);
    auto work = [&clock, &ticks, &fired, sleeps = row.workerSleeps] {
        std::vector<Seen> seen;
        for (const Duration sleep : sleeps) {
            clock.blockingSleep(sleep);
            seen.push_back({clock.now(), ticks.load(), fired.load()});
        }
        return seen;
    };
    WorkRunner runner(WorkRunner::Mode::ThreadPool, &pool);
    const std::vector<Seen> seen = runTask(runner.run(work));
    stop.cancel();
    clock.settle();

    std::vector<Seen> expected;
    MonotonicTime at{0};
    for (const Duration sleep : row.workerSleeps) {
        at += sleep;
        expected.push_back({at, static_cast<int>(at / row.tickEvery), at >= row.timerAt});
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(clock.now(), at) << "time moved past the job's end before its result arrived";
}

INSTANTIATE_TEST_SUITE_P(
    Races, WorkerSleepRace,
    ::testing::Combine(
        ::testing::Values(RaceCase{"SlowTickerAgainstThirtyShortSleeps",
                                   std::vector<Duration>(30, 10ms), 800ms, 24h},
                          RaceCase{"TimerTwoSecondsOutAgainstADrag", kDrag, 1h, 2s},
                          RaceCase{"DeadlineEightSecondsOutAgainstADrag", kDrag, 1h, 8s},
                          RaceCase{"MainSleeperDueMidWay", {100ms}, 1h, 50ms},
                          RaceCase{"TiesGoToTheMainThread", {100ms, 100ms}, 100ms, 200ms},
                          RaceCase{"FastTickerAgainstADrag", kDrag, 7ms, 60ms}),
        ::testing::Bool()),
    [](const auto &info) {
        return std::string(std::get<0>(info.param).name) +
               (std::get<1>(info.param) ? "FastForward" : "Manual");
    });

QCoro::Task<std::vector<MonotonicTime>> endsOf(std::vector<QCoro::Task<MonotonicTime>> jobs) {
    std::vector<MonotonicTime> ends;
    for (auto &job : jobs) {
        ends.push_back(co_await job);
    }
    co_return ends;
}

// Sleeps started together overlap as in real time, even with fewer pool threads than jobs.
TEST(WorkerSleep, ConcurrentSleepsOverlapInsteadOfAddingUp) {
    struct Case {
        const char *name;
        int poolThreads;
        std::vector<std::vector<Duration>> jobs; // each job's sleeps
    };
    const std::vector<Duration> second = {1s};
    const std::vector<Duration> tenths(10, 100ms);
    const Case cases[] = {
        {"EightJobsOfOneSecond", 8, std::vector(8, second)},
        {"EightJobsOnTwoThreads", 2, std::vector(8, second)},
        {"StaggeredSleeps", 4, {{1s}, {3s}, {2s}, {500ms, 500ms, 2s}}},
        {"ChainsOfTenths", 3, std::vector(6, tenths)},
    };
    for (const Case &row : cases) {
        SCOPED_TRACE(row.name);
        QThreadPool pool;
        pool.setMaxThreadCount(row.poolThreads);
        ManualClock clock;
        WorkRunner runner(WorkRunner::Mode::ThreadPool, &pool);
        std::vector<QCoro::Task<MonotonicTime>> jobs;
        std::vector<MonotonicTime> expected;
        for (const std::vector<Duration> &sleeps : row.jobs) {
            auto work = [&clock, sleeps] {
                for (const Duration sleep : sleeps) {
                    clock.blockingSleep(sleep);
                }
                return clock.now();
            };
            jobs.push_back(runner.run(work));
            expected.push_back(std::accumulate(sleeps.begin(), sleeps.end(), MonotonicTime{0}));
        }
        EXPECT_EQ(runTask(endsOf(std::move(jobs))), expected);
        EXPECT_EQ(clock.now(), *std::max_element(expected.begin(), expected.end()));
    }
}

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
