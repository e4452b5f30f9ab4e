#include "scenario/scenarioloader.h"
#include "scenariomac.h"
#include "storage/zorvpaths.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// On the laptop on the go, the user's low-battery rule holds the Travel profile (1Password's
// item brought from Hidden into Shown) while the battery is below 20% and undoes it once the Mac
// is plugged in; the hotspot rule tells the user once when the Mac joins the phone's hotspot.
TEST(ScenarioAutomationTest, aLowBatteryRuleHoldsItsProfileAndTheHotspotRuleSaysSo) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    SimulatedMac mac(ScenarioLoader::load(u"on-the-go"_s));
    ASSERT_TRUE(mac.app.start());
    const AppModel &model = *mac.app.model();
    ASSERT_EQ(model.triggers().rules.size(), 2);
    const QUuid lowBattery = model.triggers().rules.first().id;
    const MenuBarItemID moved{u"com.1password.1password"_s, std::nullopt, std::nullopt, 0};
    SimUserNotifications &notifications = mac.platform.desktop().notifications();
    const QString hotspotText = u"You're on your hotspot, not Wi-Fi."_s;

    // How long a change may take to show: the next reading (20 s) and the drags that follow.
    constexpr int grace = 60;
    // Where the item stands on the bar, as the user sees it. The engine adopts the item into its
    // stored layout on the 30-s scan that falls at the very end of the grace, so counting only
    // the items that layout holds made the first check depend on that scan having ended by then.
    const auto everyItem = [](const BarEntry &, const MenuBarItem &) { return true; };
    const auto inLane = [&](Section lane) {
        return mac.lanes(everyItem).value(lane).contains(moved);
    };
    int second = 0;
    int failures = 0;
    mac.run(3600, [&] {
        ++second;
        const bool held = second >= 1200 + grace && second < 2400;
        const bool undone = (second >= grace && second < 1200) || second >= 2400 + grace;
        const bool ruleActive = model.activeTriggerRuleIDs().contains(lowBattery);
        const qsizetype told = notifications.shown().size();
        const bool fine = (!held || (ruleActive && inLane(Section::shown))) &&
                          (!undone || (!ruleActive && inLane(Section::hidden))) &&
                          (second < 1500 || second >= 1500 + 20 || told <= 1) &&
                          (second >= 1500 ? second < 1500 + 20 || told == 1 : told == 0);
        if (!fine && ++failures <= 5) {
            ADD_FAILURE() << "at " << second << " s: rule active " << ruleActive << ", item shown "
                          << inLane(Section::shown) << ", notifications " << told;
        }
    });
    EXPECT_EQ(failures, 0);
    ASSERT_EQ(notifications.shown().size(), 1);
    EXPECT_EQ(notifications.shown().first().body, hotspotText);
    EXPECT_EQ(notifications.shown().first().title, u"Zorv"_s);
    // The rule's profile never became the user's own layout or the active profile.
    EXPECT_TRUE(mac.app.model()->layoutStore().value().ids(Section::hidden).contains(moved));
    EXPECT_EQ(model.profiles().activeID, std::nullopt);
    EXPECT_EQ(mac.app.finish(), 0);
}

} // namespace
} // namespace zorv
