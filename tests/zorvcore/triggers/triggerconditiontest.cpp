#include "triggers/triggercondition.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using C = TriggerCondition;

TEST(TriggerConditionTest, IsSatisfiedFollowsEachCaseRule) {
    const TriggerContext none;
    TriggerContext mac;
    mac.batteryPercent = 20;
    mac.isOnBattery = true;
    mac.currentSSID = u"Home"_s;
    mac.runningBundleIDs = {u"com.a"_s};
    mac.frontmostBundleID = u"com.b"_s;
    mac.focusActive = true;
    TriggerContext unnamedNetwork;
    unnamedNetwork.currentSSID = QString();
    const auto expect = [](const TriggerContext &context, bool expected,
                           const QList<C> &conditions) {
        for (const C &condition : conditions) {
            EXPECT_EQ(condition.isSatisfied(context), expected)
                << condition.summary().toStdString();
        }
    };
    // No battery reading counts as 100%; no network is not a network with an empty name.
    expect(none, true, {C::allOf({}), C::batteryBelow(101), C::batteryBelow(4294967296)});
    expect(none, false, {C::anyOf({}), C::batteryBelow(100), C::wifiSSID(QString())});
    expect(unnamedNetwork, true, {C::wifiSSID(QString())});
    expect(mac, true,
           {C::batteryBelow(21), C::appFrontmost(u"com.b"_s),
            C::anyOf({C::charging(), C::appRunning(u"com.a"_s)}),
            C::not_(C::allOf({C::focusActive(), C::wifiSSID(u"Home"_s), C::charging()}))});
    expect(mac, false,
           {C::batteryBelow(20), C::wifiSSID(u"home"_s), C::appRunning(u"com.A"_s),
            C::allOf({C::onBattery(), C::charging()})});
}

TEST(TriggerConditionTest, SummaryJoinsNestedCasesFlat) {
    EXPECT_EQ(C::wifiSSID(u"Caf\u00e9"_s).summary(), u"Wi-Fi is \u201CCaf\u00e9\u201D"_s);
    EXPECT_EQ(
        C::anyOf({C::allOf({C::batteryBelow(20), C::charging()}), C::focusActive()}).summary(),
        u"battery below 20% and charging or a Focus is on"_s);
    EXPECT_EQ(C::not_(C::allOf({})).summary(), u"not ()"_s);
    EXPECT_EQ(C::anyOf({}).summary(), QString());
    EXPECT_EQ(C::batteryBelow(3000000000).summary(), u"battery below 3000000000%"_s);
}

TEST(TriggerConditionTest, EqualityAndHashAreStructuralAndOrdered) {
    const C a = C::allOf({C::onBattery(), C::wifiSSID(u"Home"_s)});
    EXPECT_EQ(a, C::allOf({C::onBattery(), C::wifiSSID(u"Home"_s)}));
    EXPECT_EQ(qHash(a), qHash(C::allOf({C::onBattery(), C::wifiSSID(u"Home"_s)})));
    EXPECT_NE(a, C::allOf({C::wifiSSID(u"Home"_s), C::onBattery()}));
    EXPECT_NE(C::allOf({C::onBattery()}), C::anyOf({C::onBattery()}));
    EXPECT_NE(C::appRunning(u"com.a"_s), C::appFrontmost(u"com.a"_s));
}

} // namespace
} // namespace zorv
