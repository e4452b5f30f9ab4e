#include "appmodel/modelrules.h"
#include "appmodel/modelprofiles.h"
#include "appmodelharness.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TriggerRule rule(const QString &name, TriggerAction action) {
    return TriggerRule{QUuid::createUuid(), name, true, TriggerCondition::onBattery(),
                       std::move(action)};
}

TriggerStep holding(QList<TriggerRule> rules) {
    TriggerStep step;
    step.activeOverrides = std::move(rules);
    return step;
}

class ModelRulesTest : public ::testing::Test {
protected:
    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock, cloud, u"Mac"_s};
    AppModel &model = mac.started();
    ModelRules &rules = model.rules();

    [[nodiscard]] MenuBarItemID item(qsizetype index) {
        return mac.engine().mock().items().at(index).id;
    }
    void run(const TriggerStep &step) {
        rules.applyTriggerStep(step);
        clock.settle();
    }
};

TEST_F(ModelRulesTest, HeldLayoutOverridesWithoutReplacingTheArrangement) {
    const SectionLayout arrangement = model.layoutOrder();
    model.profileOps().saveProfileFromCurrent(u"Base"_s);
    const Profile base = model.profiles().profiles.first();
    const TriggerRule toProfile = rule(u"p"_s, TriggerAction::switchProfile(base.id));
    const MenuBarItemID moved = item(0);
    const TriggerRule hide = rule(u"m"_s, TriggerAction::moveItem(moved, Section::alwaysHidden));
    const qsizetype before = mac.engine().applied().size();

    run(holding({toProfile, hide}));
    SectionLayout expected = base.layout;
    for (const Section section : allSections) {
        expected.sections[section].removeAll(moved);
    }
    expected.sections[Section::alwaysHidden].append(moved);
    ASSERT_EQ(mac.engine().applied().size(), before + 1);
    EXPECT_EQ(mac.engine().applied().last(), expected);
    EXPECT_TRUE(rules.automationOverrideActive());
    EXPECT_EQ(model.layoutOrder(), arrangement);
    EXPECT_EQ(model.activeTriggerRuleIDs(), (QSet<QUuid>{toProfile.id, hide.id}));

    run(holding({toProfile, hide})); // the same wish again: no engine call
    EXPECT_EQ(mac.engine().applied().size(), before + 1);

    run(holding({}));
    EXPECT_EQ(mac.engine().applied().last(), arrangement);
    EXPECT_FALSE(rules.automationOverrideActive());
    EXPECT_EQ(model.layoutOrder(), arrangement);
}

TEST_F(ModelRulesTest, UndoFinishingAfterANewerOverrideKeepsThatOverride) {
    const SectionLayout arrangement = model.layoutOrder();
    mac.engine().holdApplies(seconds(2));
    const TriggerRule hide = rule(u"m"_s, TriggerAction::moveItem(item(0), Section::hidden));
    rules.applyTriggerStep(holding({hide}));
    rules.applyTriggerStep(holding({}));     // undo starts
    rules.applyTriggerStep(holding({hide})); // a newer override while it runs
    clock.advance(seconds(3));
    clock.settle();
    ASSERT_EQ(mac.engine().applied().size(), 4); // start-up, override, undo, override
    EXPECT_TRUE(rules.automationOverrideActive());
    // The rule layout reported after the undo must not become the user's arrangement.
    EXPECT_EQ(model.layoutOrder(), arrangement);
}

