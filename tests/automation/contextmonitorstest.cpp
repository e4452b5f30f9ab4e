#include "contextmonitors.h"
#include "manualclock.h"
#include "simulateddesktop.h"
#include "workspace/simworkspace.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

AppDescription app(std::optional<QString> bundleID) {
    AppDescription description;
    description.bundleIdentifier = std::move(bundleID);
    description.localizedName = u"App"_s;
    return description;
}

// Monitors over a simulated Mac, recording every context they report and every tick.
class ContextMonitorsTest : public ::testing::Test {
protected:
    ManualClock clock{QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC)};
    SimulatedDesktop desktop{clock, app(u"app.zorv.Zorv"_s)};
    SimWorkspace workspace{desktop.model()};
    QList<TriggerContext> reported;
    int ticks = 0;
    std::unique_ptr<ContextMonitors> monitors = std::make_unique<ContextMonitors>(
        [this](const TriggerContext &context) { reported.append(context); },
        ContextSources{workspace, desktop.powerSources(), desktop.wifi(), desktop.focus()}, clock);

    void start() {
        monitors->setOnTick([this] { ++ticks; });
        monitors->start();
        clock.settle();
    }
    void advance(double s) {
        clock.advance(seconds(s));
        clock.settle();
    }
};

TEST_F(ContextMonitorsTest, snapshotReadsEveryService) {
    desktop.applications().launch(app(u"com.apple.mail"_s));
    const qint32 helper = desktop.applications().launch(app(std::nullopt));
    desktop.applications().activate(helper);
    desktop.powerSources().setBattery(42, true, true);
    desktop.location().setStatus(LocationStatus::AuthorizedAlways);
    desktop.wifi().join(u"Office"_s);
    desktop.focus().setFocusActive(true);

    TriggerContext expected;
    expected.batteryPercent = 42;
    expected.isCharging = true;
    expected.isOnBattery = true;
    expected.currentSSID = u"Office"_s;
    expected.runningBundleIDs = {u"app.zorv.Zorv"_s, u"com.apple.mail"_s};
    expected.frontmostBundleID = std::nullopt; // the helper has no bundle identifier
    expected.focusActive = true;
    EXPECT_EQ(monitors->snapshot(), expected);

    desktop.location().setStatus(LocationStatus::Denied);
    desktop.focus().setFocusActive(false);
    desktop.powerSources().removeBattery();
    const TriggerContext later = monitors->snapshot();
    EXPECT_EQ(later.currentSSID, std::nullopt);
    EXPECT_FALSE(later.focusActive);
    EXPECT_EQ(later.batteryPercent, std::nullopt);
    EXPECT_FALSE(later.isOnBattery);
}

TEST_F(ContextMonitorsTest, reportsEachChangeOnceAtOnce) {
    start();
    ASSERT_EQ(reported.size(), 1); // the first reading always reports
    const qint32 mail = desktop.applications().launch(app(u"com.apple.mail"_s));
    clock.settle();
    ASSERT_EQ(reported.size(), 2);
    EXPECT_TRUE(reported.last().runningBundleIDs.contains(u"com.apple.mail"_s));

    desktop.applications().activate(mail);
    clock.settle();
    ASSERT_EQ(reported.size(), 3);
    EXPECT_EQ(reported.last().frontmostBundleID, u"com.apple.mail"_s);

    desktop.focus().setFocusActive(true);
    clock.settle();
    ASSERT_EQ(reported.size(), 4);
    EXPECT_TRUE(reported.last().focusActive);

    // Notifications that change nothing report nothing.
    Q_EMIT desktop.focus().focusChanged();
    Q_EMIT workspace.applicationActivated(RunningApplication{});
    clock.settle();
    EXPECT_EQ(reported.size(), 4);

    desktop.applications().quit(mail);
    clock.settle();
    ASSERT_EQ(reported.size(), 5);
    EXPECT_FALSE(reported.last().runningBundleIDs.contains(u"com.apple.mail"_s));
}

// Power and Wi-Fi send no notification: the poll reads them every fourth 5-second cycle and
// ticks on every one.
TEST_F(ContextMonitorsTest, pollsEveryTwentySecondsAndTicksEveryFive) {
    start();
    desktop.powerSources().setBattery(15, false, true);
    const struct {
        double at;
        int ticks;
        qsizetype reports;
    } steps[] = {{4, 0, 1}, {5, 1, 1}, {15, 3, 1}, {19, 3, 1}, {20, 4, 2}, {39, 7, 2}, {40, 8, 2}};
    double now = 0;
    for (const auto &step : steps) {
        advance(step.at - now);
        now = step.at;
        EXPECT_EQ(ticks, step.ticks) << "at " << step.at;
        EXPECT_EQ(reported.size(), step.reports) << "at " << step.at;
    }
    EXPECT_EQ(reported.last().batteryPercent, 15);
    desktop.wifi().join(u"Cafe"_s);
    desktop.location().setStatus(LocationStatus::AuthorizedAlways);
    advance(20);
    EXPECT_EQ(reported.last().currentSSID, u"Cafe"_s);
}

TEST_F(ContextMonitorsTest, pollEndsWithTheMonitors) {
    start();
    monitors.reset();
    advance(60);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(clock.sleeperCount(), 0);
}

} // namespace
} // namespace zorv
