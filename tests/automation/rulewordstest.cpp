#include "rulewords.h"
#include "context/simlocationauthorization.h"
#include "context/simwificlient.h"
#include "rulewordsfixture.h"
#include "triggerexamples.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QUuid workID = QUuid::createUuid();

MenuBarItemID itemID(const QString &bundleID, std::optional<QString> title, qint64 ordinal = 0) {
    return MenuBarItemID{bundleID, std::nullopt, std::move(title), ordinal};
}

MenuBarItem barItem(MenuBarItemID id, const QString &appName) {
    return MenuBarItem{std::move(id),   1,     appName, QRectF(), std::nullopt, std::nullopt,
                       Section::hidden, false, false,   false};
}

struct WordsCase {
    const char *name;
    TriggerCondition condition;
    TriggerAction action;
    QString sentence;
};

void PrintTo(const WordsCase &c, std::ostream *os) {
    *os << c.name;
}

class RuleWordsTest : public ::testing::TestWithParam<WordsCase> {
protected:
    InstalledMac mac;
    // On the bar: Mail's untitled item; the Wi-Fi item with its title.
    QList<MenuBarItem> items{barItem(itemID(u"com.apple.mail"_s, u""_s), u"Mail"_s),
                             barItem(itemID(u"com.apple.wifi"_s, u"Wi-Fi"_s), u"Control Centre"_s)};
    ProfileSet profiles{{Profile{workID, u"Work"_s, {}, std::nullopt, std::nullopt}}, std::nullopt};
};

TEST_P(RuleWordsTest, readsAsASentence) {
    const RuleWords words(items, profiles, mac.workspace);
    const TriggerRule rule{QUuid::createUuid(), u"Rule"_s, true, GetParam().condition,
                           GetParam().action};
    EXPECT_EQ(words.sentence(rule), GetParam().sentence);
}

