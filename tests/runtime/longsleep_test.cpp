#include "manualclock.h"
#include "realclock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <limits>
#include <memory>

using namespace std::chrono_literals;

namespace zorv {
namespace {

struct SecondsCase {
    const char *name;
    double value;
    Duration expected;
};

void PrintTo(const SecondsCase &row, std::ostream *out) {
    *out << row.name;
}

class Seconds : public ::testing::TestWithParam<SecondsCase> {};

TEST_P(Seconds, ConvertsWithinRangeAndSaturatesOutsideIt) {
    EXPECT_EQ(seconds(GetParam().value), GetParam().expected);
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Values, Seconds,
    ::testing::Values(SecondsCase{"Fraction", 0.4, 400ms}, SecondsCase{"Negative", -1.5, -1500ms},
                      SecondsCase{"BeyondTheRange", 1e300, Duration::max()},
                      SecondsCase{"Infinite", kInfinity, Duration::max()},
                      SecondsCase{"BelowTheRange", -1e300, Duration::min()},
                      SecondsCase{"NegativeInfinite", -kInfinity, Duration::min()},
                      SecondsCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(),
                                  Duration::zero()}),
    [](const auto &info) { return std::string(info.param.name); });

QCoro::Task<> sleepAndFlag(Clock *clock, Duration duration, CancellationToken token, bool *woke) {
    co_await clock->sleep(duration, token);
    *woke = true;
}

TEST(LongSleep, ManualClockNeverWrapsADeadlineOrTimeIntoThePast) {
    ManualClock clock;
    clock.advance(1s);
    bool woke = false;
    CancellationSource source;
    sleepAndFlag(&clock, Duration::max(), source.token(), &woke);
    clock.advance(1h);
    EXPECT_FALSE(woke) << "a sleep without end woke after an hour";
    EXPECT_EQ(clock.nextDeadline(), MonotonicTime::max());

    clock.advance(Duration::max());
    EXPECT_EQ(clock.now(), MonotonicTime::max()) << "time ran backwards";
    EXPECT_TRUE(woke);

    clock.blockingSleep(Duration::max());
    EXPECT_EQ(clock.now(), MonotonicTime::max());
}

TEST(LongSleep, RealClockSleepBeyondTheTimerRangeDoesNotEndEarly) {
    RealClock clock;
    bool woke = false;
    CancellationSource source;
    // 2^32 + 1 ms: an interval narrowed to an int would fire after 1 ms.
    sleepAndFlag(&clock, std::chrono::milliseconds((qint64(1) << 32) + 1), source.token(), &woke);
    bool waited = false;
    QTimer::singleShot(15ms, QCoreApplication::instance(), [&waited] { waited = true; });
    while (!waited) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    EXPECT_FALSE(woke);

    source.cancel();
    QCoreApplication::processEvents();
    EXPECT_TRUE(woke) << "the cancelled sleep did not wake";
}

} // namespace
} // namespace zorv
