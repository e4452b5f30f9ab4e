#include "triggers/triggerengine.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QDateTime kStart(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC);

QDateTime at(double seconds) {
    return kStart.addMSecs(static_cast<qint64>(seconds * 1000));
}

TriggerContext battery(bool onBattery) {
    TriggerContext context;
    context.isOnBattery = onBattery;
    return context;
}

TriggerRule onBatteryRule(TriggerAction action, bool enabled = true) {
    return {QUuid::createUuid(), u"rule"_s, enabled, TriggerCondition::onBattery(),
            std::move(action)};
}

// Threads the runtime from step to step, as the automation runner does.
struct Runner {
    QList<TriggerRule> rules;
    TriggerRuntime runtime;

    TriggerStep step(double seconds, bool onBattery) {
        TriggerStep result = TriggerEngine::step(rules, battery(onBattery), at(seconds), runtime);
        runtime = result.runtime;
        return result;
    }
};

TEST(TriggerEngineTest, EmptyRuleListForgetsEverything) {
    TriggerRuntime stale;
    const QUuid gone = QUuid::createUuid();
    stale.lastSatisfied.insert(gone, true);
    stale.flips.insert(gone, {kStart});
    stale.suspendedUntil.insert(gone, at(60));
    EXPECT_EQ(TriggerEngine::step({}, battery(true), kStart, stale), TriggerStep{});
}

TEST(TriggerEngineTest, OneShotFiresOnRisingEdgesAndDeclarativeIsHeldAsALevel) {
    const TriggerAction notify = TriggerAction::notify(u"On battery"_s);
    Runner runner{{onBatteryRule(notify), onBatteryRule(TriggerAction::hideHidden())}, {}};
    const TriggerRule &held = runner.rules.at(1);

    struct Row {
        double time;
        bool onBattery;
        qsizetype oneShots;
        bool holding;
    };
    for (const Row &row : {Row{0, true, 1, true}, Row{20, true, 0, true}, Row{40, false, 0, false},
                           Row{100, true, 1, true}, Row{120, true, 0, true}}) {
        const TriggerStep step = runner.step(row.time, row.onBattery);
        EXPECT_EQ(step.oneShots, QList<TriggerAction>(row.oneShots, notify)) << row.time;
        EXPECT_EQ(step.activeOverrides,
                  row.holding ? QList<TriggerRule>{held} : QList<TriggerRule>{})
            << row.time;
        EXPECT_TRUE(step.suspended.isEmpty()) << row.time;
    }
}

struct FlapRow {
    double time;
    bool onBattery;
    bool newlySuspended;
    bool suspended;
    bool holding;
};

void runFlapRows(Runner &runner, const QList<FlapRow> &rows) {
    const QUuid id = runner.rules.constFirst().id;
    for (const FlapRow &row : rows) {
        const TriggerStep step = runner.step(row.time, row.onBattery);
        EXPECT_EQ(step.newlySuspended, row.newlySuspended ? QList<QUuid>{id} : QList<QUuid>{})
            << "t=" << row.time;
        EXPECT_EQ(step.suspended.contains(id), row.suspended) << "t=" << row.time;
        EXPECT_EQ(step.activeOverrides.size(), row.holding ? 1 : 0) << "t=" << row.time;
    }
}

TEST(TriggerEngineTest, FlapGuardSuspendsOnTheSeventhChangeWithoutExtending) {
    Runner runner{{onBatteryRule(TriggerAction::hideHidden())}, {}};
    runFlapRows(runner, {
                            {0, true, false, false, true},
                            {5, false, false, false, false},
                            {10, true, false, false, true},
                            {15, false, false, false, false},
                            {20, true, false, false, true},
                            {25, false, false, false, false},
                            // Seventh change within the window: suspended until 90.
                            {30, true, true, true, false},
                            {35, false, false, true, false},
                            {40, true, false, true, false},
                            {85, true, false, true, false},
                        });
    EXPECT_EQ(runner.runtime.suspendedUntil.value(runner.rules.constFirst().id), at(90));
    runFlapRows(runner, {
                            // Suspension over at exactly its end; the held state comes back.
                            {90, true, false, false, true},
                            // The change at 35 is exactly a window old and no longer counts.
                            {95, false, false, false, false},
                        });
    EXPECT_EQ(runner.runtime.flips.value(runner.rules.constFirst().id),
              (QList<QDateTime>{at(40), at(95)}));
}

