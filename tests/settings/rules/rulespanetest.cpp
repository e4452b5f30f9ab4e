#include "rulelistmodel.h"
#include "rulesfixture.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

class RulesPaneTest : public ::testing::Test, protected RulesFixture {};

TEST_F(RulesPaneTest, TheRailOffersTriggersOnlyWhenRulesRun) {
    const auto keys = [](const QVariantList &rail) {
        QStringList result;
        for (const QVariant &entry : rail) {
            result.append(entry.toMap().value(u"key"_s).toString());
        }
        return result;
    };
    showRules();
    EXPECT_TRUE(keys(controller.model()->rail()).contains(u"triggers"_s));
    EXPECT_EQ(controller.model()->pane().toStdString(), "triggers");
    EXPECT_EQ(paneItem()->property("title").toString().toStdString(), "Triggers");

    SettingsServices bare{clock, panels, viewer, mac.desktop().scripting()};
    SettingsWindowController without{engine, view, bare, mac.desktop().appWindows()};
    without.show();
    settle();
    EXPECT_FALSE(keys(without.model()->rail()).contains(u"triggers"_s));
}

// The rows as the pane reads them: sentences in the user's words, "ACTIVE NOW" only for an
// enabled rule whose action holds, the paused line whatever the switch says.
TEST_F(RulesPaneTest, RowsWordEachRuleAndShowItsLiveState) {
    QAbstractItemModelTester tester(view.rules(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    showRules();
    const MenuBarItemID dropbox{u"com.getdropbox.dropbox"_s, std::nullopt, u"Dropbox"_s, 0};
    const struct {
        const char *name;
        TriggerCondition condition;
        TriggerAction action;
        bool enabled;
        bool active;
        bool suspended;
        QString sentence;
        bool activeNow;
    } cases[] = {
        {"held", TriggerCondition::batteryBelow(20), TriggerAction::revealHidden(), true, true,
         false, u"When battery below 20%, reveal hidden items."_s, true},
        {"offButHeld", TriggerCondition::onBattery(),
         TriggerAction::moveItem(dropbox, Section::shown), false, true, false,
         u"When running on battery, move Dropbox to Shown."_s, false},
        {"offAndPaused", TriggerCondition::charging(), TriggerAction::notify(QString()), false,
         false, true, u"When plugged in, send you a notification."_s, false},
        {"pausedApp", TriggerCondition::appRunning(u"us.zoom.xos"_s), TriggerAction::hideHidden(),
         true, false, true, u"When us.zoom.xos is open, hide hidden items."_s, false},
    };
    QSet<QUuid> active;
    QSet<QUuid> suspended;
    for (const auto &c : cases) {
        const TriggerRule rule =
            addRule(QString::fromLatin1(c.name), c.condition, c.action, c.enabled);
        if (c.active) {
            active.insert(rule.id);
        }
        if (c.suspended) {
            suspended.insert(rule.id);
        }
    }
    model.setActiveTriggerRuleIDs(active);
    model.setSuspendedTriggerRuleIDs(suspended);
    RuleListModel &rows = *view.rules();
    ASSERT_EQ(rows.rowCount(), 4);
    for (int row = 0; row < 4; ++row) {
        const auto &c = cases[row];
        const QModelIndex index = rows.index(row);
        EXPECT_EQ(index.data(RuleListModel::SentenceRole).toString().toStdString(),
                  c.sentence.toStdString())
            << c.name;
        EXPECT_EQ(index.data(RuleListModel::ActiveNowRole), QVariant(c.activeNow)) << c.name;
        EXPECT_EQ(index.data(RuleListModel::SuspendedRole), QVariant(c.suspended)) << c.name;
    }
    EXPECT_EQ(pane()->rulesKicker(), u"4 Rules"_s);

    // The switch and the bin of a row go through the model.
    click(find(u"enableRule1"_s));
    EXPECT_TRUE(model.triggers().rules[1].isEnabled);
    click(find(u"deleteRule0"_s));
    EXPECT_EQ(model.triggers().rules.size(), 3);
    EXPECT_EQ(model.triggers().rules[0].name, u"offButHeld"_s);
}

TEST_F(RulesPaneTest, SheetButtonsOpenTheBuilderAndTheBannerClears) {
    showRules();
    ASSERT_TRUE(find(u"addRuleEmpty"_s));
    click(find(u"addRuleEmpty"_s));
    ASSERT_TRUE(sheetShown());
    click(find(u"builderSave"_s));
    EXPECT_FALSE(sheetShown());
    ASSERT_EQ(model.triggers().rules.size(), 1);

    click(find(u"fillIn3"_s));
    ASSERT_TRUE(sheetShown());
    EXPECT_EQ(pane()->builder()->actionKind(), u"notify"_s);
    click(find(u"builderCancel"_s));
    EXPECT_FALSE(sheetShown());
    EXPECT_EQ(model.triggers().rules.size(), 1);

    click(find(u"editRule0"_s));
    ASSERT_TRUE(sheetShown());
    EXPECT_EQ(pane()->builder()->heading(), u"Edit Rule"_s);
    press(Qt::Key_Escape);

    model.setTriggerNotice(u"Low was paused: it was switching on and off too fast."_s);
    settle();
    ASSERT_TRUE(find(u"pauseBanner"_s)->isVisible());
    click(find(u"dismissNotice"_s));
    EXPECT_EQ(model.triggerNotice(), std::nullopt);
    EXPECT_FALSE(find(u"pauseBanner"_s)->isVisible());
}

// Escape cancels the sheet (and only the sheet); Return and Command-Return save a complete rule
// and do nothing while it is incomplete; an open picker takes both keys first.
TEST_F(RulesPaneTest, TheBuilderSheetTakesEscapeReturnAndCommandReturn) {
    showRules();
    pane()->newRule();
    settle();
    ASSERT_TRUE(sheetShown());
    press(Qt::Key_Escape);
    EXPECT_FALSE(sheetShown());
    EXPECT_TRUE(controller.appWindow()->isVisible());
    EXPECT_TRUE(model.triggers().rules.isEmpty());

    for (const Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::ControlModifier}) {
        pane()->newRule();
        settle();
        press(Qt::Key_Return, modifiers);
        EXPECT_FALSE(sheetShown());
    }
    EXPECT_EQ(model.triggers().rules.size(), 2);

    pane()->newRule();
    settle();
    pane()->builder()->setActionKind(u"notify"_s);
    settle();
    press(Qt::Key_Return);
    EXPECT_TRUE(sheetShown());
    EXPECT_EQ(model.triggers().rules.size(), 2);

    auto *picker = find(u"actionPicker"_s);
    ASSERT_TRUE(picker);
    click(picker);
    ASSERT_TRUE(picker->property("presented").toBool());
    press(Qt::Key_Escape);
    EXPECT_FALSE(picker->property("presented").toBool());
    EXPECT_TRUE(sheetShown());
    click(picker);
    press(Qt::Key_Up);
    press(Qt::Key_Return);
    // "Switch to a profile…" is above "Send me a notification…".
    EXPECT_EQ(pane()->builder()->actionKind(), u"switchProfile"_s);
    EXPECT_TRUE(sheetShown());
    press(Qt::Key_Escape);
    EXPECT_FALSE(sheetShown());
    EXPECT_EQ(model.triggers().rules.size(), 2);
}

// The sheet keeps to the main screen, not to the settings window: on the notched laptop a short
// rule shows whole, nothing of it scrolled out of sight.
TEST_F(RulesPaneTest, AShortRuleShowsWithoutScrolling) {
    ScreenDescription laptop;
    laptop.menuBarHeight = 37.0;
    laptop.cameraHousingWidth = 200.0;
    mac.desktop().arrangement().add(laptop);
    showRules();
    pane()->newRule();
    RuleBuilderModel *builder = pane()->builder();
    builder->setConditionKind(u"appFrontmost"_s);
    builder->setBundleID(u"com.apple.Safari"_s);
    builder->setActionKind(u"moveItem"_s);
    builder->setItem(u"com.getdropbox.dropbox###0"_s);
    builder->setLane(u"hidden"_s);
    settle();
    (void)controller.window()->grabWindow();

    const QQuickItem *scroller = find(u"builderScroller"_s);
    ASSERT_TRUE(scroller);
    EXPECT_EQ(scroller->height(), scroller->property("contentHeight").toDouble());
}

TEST_F(RulesPaneTest, ATypedNetworkAndMessageMakeTheRule) {
    showRules();
    pane()->newRule();
    settle();
    RuleBuilderModel *builder = pane()->builder();
    builder->setConditionKind(u"wifiSSID"_s);
    builder->setActionKind(u"notify"_s);
    settle();
    auto *network = find(u"networkField"_s);
    ASSERT_TRUE(network && network->isVisible());
    QMetaObject::invokeMethod(network, "forceActiveFocus");
    type(u" Office "_s);
    auto *message = find(u"messageField"_s);
    ASSERT_TRUE(message && message->isVisible());
    QMetaObject::invokeMethod(message, "forceActiveFocus");
    type(u"At work"_s);
    settle();
    EXPECT_EQ(builder->sentence(),
              u"When on the Wi-Fi network \u201COffice\u201D, tell you \u201CAt work\u201D."_s);
    press(Qt::Key_Return);
    ASSERT_EQ(model.triggers().rules.size(), 1);
    EXPECT_EQ(model.triggers().rules[0].condition, TriggerCondition::wifiSSID(u"Office"_s));
    EXPECT_EQ(model.triggers().rules[0].name, u"On the Wi-Fi network \u201COffice\u201D"_s);
}

} // namespace
} // namespace zorv