TEST_F(ModelRulesTest, RevealWishesAreHeldAndReasserted) {
    const TriggerRule reveal = rule(u"r"_s, TriggerAction::revealHidden());
    const TriggerRule hide = rule(u"h"_s, TriggerAction::hideHidden());
    run(holding({hide, reveal})); // a reveal wins over a hide
    run(holding({reveal}));       // unchanged: no call
    EXPECT_EQ(mac.engine().reveals(), (QList<GatedEngine::Reveal>{{true, false, true}}));

    const struct {
        double autoRehide;
        double firstTickAfter;
        double returnsAfter;
    } cases[] = {{5, 10, 10}, {30, 25, 30}};
    for (const auto &c : cases) {
        model.setAutoRehide(c.autoRehide);
        clock.settle();
        (void)mac.engine().mock().setHiddenRevealed(false, false, false); // the engine tucked
        const qsizetype calls = mac.engine().reveals().size();
        rules.reassertTriggerHold(); // first sight of the lapse
        clock.advance(seconds(c.firstTickAfter - 0.1));
        rules.reassertTriggerHold();
        clock.settle();
        EXPECT_EQ(mac.engine().reveals().size(), calls) << c.autoRehide;
        clock.advance(seconds(c.returnsAfter - c.firstTickAfter + 0.2));
        rules.reassertTriggerHold();
        clock.settle();
        ASSERT_EQ(mac.engine().reveals().size(), calls + 1) << c.autoRehide;
        EXPECT_EQ(mac.engine().reveals().last(), (GatedEngine::Reveal{true, false, true}));
    }
    run(holding({})); // the end of the wish tucks, not held
    EXPECT_EQ(mac.engine().reveals().last(), (GatedEngine::Reveal{false, false, false}));
}

TEST_F(ModelRulesTest, OneShotsRunOnceAndPausesAreAnnounced) {
    const TriggerRule named = rule(u"Office Wi-Fi"_s, TriggerAction::notify(u"x"_s));
    model.rules().addTrigger(named);
    const MenuBarItemID clicked = item(1);
    TriggerStep step;
    step.oneShots = {TriggerAction::notify(u"On battery"_s), TriggerAction::revealItem(clicked),
                     TriggerAction::moveItem(item(2), Section::hidden)};
    step.newlySuspended = {named.id, QUuid::createUuid()};
    step.suspended = {named.id};
    run(step);
    EXPECT_EQ(mac.fakes.notifier.posts, QStringList{u"On battery"_s});
    ASSERT_EQ(mac.engine().mock().activations().size(), 1);
    EXPECT_EQ(mac.engine().mock().activations().first().id, clicked);
    ASSERT_EQ(mac.engine().moves().size(), 1);
    EXPECT_EQ(mac.engine().moves().first().second.section, Section::hidden);
    EXPECT_EQ(model.triggerNotice(),
              u"Office Wi-Fi was paused: it was switching on and off too fast."_s);
    EXPECT_EQ(model.suspendedTriggerRuleIDs(), QSet<QUuid>{named.id});
    clock.advance(seconds(0.7));
    clock.settle();
    EXPECT_EQ(mac.engine().reconciles(), QList<QString>{u"user-move"_s});

    step = TriggerStep();
    step.newlySuspended = {QUuid::createUuid()};
    run(step);
    EXPECT_EQ(model.triggerNotice(), u"A rule was paused: it was switching on and off too fast."_s);
}

TEST_F(ModelRulesTest, EditsSaveAndReEvaluateOnlyWhenTheyApply) {
    const TriggerRule first = rule(u"a"_s, TriggerAction::revealHidden());
    TriggerRule stranger = rule(u"b"_s, TriggerAction::hideHidden());
    const struct {
        std::function<void()> edit;
        qsizetype rules;
        int evaluations;
    } steps[] = {
        {[&] { rules.addTrigger(first); }, 1, 1},
        {[&] { rules.updateTrigger(stranger); }, 1, 1},
        {[&] { rules.setTriggerEnabled(first.id, false); }, 1, 2},
        {[&] { rules.deleteTrigger(stranger.id); }, 1, 3},
        {[&] { rules.deleteTrigger(first.id); }, 0, 4},
    };
    const int before = int(mac.fakes.runner->evaluations.size());
    for (const auto &step : steps) {
        step.edit();
        EXPECT_EQ(model.triggers().rules.size(), step.rules);
        EXPECT_EQ(int(mac.fakes.runner->evaluations.size()) - before, step.evaluations);
    }
}

} // namespace
} // namespace zorv