TEST(TriggerEngineTest, FlapWindowExcludesChangesExactlySixtySecondsOld) {
    Runner steady{{onBatteryRule(TriggerAction::hideHidden())}, {}};
    runFlapRows(steady, {{0, true, false, false, true},
                         {10, false, false, false, false},
                         {20, true, false, false, true},
                         {30, false, false, false, false},
                         {40, true, false, false, true},
                         {50, false, false, false, false},
                         {60, true, false, false, true}});

    Runner flapping{{onBatteryRule(TriggerAction::hideHidden())}, {}};
    runFlapRows(flapping, {{0, true, false, false, true},
                           {10, false, false, false, false},
                           {20, true, false, false, true},
                           {30, false, false, false, false},
                           {40, true, false, false, true},
                           {50, false, false, false, false},
                           {59.999, true, true, true, false}});
}

TEST(TriggerEngineTest, KeepsFlappingAfterSuspensionIsSuspendedAgain) {
    Runner runner{{onBatteryRule(TriggerAction::hideHidden())}, {}};
    QList<double> suspendedAt;
    for (int i = 0; i <= 24; ++i) {
        const TriggerStep step = runner.step(i * 5.0, i % 2 == 0);
        if (!step.newlySuspended.isEmpty()) {
            suspendedAt.append(i * 5.0);
        }
    }
    EXPECT_EQ(suspendedAt, (QList<double>{30, 90}));
    EXPECT_EQ(runner.runtime.suspendedUntil.value(runner.rules.constFirst().id), at(150));
}

TEST(TriggerEngineTest, OneShotDoesNotFireForAnEdgeHiddenBySuspension) {
    const TriggerAction notify = TriggerAction::notify(u"hi"_s);
    Runner runner{{onBatteryRule(notify)}, {}};
    int fired = 0;
    for (int i = 0; i <= 6; ++i) {
        fired += runner.step(i * 5.0, i % 2 == 0).oneShots.size();
    }
    EXPECT_EQ(fired, 3); // at 0, 10 and 20; the edge at 30 is swallowed by the suspension
    EXPECT_TRUE(runner.step(90, true).oneShots.isEmpty());
    EXPECT_TRUE(runner.step(95, false).oneShots.isEmpty());
    EXPECT_EQ(runner.step(100, true).oneShots, QList<TriggerAction>{notify});
}

TEST(TriggerEngineTest, DisablingCountsAsAChangeAndReEnablingIsARisingEdge) {
    const TriggerAction notify = TriggerAction::notify(u"hi"_s);
    Runner runner{{onBatteryRule(notify)}, {}};
    const QUuid id = runner.rules.constFirst().id;
    EXPECT_EQ(runner.step(0, true).oneShots.size(), 1);

    runner.rules.first().isEnabled = false;
    const TriggerStep disabled = runner.step(10, true);
    EXPECT_TRUE(disabled.oneShots.isEmpty());
    EXPECT_TRUE(disabled.activeOverrides.isEmpty());
    EXPECT_FALSE(disabled.runtime.lastSatisfied.value(id, true));
    EXPECT_EQ(disabled.runtime.flips.value(id).size(), 2);

    runner.rules.first().isEnabled = true;
    EXPECT_EQ(runner.step(20, true).oneShots.size(), 1);
}

TEST(TriggerEngineTest, ListsFollowRuleOrderAndDeletedRulesLeaveNoMemory) {
    const TriggerRule work{QUuid::createUuid(), u"work"_s, true, TriggerCondition::onBattery(),
                           TriggerAction::switchProfile(QUuid::createUuid())};
    const TriggerRule home{QUuid::createUuid(), u"home"_s, true, TriggerCondition::allOf({}),
                           TriggerAction::switchProfile(QUuid::createUuid())};
    Runner runner{{home, work}, {}};
    EXPECT_EQ(runner.step(0, true).activeOverrides, (QList<TriggerRule>{home, work}));

    runner.rules = {work};
    const TriggerStep step = runner.step(5, true);
    EXPECT_EQ(step.activeOverrides, QList<TriggerRule>{work});
    EXPECT_FALSE(step.runtime.lastSatisfied.contains(home.id));
    EXPECT_FALSE(step.runtime.flips.contains(home.id));
    EXPECT_TRUE(step.runtime.lastSatisfied.contains(work.id));
}

} // namespace
} // namespace zorv
