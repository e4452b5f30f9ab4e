#include "ruledraft.h"
#include "rulewordsfixture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QUuid workID = QUuid::createUuid();
const MenuBarItemID mailItem{u"com.apple.mail"_s, std::nullopt, u"Mail"_s, 0};

TriggerRule stored(TriggerCondition condition, TriggerAction action, bool enabled = true) {
    return TriggerRule{QUuid::createUuid(), u"Stored"_s, enabled, std::move(condition),
                       std::move(action)};
}

// A draft over a Mac with Mail's item on the bar and one profile, "Work".
class RuleDraftTest : public ::testing::Test {
protected:
    InstalledMac mac;
    QList<MenuBarItem> items{MenuBarItem{mailItem, 1, u"Mail"_s, QRectF(), std::nullopt,
                                         std::nullopt, Section::hidden, false, false, false}};
    ProfileSet profiles{{Profile{workID, u"Work"_s, {}, std::nullopt, std::nullopt}}, std::nullopt};

    RuleDraft draft(std::optional<TriggerRule> existing = std::nullopt,
                    const std::optional<TriggerRule> &example = std::nullopt) {
        return RuleDraft(items, profiles, mac.workspace, std::move(existing), example);
    }
};

TEST_F(RuleDraftTest, aNewRuleStartsComplete) {
    RuleDraft fresh = draft();
    EXPECT_TRUE(fresh.isValid());
    EXPECT_EQ(fresh.sentence(), u"When battery below 20%, reveal hidden items."_s);
    EXPECT_EQ(fresh.suggestedName(), u"Battery below 20%"_s);
    const auto rule = fresh.rule();
    ASSERT_TRUE(rule);
    EXPECT_EQ(rule->name, u"Battery below 20%"_s);
    EXPECT_TRUE(rule->isEnabled);
}

// Each field that needs filling in keeps the draft from being saved while it is empty.
TEST_F(RuleDraftTest, incompleteHalvesCannotBeSaved) {
    const struct {
        const char *name;
        std::function<void(RuleDraft &)> edit;
        bool valid;
        QString sentence;
        QString suggested;
    } cases[] = {
        {"blankNetwork",
         [](RuleDraft &d) {
             d.setConditionKind(RuleDraft::ConditionKind::WifiSSID);
             d.setNetwork(u"  \t"_s);
         },
         false, u"When\u2026"_s, u"On a Wi-Fi network"_s},
        {"paddedNetwork",
         [](RuleDraft &d) {
             d.setConditionKind(RuleDraft::ConditionKind::WifiSSID);
             d.setNetwork(u" Office\t"_s);
         },
         true, u"When on the Wi-Fi network \u201COffice\u201D, reveal hidden items."_s,
         u"On the Wi-Fi network \u201COffice\u201D"_s},
        {"noApp", [](RuleDraft &d) { d.setConditionKind(RuleDraft::ConditionKind::AppFrontmost); },
         false, u"When\u2026"_s, u"An app is in front"_s},
        {"app",
         [](RuleDraft &d) {
             d.setConditionKind(RuleDraft::ConditionKind::AppRunning);
             d.setBundleID(u"com.apple.mail"_s);
         },
         true, u"When Mail is open, reveal hidden items."_s, u"Mail is open"_s},
        {"noProfile", [](RuleDraft &d) { d.setActionKind(RuleDraft::ActionKind::SwitchProfile); },
         false, u"When battery below 20%, \u2026"_s, u"Battery below 20%"_s},
        {"noItem", [](RuleDraft &d) { d.setActionKind(RuleDraft::ActionKind::MoveItem); }, false,
         u"When battery below 20%, \u2026"_s, u"Battery below 20%"_s},
        // A notification without text would never be posted.
        {"blankMessage",
         [](RuleDraft &d) {
             d.setActionKind(RuleDraft::ActionKind::Notify);
             d.setMessage(u" \t "_s);
         },
         false, u"When battery below 20%, \u2026"_s, u"Battery below 20%"_s},
        {"message",
         [](RuleDraft &d) {
             d.setActionKind(RuleDraft::ActionKind::Notify);
             d.setMessage(u"  Low  "_s);
         },
         true, u"When battery below 20%, tell you \u201CLow\u201D."_s, u"Battery below 20%"_s},
    };
    for (const auto &c : cases) {
        RuleDraft d = draft();
        c.edit(d);
        EXPECT_EQ(d.isValid(), c.valid) << c.name;
        EXPECT_EQ(d.rule().has_value(), c.valid) << c.name;
        EXPECT_EQ(d.sentence(), c.sentence) << c.name;
        EXPECT_EQ(d.suggestedName(), c.suggested) << c.name;
    }
}

