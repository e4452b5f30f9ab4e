#include "state/watchdogbackoff.h"

#include <gtest/gtest.h>

#include <chrono>

namespace zorv {
namespace {

// One watchdog tick every 0.8 s: 'M' the icon is off screen, 'S' it is on screen (or the
// watchdog stands down), 'C' off screen right after a display or application change, 'R' off
// screen right of both separators, where the watchdog seats it again rather than reveal, 'X' the
// same right after a change.
struct BackOffCase {
    const char *name;
    const char *ticks;
    // The ticks (0-based) on which the watchdog reveals.
    QList<int> reveals;
    // The ticks on which it seats the icon again.
    QList<int> seats = {};
};

class WatchdogBackOffTest : public ::testing::TestWithParam<BackOffCase> {};

TEST_P(WatchdogBackOffTest, RevealsOnTheTicksItShould) {
    const BackOffCase &c = GetParam();
    const QDateTime start = QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC);
    QDateTime lastChange = start;
    WatchdogBackOff backOff(lastChange);
    QList<int> reveals;
    QList<int> seats;
    for (int tick = 0; c.ticks[tick] != '\0'; ++tick) {
        const MonotonicTime now = std::chrono::milliseconds(800 * (tick + 1));
        switch (c.ticks[tick]) {
        case 'S':
            backOff.iconAccountedFor();
            continue;
        case 'C':
        case 'X':
            lastChange = start.addMSecs(800 * (tick + 1));
            break;
        default:
            break;
        }
        const bool revealDue = backOff.iconMissing(lastChange, now);
        if ((c.ticks[tick] == 'R' || c.ticks[tick] == 'X') && backOff.seatDue(now)) {
            seats.append(tick);
            backOff.seated(now);
            continue;
        }
        if (revealDue) {
            reveals.append(tick);
            backOff.revealed(now);
        }
    }
    EXPECT_EQ(reveals, c.reveals);
    EXPECT_EQ(seats, c.seats);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WatchdogBackOffTest,
    ::testing::Values(
        BackOffCase{"OneMissIsNoReason", "MSMSMS", {}},
        // 1.6 s, then 3.2 s, then 6.4 s between reveals while they leave the icon off screen.
        BackOffCase{"WaitsLongerAfterEachFruitlessReveal", "MMMMMMMMMMMMMMMMM", {1, 3, 7, 15}},
        // The icon came back in between: it left again, and the first wait applies again.
        BackOffCase{
            "StartsOverWhenTheIconCameBackAndLeftAgain", "MMMMMMMMSMMMM", {1, 3, 7, 10, 12}},
        BackOffCase{
            "StartsOverAfterADisplayOrApplicationChange", "MMMMMMMMMCMMM", {1, 3, 7, 9, 11}},
        BackOffCase{"AMissBetweenSightingsCountsFromOne", "MSMMSM", {3}},
        // Seated again on the second miss, the icon comes back; lost again, the same.
        BackOffCase{"SeatsOnTheSecondMissRightOfTheSeparators", "RRSRRS", {}, {1, 4}},
        // Seats that leave it out of sight come further and further apart, like reveals; the
        // reveals in between follow their own waits.
        BackOffCase{
            "WaitsLongerAfterEachFruitlessSeat", "RRRRRRRRRRRRRRRRR", {5, 9, 13}, {1, 3, 7, 15}},
        // The change comes before the seat due at tick 15: they start over from the first wait.
        BackOffCase{"StartsTheSeatsOverAfterADisplayOrApplicationChange",
                    "RRRRRRRRRRXRRRRRR",
                    {5, 9, 11, 13},
                    {1, 3, 7, 10, 12, 16}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
