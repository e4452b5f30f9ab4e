#include "latesttask.h"
#include "manualclock.h"

#include <QtGlobal>

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

TEST(LatestTask, ABurstOfRestartsLeavesExactlyOneBodyRunningToCompletion) {
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
}

TEST(LatestTask, CancelStopsThePendingBodyAtItsNextCheck) {
    ManualClock clock;
    Tally tally;
    LatestTask latest;
    latest.start(debounced(&clock, &tally));
    latest.cancel();
    EXPECT_FALSE(latest.isPending());
    clock.settle();
    EXPECT_EQ(tally.cancelled, 1);
    EXPECT_EQ(clock.now(), 0s) << "the cancelled sleep waited for its deadline";
    latest.cancel(); // nothing pending: no effect
    clock.advance(5s);
    EXPECT_EQ(tally.completed, 0);
}

TEST(LatestTask, DestroyingItCancelsThePendingBody) {
    ManualClock clock;
    Tally tally;
    {
        LatestTask latest;
        latest.start(debounced(&clock, &tally));
    }
    clock.advance(5s);
    EXPECT_EQ(tally.cancelled, 1);
    EXPECT_EQ(tally.completed, 0);
}

QtMessageHandler previousHandler = nullptr;
QStringList *capturedWarnings = nullptr;

void captureWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (type == QtWarningMsg && capturedWarnings) {
        capturedWarnings->append(message);
        return;
    }
    previousHandler(type, context, message);
}

TEST(LatestTask, AnExceptionEscapingTheBodyIsLoggedNotLost) {
    ManualClock clock;
    QStringList warnings;
    capturedWarnings = &warnings;
    previousHandler = qInstallMessageHandler(captureWarnings);
    LatestTask latest;
    latest.start([&clock](CancellationToken token) -> QCoro::Task<> {
        co_await clock.sleep(1s, token);
        throw std::runtime_error("disk full");
    });
    clock.advance(1s);
    qInstallMessageHandler(previousHandler);
    capturedWarnings = nullptr;
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings.front().contains(QStringLiteral("disk full")))
        << warnings.front().toStdString();
    EXPECT_FALSE(latest.isPending());
}

} // namespace
} // namespace zorv