TEST_F(RuleDraftTest, seedsFromTheRuleItEdits) {
    const TriggerRule edited =
        stored(TriggerCondition::appFrontmost(u"com.apple.mail"_s),
               TriggerAction::moveItem(mailItem, Section::alwaysHidden), false);
    RuleDraft d = draft(edited);
    EXPECT_EQ(d.conditionKind(), RuleDraft::ConditionKind::AppFrontmost);
    EXPECT_EQ(d.actionKind(), RuleDraft::ActionKind::MoveItem);
    d.setName(u"  Mail in front "_s);
    const auto rule = d.rule();
    ASSERT_TRUE(rule);
    EXPECT_EQ(*rule,
              (TriggerRule{edited.id, u"Mail in front"_s, false, edited.condition, edited.action}));
}

// An example's placeholders (no network, a profile and an item that do not exist) open empty.
TEST_F(RuleDraftTest, examplesOpenWithTheirBlanksToFill) {
    const TriggerRule office = stored(TriggerCondition::wifiSSID(QString()),
                                      TriggerAction::switchProfile(QUuid::createUuid()), false);
    RuleDraft d = draft(std::nullopt, office);
    EXPECT_FALSE(d.isValid());
    d.setNetwork(u"Office"_s);
    d.setProfile(workID);
    const auto rule = d.rule();
    ASSERT_TRUE(rule);
    EXPECT_NE(rule->id, office.id);
    EXPECT_TRUE(rule->isEnabled);
    EXPECT_EQ(rule->action, TriggerAction::switchProfile(workID));
    EXPECT_EQ(d.sentence(),
              u"When on the Wi-Fi network \u201COffice\u201D, switch to the Work profile."_s);

    const TriggerRule absentItem =
        stored(TriggerCondition::onBattery(),
               TriggerAction::revealItem(MenuBarItemID{u"gone"_s, std::nullopt, std::nullopt, 3}));
    EXPECT_FALSE(draft(std::nullopt, absentItem).isValid());
}

// A compound condition from an import or another Mac survives an edit of the name alone; only
// choosing a condition replaces it.
TEST_F(RuleDraftTest, keepsACompoundConditionUntilAnotherIsChosen) {
    const TriggerCondition compound = TriggerCondition::allOf(
        {TriggerCondition::onBattery(), TriggerCondition::appRunning(u"us.zoom.xos"_s)});
    const TriggerRule imported = stored(compound, TriggerAction::hideHidden());
    RuleDraft d = draft(imported);
    EXPECT_TRUE(d.keepsStoredCondition());
    d.setName(u"Calls on battery"_s);
    ASSERT_TRUE(d.rule());
    EXPECT_EQ(d.rule()->condition, compound);
    EXPECT_EQ(d.sentence(), u"When on battery and us.zoom.xos is running, hide hidden items."_s);
    d.setConditionKind(RuleDraft::ConditionKind::Charging);
    EXPECT_FALSE(d.keepsStoredCondition());
    EXPECT_EQ(d.rule()->condition, TriggerCondition::charging());
}

} // namespace
} // namespace zorv
