#include "latesttask.h"
#include "manualclock.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace std::chrono_literals;

namespace zorv {
namespace {

struct Tally {
    int started = 0;
    int cancelled = 0;
    int completed = 0;
};

// A debounced action: wait, then act unless replaced meanwhile.
LatestTask::Body debounced(ManualClock *clock, Tally *tally) {
    return [clock, tally](CancellationToken token) -> QCoro::Task<> {
        ++tally->started;
        if (co_await clock->sleep(1s, token) == SleepOutcome::Cancelled) {
            ++tally->cancelled;
            co_return;
        }
        ++tally->completed;
    };
}

TEST(LatestTask, OnlyTheLatestBodyRunsToCompletionAndCancelOrDestructionStopsItAtOnce) {
    ManualClock clock;
    Tally tally;
    LatestTask latest;
    for (int i = 0; i < 100; ++i) {
        latest.start(debounced(&clock, &tally));
        clock.advance(100ms);
    }
    EXPECT_TRUE(latest.isPending());
    EXPECT_EQ(clock.sleeperCount(), 1);
    clock.advance(1s);
    EXPECT_EQ(tally.started, 100);
    EXPECT_EQ(tally.cancelled, 99);
    EXPECT_EQ(tally.completed, 1);
    EXPECT_FALSE(latest.isPending());

    latest.start(debounced(&clock, &tally));
    latest.cancel();
    EXPECT_FALSE(latest.isPending());
    {
        LatestTask destroyed;
        destroyed.start(debounced(&clock, &tally));
    }
    clock.settle(); // without moving time
    EXPECT_EQ(tally.cancelled, 101);
    clock.advance(5s);
    EXPECT_EQ(tally.completed, 1);
}

TEST(LatestTask, AnExceptionEscapingTheBodyIsLoggedNotLost) {
    static QStringList warnings; // the handler is a plain function: it cannot capture a local
    warnings.clear();            // a static keeps its value into the next repetition
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtWarningMsg) {
                warnings.append(text);
            }
        });
    ManualClock clock;
    LatestTask latest;
    latest.start([&clock](CancellationToken token) -> QCoro::Task<> {
        co_await clock.sleep(1s, token);
        throw std::runtime_error("disk full");
    });
    clock.advance(1s);
    qInstallMessageHandler(previous);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings.front().contains(QStringLiteral("disk full")));
    EXPECT_FALSE(latest.isPending());
}

} // namespace
} // namespace zorv