INSTANTIATE_TEST_SUITE_P(
    Words, RuleWordsTest,
    ::testing::Values(
        WordsCase{"lowBattery", TriggerCondition::batteryBelow(20), TriggerAction::revealHidden(),
                  u"When battery below 20%, reveal hidden items."_s},
        WordsCase{"profile", TriggerCondition::onBattery(), TriggerAction::switchProfile(workID),
                  u"When running on battery, switch to the Work profile."_s},
        WordsCase{"deletedProfile", TriggerCondition::charging(),
                  TriggerAction::switchProfile(QUuid::createUuid()),
                  u"When plugged in, switch to a profile that no longer exists."_s},
        WordsCase{"network", TriggerCondition::wifiSSID(u"Office"_s), TriggerAction::hideHidden(),
                  u"When on the Wi-Fi network \u201COffice\u201D, hide hidden items."_s},
        WordsCase{"installedApp", TriggerCondition::appRunning(u"com.apple.mail"_s),
                  TriggerAction::notify(u""_s), u"When Mail is open, send you a notification."_s},
        // Only the bundle's own extension is dropped from the name.
        WordsCase{"appNamedWithApp", TriggerCondition::appFrontmost(u"com.example.tools"_s),
                  TriggerAction::notify(u" "_s),
                  u"When My.app Tools is in front, tell you \u201C \u201D."_s},
        WordsCase{"unknownApp", TriggerCondition::appRunning(u"us.zoom.xos"_s),
                  TriggerAction::revealHidden(),
                  u"When us.zoom.xos is open, reveal hidden items."_s},
        WordsCase{"compoundUsesSummaries",
                  TriggerCondition::allOf({TriggerCondition::onBattery(),
                                           TriggerCondition::appRunning(u"us.zoom.xos"_s)}),
                  TriggerAction::revealHidden(),
                  u"When on battery and us.zoom.xos is running, reveal hidden items."_s},
        WordsCase{"focus", TriggerCondition::not_(TriggerCondition::focusActive()),
                  TriggerAction::revealHidden(),
                  u"When not (a Focus is on), reveal hidden items."_s},
        WordsCase{
            "untitledItemOnBar", TriggerCondition::onBattery(),
            TriggerAction::moveItem(itemID(u"com.apple.mail"_s, std::nullopt), Section::shown),
            u"When running on battery, move Mail to Shown."_s},
        WordsCase{"titledItemOnBar", TriggerCondition::onBattery(),
                  TriggerAction::revealItem(itemID(u"com.apple.wifi"_s, u"old"_s)),
                  u"When running on battery, open Wi-Fi."_s},
        WordsCase{"absentItemEmptyTitle", TriggerCondition::onBattery(),
                  TriggerAction::moveItem(itemID(u"com.apple.mail"_s, u""_s, 5), Section::hidden),
                  u"When running on battery, move  to Hidden."_s},
        WordsCase{"absentItemUntitled", TriggerCondition::onBattery(),
                  TriggerAction::moveItem(itemID(u"com.apple.mail"_s, std::nullopt, 5),
                                          Section::alwaysHidden),
                  u"When running on battery, move Mail to Always Hidden."_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TriggerExamplesTest, buildsFreshRulesEachRead) {
    SimLocationAuthorization location;
    SimWifiClient wifi(location);
    wifi.setRememberedNetworks({u"Home"_s, u"Anna's iPhone"_s});
    const QList<TriggerExamples::Example> first = TriggerExamples::all(wifi);
    const QList<TriggerExamples::Example> second = TriggerExamples::all(wifi);
    ASSERT_EQ(first.size(), 6);
    ASSERT_EQ(second.size(), 6);
    for (qsizetype i = 0; i < first.size(); ++i) {
        EXPECT_NE(first[i].rule.id, second[i].rule.id);
        EXPECT_TRUE(first[i].rule.isEnabled);
        EXPECT_EQ(first[i].rule.name, second[i].rule.name);
        EXPECT_EQ(first[i].rule.condition, second[i].rule.condition);
        EXPECT_EQ(first[i].rule.action == second[i].rule.action, i != 0)
            << first[i].rule.name.toStdString();
    }
    EXPECT_EQ(first[3].rule.condition, TriggerCondition::wifiSSID(u"Anna's iPhone"_s));
    EXPECT_EQ(first[3].rule.action, TriggerAction::notify(u"You're on your hotspot, not Wi-Fi."_s));
    wifi.setRememberedNetworks({u"Home"_s});
    EXPECT_EQ(TriggerExamples::all(wifi)[3].rule.condition, TriggerCondition::wifiSSID(u""_s));
}

// The six examples as the pane offers them: heading, reason, name and the rule they fill in.
TEST(TriggerExamplesTest, offersTheSixExamplesInOrder) {
    SimLocationAuthorization location;
    SimWifiClient wifi(location);
    wifi.setRememberedNetworks({u"Home"_s, u"Anna's iPhone"_s});
    const QList<TriggerExamples::Example> examples = TriggerExamples::all(wifi);
    const struct {
        QString title;
        QString why;
        QString name;
        std::optional<TriggerCondition> condition;
        std::optional<TriggerAction> action;
    } expected[] = {
        {u"On your office Wi-Fi: switch profile"_s,
         u"Your work layout sets itself up when you arrive."_s, u"Office"_s,
         TriggerCondition::wifiSSID(u""_s), std::nullopt},
        {u"A Focus is on: hide hidden items"_s,
         u"Fewer things asking for attention while you work."_s, u"Focus"_s,
         TriggerCondition::focusActive(), TriggerAction::hideHidden()},
        {u"On battery: bring a tucked-away item into view"_s,
         u"Keep an item in Hidden until you unplug."_s, u"On battery"_s,
         TriggerCondition::onBattery(),
         TriggerAction::moveItem(MenuBarItemID{u""_s, std::nullopt, std::nullopt, 0},
                                 Section::shown)},
        {u"On your phone's hotspot: tell me"_s,
         u"A banner when you join your phone's hotspot instead of your usual Wi-Fi."_s,
         u"Hotspot"_s, TriggerCondition::wifiSSID(u"Anna's iPhone"_s),
         TriggerAction::notify(u"You're on your hotspot, not Wi-Fi."_s)},
        {u"Battery below 20%: reveal hidden items"_s,
         u"So the icons that show power and sync are in sight when it matters."_s,
         u"Low battery"_s, TriggerCondition::batteryBelow(20), TriggerAction::revealHidden()},
        {u"Zoom in front: hide hidden items"_s, u"A tidy menu bar while you share your screen."_s,
         u"Screen sharing"_s, TriggerCondition::appFrontmost(u"us.zoom.xos"_s),
         TriggerAction::hideHidden()},
    };
    ASSERT_EQ(examples.size(), std::size(expected));
    for (qsizetype i = 0; i < examples.size(); ++i) {
        const auto &example = examples[i];
        const auto &want = expected[i];
        EXPECT_EQ(example.title, want.title) << i;
        EXPECT_EQ(example.why, want.why) << i;
        EXPECT_EQ(example.rule.name, want.name) << i;
        EXPECT_TRUE(example.rule.isEnabled) << i;
        if (want.condition) {
            EXPECT_EQ(example.rule.condition, *want.condition) << i;
        }
        if (want.action) {
            EXPECT_EQ(example.rule.action, *want.action) << i;
        }
    }
    // The office example switches to a profile that no profile can be, for the user to choose.
    EXPECT_EQ(examples[0].rule.action.kind(), TriggerAction::Kind::SwitchProfile);
    EXPECT_FALSE(examples[0].rule.action.profileID().isNull());
}

} // namespace
} // namespace zorv
