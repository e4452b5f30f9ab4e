#include "triggers/triggercondition.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using C = TriggerCondition;

TriggerContext laptop() {
    TriggerContext context;
    context.batteryPercent = 20;
    context.isOnBattery = true;
    context.runningBundleIDs = {u"com.tinyspeck.slackmacgap"_s};
    return context;
}

struct SatisfactionCase {
    const char *name;
    TriggerCondition condition;
    TriggerContext context;
    bool expected;
};

TEST(TriggerConditionTest, IsSatisfiedFollowsEachCaseRule) {
    TriggerContext noReadings;
    TriggerContext emptySSID;
    emptySSID.currentSSID = QString();
    TriggerContext atHome = laptop();
    atHome.currentSSID = u"Home"_s;
    atHome.frontmostBundleID = u"com.apple.Safari"_s;
    atHome.focusActive = true;
    atHome.isCharging = true;

    const QList<SatisfactionCase> cases{
        {"allOf of nothing holds", C::allOf({}), noReadings, true},
        {"anyOf of nothing fails", C::anyOf({}), noReadings, false},
        {"not anyOf of nothing holds", C::not_(C::anyOf({})), noReadings, true},
        {"no battery reading counts as 100 (100)", C::batteryBelow(100), noReadings, false},
        {"no battery reading counts as 100 (101)", C::batteryBelow(101), noReadings, true},
        {"battery at threshold is not below", C::batteryBelow(20), laptop(), false},
        {"battery one under threshold", C::batteryBelow(21), laptop(), true},
        {"no network, empty name", C::wifiSSID(QString()), noReadings, false},
        {"no network, some name", C::wifiSSID(u"Home"_s), noReadings, false},
        {"empty network name matches empty", C::wifiSSID(QString()), emptySSID, true},
        {"network name exact", C::wifiSSID(u"Home"_s), atHome, true},
        {"network name is case-sensitive", C::wifiSSID(u"home"_s), atHome, false},
        {"nothing frontmost", C::appFrontmost(u"com.apple.Safari"_s), noReadings, false},
        {"frontmost", C::appFrontmost(u"com.apple.Safari"_s), atHome, true},
        {"running", C::appRunning(u"com.tinyspeck.slackmacgap"_s), laptop(), true},
        {"running is case-sensitive", C::appRunning(u"com.tinyspeck.SlackMacGap"_s), laptop(),
         false},
        {"on battery", C::onBattery(), laptop(), true},
        {"charging", C::charging(), laptop(), false},
        {"focus", C::focusActive(), atHome, true},
        {"allOf needs every member", C::allOf({C::onBattery(), C::charging()}), laptop(), false},
        {"anyOf needs one member", C::anyOf({C::charging(), C::onBattery()}), laptop(), true},
        {"nested", C::not_(C::allOf({C::focusActive(), C::anyOf({C::charging()})})), atHome, false},
    };
    for (const SatisfactionCase &c : cases) {
        EXPECT_EQ(c.condition.isSatisfied(c.context), c.expected) << c.name;
    }
}

TEST(TriggerConditionTest, SummaryWordsEachCaseAndJoinsNestedOnesFlat) {
    const QList<std::pair<TriggerCondition, QString>> cases{
        {C::batteryBelow(20), u"battery below 20%"_s},
        {C::onBattery(), u"on battery"_s},
        {C::wifiSSID(u"Caf\u00e9"_s), u"Wi-Fi is \u201CCaf\u00e9\u201D"_s},
        {C::appRunning(u"com.a"_s), u"com.a is running"_s},
        {C::appFrontmost(u"com.a"_s), u"com.a is frontmost"_s},
        {C::focusActive(), u"a Focus is on"_s},
        {C::allOf({C::onBattery(), C::charging()}), u"on battery and charging"_s},
        {C::anyOf({C::allOf({C::onBattery(), C::charging()}), C::focusActive()}),
         u"on battery and charging or a Focus is on"_s},
        {C::not_(C::allOf({})), u"not ()"_s},
        {C::anyOf({}), QString()},
    };
    for (const auto &[condition, text] : cases) {
        EXPECT_EQ(condition.summary(), text);
    }
}

TEST(TriggerConditionTest, EqualityAndHashAreStructuralAndOrdered) {
    const C a = C::allOf({C::onBattery(), C::wifiSSID(u"Home"_s)});
    const C same = C::allOf({C::onBattery(), C::wifiSSID(u"Home"_s)});
    const C reordered = C::allOf({C::wifiSSID(u"Home"_s), C::onBattery()});
    EXPECT_EQ(a, same);
    EXPECT_EQ(qHash(a), qHash(same));
    EXPECT_NE(a, reordered);
    EXPECT_NE(C::allOf({C::onBattery()}), C::anyOf({C::onBattery()}));
    EXPECT_NE(C::appRunning(u"com.a"_s), C::appFrontmost(u"com.a"_s));
    EXPECT_NE(C::batteryBelow(20), C::batteryBelow(21));
}

} // namespace
} // namespace zorv
