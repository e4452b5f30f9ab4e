#include "triggers/triggerengine.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QDateTime at(double seconds) {
    return QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC).addMSecs(qint64(seconds * 1000));
}

TriggerRule onBatteryRule(TriggerAction action, QString name = u"H"_s) {
    return {QUuid::createUuid(), name, true, TriggerCondition::onBattery(), std::move(action)};
}

// Threads the runtime from step to step, as the automation runner does.
struct Runner {
    QList<TriggerRule> rules;
    TriggerRuntime runtime;

    TriggerStep step(double seconds, bool onBattery) {
        TriggerContext context;
        context.isOnBattery = onBattery;
        TriggerStep result = TriggerEngine::step(rules, context, at(seconds), runtime);
        runtime = result.runtime;
        return result;
    }
};

// "N" per newly suspended rule, "S" per suspended rule, then the names of the held rules and the
// texts of the fired notifications.
QString letters(const TriggerStep &step) {
    QString text = QString(step.newlySuspended.size(), u'N') + QString(step.suspended.size(), u'S');
    for (const TriggerRule &rule : step.activeOverrides) {
        text += rule.name;
    }
    for (const TriggerAction &action : step.oneShots) {
        text += action.text();
    }
    return text;
}

TEST(TriggerEngineTest, HoldsFiresOnRisingEdgesAndGuardsAgainstFlapping) {
    Runner runner{{onBatteryRule(TriggerAction::hideHidden()),
                   onBatteryRule(TriggerAction::notify(u"F"_s), u"notify"_s)},
                  {}};
    // One rule holds its action as a level, the other fires on each rising edge. Six changes
    // within a minute are tolerated; the seventh, at 30, suspends both rules until 90
    // and swallows the rising edge. Changes during the suspension do not extend it, and when it
    // ends the held state returns without a new edge. At 155 the change at 95 is exactly a
    // window old and no longer counts; at 160 the seventh change since 105 suspends again.
    const struct {
        double time;
        bool onBattery;
        QString expected;
    } rows[] = {
        {0, true, u"HF"_s},   {5, false, u""_s},   {10, true, u"HF"_s},   {15, false, u""_s},
        {20, true, u"HF"_s},  {25, false, u""_s},  {30, true, u"NNSS"_s}, {35, false, u"SS"_s},
        {40, true, u"SS"_s},  {85, true, u"SS"_s}, {90, true, u"H"_s},    {95, false, u""_s},
        {105, true, u"HF"_s}, {115, false, u""_s}, {125, true, u"HF"_s},  {135, false, u""_s},
        {145, true, u"HF"_s}, {155, false, u""_s}, {160, true, u"NNSS"_s}};
    for (const auto &row : rows) {
        EXPECT_EQ(letters(runner.step(row.time, row.onBattery)), row.expected) << row.time;
    }
}

TEST(TriggerEngineTest, AChangeAtTheVeryEndOfASuspensionStartsTheNextOne) {
    Runner runner{{onBatteryRule(TriggerAction::hideHidden())}, {}};
    const QUuid id = runner.rules.constFirst().id;
    // Six changes inside the window and a suspension that ends at 90.
    runner.runtime.lastSatisfied.insert(id, false);
    runner.runtime.flips.insert(id, {at(40), at(50), at(60), at(70), at(80), at(85)});
    runner.runtime.suspendedUntil.insert(id, at(90));

    const TriggerStep step = runner.step(90, true);
    EXPECT_EQ(letters(step), u"NS"_s);
    EXPECT_EQ(step.newlySuspended, QList<QUuid>{id});
    EXPECT_EQ(runner.runtime.suspendedUntil.value(id), at(150));
}

TEST(TriggerEngineTest, DisablingCountsAsAChangeAndReEnablingIsARisingEdge) {
    Runner runner{{onBatteryRule(TriggerAction::notify(u"F"_s), u"notify"_s)}, {}};
    const QUuid id = runner.rules.constFirst().id;
    EXPECT_EQ(letters(runner.step(0, true)), u"F"_s);
    runner.rules.first().isEnabled = false;
    EXPECT_EQ(letters(runner.step(10, true)), QString());
    EXPECT_EQ(runner.runtime.flips.value(id).size(), 2);
    runner.rules.first().isEnabled = true;
    EXPECT_EQ(letters(runner.step(20, true)), u"F"_s);
}

TEST(TriggerEngineTest, ListsFollowRuleOrderAndDeletedRulesLeaveNoMemory) {
    const TriggerRule work = onBatteryRule(TriggerAction::moveItem({}, Section::hidden));
    const TriggerRule home{QUuid::createUuid(), u"home"_s, true, TriggerCondition::allOf({}),
                           TriggerAction::switchProfile(QUuid::createUuid())};
    Runner runner{{home, work}, {}};
    EXPECT_EQ(runner.step(0, true).activeOverrides, (QList<TriggerRule>{home, work}));
    runner.rules = {work};
    EXPECT_EQ(runner.step(5, true).activeOverrides, QList<TriggerRule>{work});
    EXPECT_EQ(runner.runtime.lastSatisfied.keys(), QList<QUuid>{work.id});
    EXPECT_EQ(runner.runtime.flips.keys(), QList<QUuid>{work.id});
    TriggerRuntime stale = runner.runtime;
    stale.suspendedUntil.insert(work.id, at(60));
    EXPECT_EQ(TriggerEngine::step({}, {}, at(10), stale), TriggerStep{});
}

} // namespace
} // namespace zorv
