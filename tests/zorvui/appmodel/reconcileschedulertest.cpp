#include "appmodel/reconcilescheduler.h"
#include "manualclock.h"

#include <gtest/gtest.h>

#include <QList>

using namespace std::chrono_literals;

namespace zorv {
namespace {

// Passes that take `passLength` on the clock, each recording when it began and ended.
struct PassRecorder {
    ManualClock &clock;
    Duration passLength;
    QList<std::pair<Duration, Duration>> passes;
    bool ended = true;

    ReconcileScheduler::Pass pass() {
        return [this]() -> QCoro::Task<> { return run(this); };
    }
    static QCoro::Task<> run(PassRecorder *self) {
        const Duration began = self->clock.now();
        self->ended = false;
        (void)co_await self->clock.sleep(self->passLength);
        self->ended = true;
        self->passes.append({began, self->clock.now()});
    }
};

struct Case {
    const char *name;
    // Request times, in milliseconds from the start.
    QList<int> requests;
    int passLengthMs;
    // Expected pass start times, in milliseconds.
    QList<int> passStarts;
};

class ReconcileSchedulerTest : public ::testing::TestWithParam<Case> {};

TEST_P(ReconcileSchedulerTest, RunsOnePassPerQuietBurstAndNeverCancelsARunningPass) {
    const Case &c = GetParam();
    ManualClock clock;
    PassRecorder recorder{clock, std::chrono::milliseconds(c.passLengthMs), {}};
    const Duration origin = clock.now();
    {
        ReconcileScheduler scheduler(clock, 650ms, recorder.pass());
        Duration at = Duration::zero();
        for (int request : c.requests) {
            clock.advance(std::chrono::milliseconds(request) - at);
            at = std::chrono::milliseconds(request);
            scheduler.schedule();
        }
        clock.advance(60s);
        EXPECT_FALSE(scheduler.isRunning());
    }
    QList<int> starts;
    for (const auto &[began, ended] : recorder.passes) {
        starts.append(
            int(std::chrono::duration_cast<std::chrono::milliseconds>(began - origin).count()));
        EXPECT_EQ(ended - began, recorder.passLength) << "a pass was cut short";
    }
    EXPECT_EQ(starts, c.passStarts);
}

INSTANTIATE_TEST_SUITE_P(
    Bursts, ReconcileSchedulerTest,
    ::testing::Values(
        Case{"ThreeQuickMovesMakeOnePass", {0, 200, 400}, 0, {1050}},
        Case{"MovesFurtherApartMakeTwoPasses", {0, 1000}, 0, {650, 1650}},
        // A move 1 s into a 3 s pass: its debounce ends while the pass runs, so it runs right
        // after the pass, which is never cancelled.
        Case{"AMoveDuringAPassQueuesBehindIt", {0, 1650}, 3000, {650, 3650}},
        // Several moves during one pass still make a single pass after it.
        Case{"SeveralMovesDuringAPassMakeOneMore", {0, 1000, 1700, 2400}, 5000, {650, 5650}},
        // A debounce that ends after the pass is an ordinary later pass.
        Case{"AMoveLateInAPassWaitsItsOwnDebounce", {0, 1500}, 1000, {650, 2150}}),
    [](const ::testing::TestParamInfo<Case> &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
