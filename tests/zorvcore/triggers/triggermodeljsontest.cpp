#include "jsonwriter.h"
#include "triggers/triggerset.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using C = TriggerCondition;
using A = TriggerAction;

template <typename T> T decode(const QByteArray &text) {
    return T::fromJson(JsonValueRef(parseJson(text)));
}

QByteArray compact(const QJsonValue &value) {
    return writeJson(value, JsonFormat::compact()).value();
}

const QUuid kRuleID = QUuid::fromString(u"6F9619FF-8B86-D011-B42D-00C04FC964FF"_s);
const MenuBarItemID kClock{u"com.apple.clock"_s, u"clock"_s, std::nullopt, 2};

// A rule set whose one condition is `depth` nested "not" cases around "onBattery".
QByteArray notChain(int depth) {
    return R"({"rules":[{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","name":"deep",)"
           R"("isEnabled":true,"action":{"hideHidden":{}},"condition":)" +
           QByteArray(R"({"not":{"_0":)").repeated(depth) + R"({"onBattery":{}})" +
           QByteArray("}}").repeated(depth) + "}]}";
}

TEST(TriggerModelJsonTest, WritesEachCaseAsOneKeyWithItsPayloads) {
    EXPECT_EQ(compact(C::not_(C::anyOf({C::batteryBelow(20), C::appRunning(u"com.a"_s)})).toJson()),
              R"({"not":{"_0":{"anyOf":{"_0":[{"batteryBelow":{"_0":20}},)"
              R"({"appRunning":{"_0":"com.a"}}]}}}})");
    const TriggerRule rule{kRuleID, u"Tidy"_s, true, C::onBattery(),
                           A::moveItem(kClock, Section::alwaysHidden)};
    EXPECT_EQ(compact(rule.toJson()),
              R"({"action":{"moveItem":{"_0":{"axIdentifier":"clock","bundleID":"com.apple.clock",)"
              R"("ordinal":2},"_1":"alwaysHidden"}},"condition":{"onBattery":{}},)"
              R"("id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","isEnabled":true,"name":"Tidy"})");
    EXPECT_EQ(compact(A::switchProfile(kRuleID).toJson()),
              R"({"switchProfile":{"_0":"6F9619FF-8B86-D011-B42D-00C04FC964FF"}})");
}

TEST(TriggerModelJsonTest, RuleSetRoundTripsWithEveryCase) {
    const C everyCondition =
        C::allOf({C::batteryBelow(15), C::anyOf({C::onBattery(), C::charging(), C::focusActive()}),
                  C::not_(C::wifiSSID(u"Caf\u00e9 \u2615"_s)), C::appRunning(u"com.a"_s),
                  C::appFrontmost(u"com.b"_s), C::anyOf({})});
    TriggerSet set;
    for (const A &action :
         {A::revealHidden(), A::hideHidden(), A::switchProfile(QUuid::createUuid()),
          A::moveItem(kClock, Section::hidden),
          A::revealItem(MenuBarItemID{u"com.b"_s, std::nullopt, u"B"_s, 0}),
          A::notify(u"Low battery \U0001F50B"_s)}) {
        set.rules.append({QUuid::createUuid(), action.summary(), set.rules.size() % 2 == 0,
                          everyCondition, action});
    }
    EXPECT_EQ(decode<TriggerSet>(writeJson(set.toJson(), JsonFormat::pretty()).value()), set);
    // Thresholds are 64-bit: one beyond the 32-bit range reads and writes back whole.
    const QByteArray big = R"({"batteryBelow":{"_0":3000000000}})";
    EXPECT_EQ(decode<C>(big), C::batteryBelow(3000000000));
    EXPECT_NE(decode<C>(R"({"batteryBelow":{"_0":4294967316}})"), C::batteryBelow(20));
    EXPECT_EQ(compact(decode<C>(big).toJson()), big);
    // Keys beside the case and inside its payload are ignored.
    EXPECT_EQ(decode<C>(R"({"onBattery":{"_0":1},"comment":"x"})"), C::onBattery());
}

TEST(TriggerModelJsonTest, MalformedCasesAndIncompleteRulesFailTheWholeSet) {
    for (const QByteArray text :
         {R"({"offBattery":{}})", R"({"batteryBelow":{}})", R"({"batteryBelow":{"_0":20.5}})",
          R"({"wifiSSID":{"_0":null}})", R"({"allOf":{"_0":{"onBattery":{}}}})",
          R"({"not":{"_0":[]}})", R"({"anyOf":{"_0":[{"onBattery":{}},{}]}})"}) {
        EXPECT_THROW((void)decode<C>(text), DecodeError) << text.constData();
    }
    for (const QByteArray text :
         {R"({"switchProfile":{"_0":"not-a-uuid"}})",
          R"({"moveItem":{"_0":{"bundleID":"com.a","ordinal":0}}})",
          R"({"moveItem":{"_0":{"bundleID":"com.a","ordinal":0},"_1":"Hidden"}})",
          R"({"revealItem":{"_0":{"bundleID":"com.a"}}})"}) {
        EXPECT_THROW((void)decode<A>(text), DecodeError) << text.constData();
    }
    const QByteArray good = notChain(0);
    QByteArray noEnabledFlag = good;
    noEnabledFlag.replace(R"("isEnabled":true,)", "");
    EXPECT_EQ(decode<TriggerSet>(good).rules.size(), 1);
    EXPECT_THROW((void)decode<TriggerSet>(good.chopped(2) + "," + noEnabledFlag.mid(10)),
                 DecodeError);
    EXPECT_THROW((void)decode<TriggerSet>("{}"), DecodeError);
}

TEST(TriggerModelJsonTest, CraftedDeepNestingFailsCleanlyInsteadOfOverflowingTheStack) {
    EXPECT_THROW((void)decode<TriggerSet>(notChain(10'000)), DecodeError);

    // The deepest chain the nesting limit lets through still works end to end.
    const TriggerSet deep = decode<TriggerSet>(notChain(90));
    const C &condition = deep.rules.constFirst().condition;
    TriggerContext onBattery;
    onBattery.isOnBattery = true;
    EXPECT_TRUE(condition.isSatisfied(onBattery));
    EXPECT_TRUE(condition.summary().startsWith(u"not (not ("_s));
    EXPECT_EQ(decode<TriggerSet>(writeJson(deep.toJson(), JsonFormat::pretty()).value()), deep);
    EXPECT_EQ(qHash(condition), qHash(TriggerSet(deep).rules.constFirst().condition));
}

} // namespace
} // namespace zorv
