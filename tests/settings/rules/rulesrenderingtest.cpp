#include "rulesfixture.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

struct Look {
    const char *name;
    bool dark;
};

// Draws the Triggers pane and the rule builder in each look and keeps the pictures in the suite's
// build folder ("screenshots/<name>-<look>[@2x].png") for people to look at.
class RulesRenderingTest : public ::testing::TestWithParam<Look>, protected RulesFixture {
protected:
    RulesRenderingTest() { mac.desktop().appearance().setDark(GetParam().dark); }

    void grab(const QString &name) {
        settle();
        const QImage picture = controller.window()->grabWindow();
        const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
        QDir().mkpath(folder);
        const QString scale = controller.window()->devicePixelRatio() > 1 ? u"@2x"_s : QString();
        picture.save(folder + u'/' + name + u'-' + QString::fromLatin1(GetParam().name) + scale +
                     u".png"_s);
    }
};

TEST_P(RulesRenderingTest, TheEmptyPane) {
    showRules();
    grab(u"rules-empty"_s);
    EXPECT_FALSE(sheetShown());
}

TEST_P(RulesRenderingTest, RulesWithTheirStateAndTheBanner) {
    TriggerContext context;
    context.batteryPercent = 18;
    context.isOnBattery = true;
    context.currentSSID = u"Office"_s;
    model.setAutomationContext(context);
    const TriggerRule low = addRule(u"Low battery"_s, TriggerCondition::batteryBelow(20),
                                    TriggerAction::revealHidden());
    addRule(u"Office"_s, TriggerCondition::wifiSSID(u"Office"_s),
            TriggerAction::moveItem(
                MenuBarItemID{u"com.getdropbox.dropbox"_s, std::nullopt, u"Dropbox"_s, 0},
                Section::alwaysHidden));
    const TriggerRule calls =
        addRule(u"Calls"_s,
                TriggerCondition::allOf({TriggerCondition::onBattery(),
                                         TriggerCondition::appRunning(u"us.zoom.xos"_s)}),
                TriggerAction::notify(u"Plug in before the call."_s), false);
    model.setActiveTriggerRuleIDs({low.id});
    model.setSuspendedTriggerRuleIDs({calls.id});
    model.setTriggerNotice(u"Calls was paused: it was switching on and off too fast."_s);
    showRules();
    grab(u"rules-list"_s);
}

TEST_P(RulesRenderingTest, TheBuilderForEachKindOfRule) {
    mac.desktop().wifi().setRememberedNetworks({u"Home"_s, u"Office"_s, u"Jo's iPhone"_s});
    model.profileOps().saveProfileFromCurrent(u"Work"_s);
    showRules();
    pane()->newRule();
    grab(u"rules-builder-new"_s);
    EXPECT_TRUE(sheetShown());
    pane()->builder()->cancel();

    pane()->fillInExample(0);
    grab(u"rules-builder-wifi"_s);
    pane()->builder()->cancel();

    pane()->newRule();
    RuleBuilderModel *builder = pane()->builder();
    builder->setConditionKind(u"appFrontmost"_s);
    builder->setBundleID(u"com.apple.mail"_s);
    builder->setActionKind(u"moveItem"_s);
    builder->setItem(u"com.getdropbox.dropbox###0"_s);
    builder->setLane(u"hidden"_s);
    grab(u"rules-builder-move"_s);
    builder->setActionKind(u"notify"_s);
    grab(u"rules-builder-notify"_s);
    builder->cancel();

    const TriggerRule calls =
        addRule(u"Calls"_s,
                TriggerCondition::allOf({TriggerCondition::onBattery(),
                                         TriggerCondition::appRunning(u"us.zoom.xos"_s)}),
                TriggerAction::hideHidden());
    pane()->editRule(calls.id.toString());
    grab(u"rules-builder-compound"_s);
}

INSTANTIATE_TEST_SUITE_P(Looks, RulesRenderingTest,
                         ::testing::Values(Look{"light", false}, Look{"dark", true}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
