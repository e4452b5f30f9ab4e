#include "rulerunner.h"
#include "appmodelharness.h"
#include "modelrules.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TriggerContext battery(qint64 percent, bool onBattery = true) {
    TriggerContext context;
    context.batteryPercent = percent;
    context.isOnBattery = onBattery;
    return context;
}

TriggerRule rule(const QString &name, TriggerCondition condition, TriggerAction action) {
    return TriggerRule{QUuid::createUuid(), name, true, std::move(condition), std::move(action)};
}

// The runner over a started model on a simulated Mac, whose engine records what it is asked.
class RuleRunnerTest : public ::testing::Test {
protected:
    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock, cloud, u"Mac"_s};
    AppModel &model = mac.started();
    RuleRunner runner{model, clock};

    void evaluate(const QList<TriggerRule> &rules, const TriggerContext &context) {
        runner.evaluate(rules, context);
        clock.settle();
    }
};

TEST_F(RuleRunnerTest, holdsADeclarativeActionWhileTheRuleHolds) {
    const TriggerRule low =
        rule(u"Low"_s, TriggerCondition::batteryBelow(20), TriggerAction::revealHidden());
    evaluate({low}, battery(15));
    EXPECT_EQ(model.activeTriggerRuleIDs(), QSet<QUuid>{low.id});
    ASSERT_FALSE(mac.engine().reveals().isEmpty());
    EXPECT_TRUE(mac.engine().reveals().last().reveal);
    evaluate({low}, battery(60));
    EXPECT_TRUE(model.activeTriggerRuleIDs().isEmpty());
    EXPECT_FALSE(mac.engine().reveals().last().reveal);
}

TEST_F(RuleRunnerTest, runsOneShotsOnTheRisingEdgeOnly) {
    const TriggerRule unplugged =
        rule(u"Unplugged"_s, TriggerCondition::onBattery(), TriggerAction::notify(u"On battery"_s));
    const QList<TriggerRule> rules{unplugged};
    for (const bool onBattery : {true, true, false, true}) {
        evaluate(rules, battery(80, onBattery));
        clock.advance(seconds(30));
    }
    EXPECT_EQ(mac.fakes.notifier.posts, (QStringList{u"On battery"_s, u"On battery"_s}));
}

// One runtime sees every evaluation, so a rule flipping too fast is paused and announced.
TEST_F(RuleRunnerTest, pausesARuleThatFlapsAndSaysSo) {
    const TriggerRule flaky =
        rule(u"Flaky"_s, TriggerCondition::batteryBelow(20), TriggerAction::hideHidden());
    model.rules().addTrigger(flaky);
    for (int i = 0; i < 10 && !model.triggerNotice(); ++i) {
        evaluate(model.triggers().rules, battery(i % 2 == 0 ? 10 : 30));
        clock.advance(seconds(1));
    }
    EXPECT_EQ(model.triggerNotice(), u"Flaky was paused: it was switching on and off too fast."_s);
    EXPECT_TRUE(model.suspendedTriggerRuleIDs().contains(flaky.id));
    EXPECT_TRUE(runner.runtime() != TriggerRuntime());
}

TEST_F(RuleRunnerTest, doesNothingOnceTheModelIsGone) {
    const TriggerRuntime before = runner.runtime();
    mac.quit();
    runner.evaluate(
        {rule(u"Low"_s, TriggerCondition::batteryBelow(20), TriggerAction::revealHidden())},
        battery(5));
    EXPECT_EQ(runner.runtime(), before);
}

} // namespace
} // namespace zorv
