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

} // namespace
} // namespace zorv
