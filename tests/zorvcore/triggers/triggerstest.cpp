#include "../settings/jsontesting.h"
#include "triggers/triggerengine.h"
#include "triggers/triggerset.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using testing::compactJson;
using testing::decodeJson;
using testing::notChain;
using A = TriggerAction;
using C = TriggerCondition;

const QUuid kRuleID = QUuid::fromString(u"6F9619FF-8B86-D011-B42D-00C04FC964FF"_s);
const MenuBarItemID kClock{u"com.apple.clock"_s, u"clock"_s, std::nullopt, 2};

TEST(TriggerConditionTest, IsSatisfiedFollowsEachCaseRule) {
    const TriggerContext none;
    TriggerContext unnamedNetwork;
    unnamedNetwork.currentSSID = QString();
    const TriggerContext mac{.batteryPercent = 20,
                             .isOnBattery = true,
                             .currentSSID = u"Home"_s,
                             .runningBundleIDs = {u"com.a"_s},
                             .frontmostBundleID = u"com.b"_s,
                             .focusActive = true};
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

// Summaries join nested cases flat; equality and hash are structural and ordered.
TEST(TriggerConditionTest, SummaryEqualityAndHash) {
    const std::pair<C, QString> summaries[] = {
        {C::wifiSSID(u"Caf\u00e9"_s), u"Wi-Fi is \u201CCaf\u00e9\u201D"_s},
        {C::anyOf({C::allOf({C::batteryBelow(20), C::charging()}), C::focusActive()}),
         u"battery below 20% and charging or a Focus is on"_s},
        {C::not_(C::allOf({})), u"not ()"_s},
        {C::anyOf({}), QString()},
        {C::batteryBelow(3000000000), u"battery below 3000000000%"_s},
    };
    for (const auto &[condition, summary] : summaries) {
        EXPECT_EQ(condition.summary(), summary);
    }
    const C a = C::allOf({C::onBattery(), C::wifiSSID(u"Home"_s)});
    EXPECT_EQ(a, C::allOf({C::onBattery(), C::wifiSSID(u"Home"_s)}));
    EXPECT_EQ(qHash(a), qHash(C::allOf({C::onBattery(), C::wifiSSID(u"Home"_s)})));
    EXPECT_NE(a, C::allOf({C::wifiSSID(u"Home"_s), C::onBattery()}));
    EXPECT_NE(C::allOf({C::onBattery()}), C::anyOf({C::onBattery()}));
    EXPECT_NE(C::appRunning(u"com.a"_s), C::appFrontmost(u"com.a"_s));
}

TEST(TriggerModelJsonTest, WritesEachCaseAsOneKeyWithItsPayloads) {
    EXPECT_EQ(
        compactJson(C::not_(C::anyOf({C::batteryBelow(20), C::appRunning(u"com.a"_s)})).toJson()),
        R"({"not":{"_0":{"anyOf":{"_0":[{"batteryBelow":{"_0":20}},)"
        R"({"appRunning":{"_0":"com.a"}}]}}}})");
    const TriggerRule rule{kRuleID, u"Tidy"_s, true, C::onBattery(),
                           A::moveItem(kClock, Section::alwaysHidden)};
    EXPECT_EQ(compactJson(rule.toJson()),
              R"({"action":{"moveItem":{"_0":{"axIdentifier":"clock","bundleID":"com.apple.clock",)"
              R"("ordinal":2},"_1":"alwaysHidden"}},"condition":{"onBattery":{}},)"
              R"("id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","isEnabled":true,"name":"Tidy"})");
    EXPECT_EQ(compactJson(A::switchProfile(kRuleID).toJson()),
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
    EXPECT_EQ(decodeJson<TriggerSet>(writeJson(set.toJson(), JsonFormat::pretty()).value()), set);
    // Thresholds are 64-bit: one beyond the 32-bit range reads and writes back whole.
    const QByteArray big = R"({"batteryBelow":{"_0":3000000000}})";
    EXPECT_EQ(decodeJson<C>(big), C::batteryBelow(3000000000));
    EXPECT_NE(decodeJson<C>(QByteArray(R"({"batteryBelow":{"_0":4294967316}})")),
              C::batteryBelow(20));
    EXPECT_EQ(compactJson(decodeJson<C>(big).toJson()), big);
    // Keys beside the case and inside its payload are ignored.
    EXPECT_EQ(decodeJson<C>(QByteArray(R"({"onBattery":{"_0":1},"comment":"x"})")), C::onBattery());
}

TEST(TriggerModelJsonTest, MalformedCasesAndIncompleteRulesFailTheWholeSet) {
    for (const QByteArray text :
         {R"({"offBattery":{}})", R"({"batteryBelow":{}})", R"({"batteryBelow":{"_0":20.5}})",
          R"({"wifiSSID":{"_0":null}})", R"({"allOf":{"_0":{"onBattery":{}}}})",
          R"({"not":{"_0":[]}})", R"({"anyOf":{"_0":[{"onBattery":{}},{}]}})"}) {
        EXPECT_THROW((void)decodeJson<C>(text), DecodeError) << text.constData();
    }
    for (const QByteArray text :
         {R"({"switchProfile":{"_0":"not-a-uuid"}})",
          R"({"moveItem":{"_0":{"bundleID":"com.a","ordinal":0}}})",
          R"({"moveItem":{"_0":{"bundleID":"com.a","ordinal":0},"_1":"Hidden"}})",
          R"({"revealItem":{"_0":{"bundleID":"com.a"}}})"}) {
        EXPECT_THROW((void)decodeJson<A>(text), DecodeError) << text.constData();
    }
    const QByteArray good = notChain(0);
    QByteArray noEnabledFlag = good;
    noEnabledFlag.replace(R"("isEnabled":true,)", "");
    EXPECT_EQ(decodeJson<TriggerSet>(good).rules.size(), 1);
    EXPECT_THROW((void)decodeJson<TriggerSet>(good.chopped(2) + "," + noEnabledFlag.mid(10)),
                 DecodeError);
    EXPECT_THROW((void)decodeJson<TriggerSet>(QByteArray("{}")), DecodeError);
}

TEST(TriggerModelJsonTest, CraftedDeepNestingFailsCleanlyInsteadOfOverflowingTheStack) {
    EXPECT_THROW((void)decodeJson<TriggerSet>(notChain(10'000)), DecodeError);

    // The deepest chain the nesting limit lets through still works end to end.
    const TriggerSet deep = decodeJson<TriggerSet>(notChain(90));
    const C &condition = deep.rules.constFirst().condition;
    TriggerContext onBattery;
    onBattery.isOnBattery = true;
    EXPECT_TRUE(condition.isSatisfied(onBattery));
    EXPECT_TRUE(condition.summary().startsWith(u"not (not ("_s));
    EXPECT_EQ(decodeJson<TriggerSet>(writeJson(deep.toJson(), JsonFormat::pretty()).value()), deep);
    EXPECT_EQ(qHash(condition), qHash(TriggerSet(deep).rules.constFirst().condition));
}

QDateTime at(double seconds) {
    return QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC).addMSecs(qint64(seconds * 1000));
}

TriggerRule onBatteryRule(TriggerAction action, QString name = u"H"_s) {
    return {QUuid::createUuid(), name, true, C::onBattery(), std::move(action)};
}

// Threads the runtime from step to step, as the automation runner does.
struct Runner {
    QList<TriggerRule> rules;
    TriggerRuntime runtime;

    TriggerStep step(double seconds, bool onBattery) {
        TriggerContext context;
        context.isOnBattery = onBattery;
        TriggerStep result = TriggerEngine::step(rules, context, at(seconds), runtime);
        runtime = result.runtime;
        return result;
    }
};

// "N" per newly suspended rule, "S" per suspended rule, then the names of the held rules and the
// texts of the fired notifications.
QString letters(const TriggerStep &step) {
    QString text = QString(step.newlySuspended.size(), u'N') + QString(step.suspended.size(), u'S');
    for (const TriggerRule &rule : step.activeOverrides) {
        text += rule.name;
    }
    for (const TriggerAction &action : step.oneShots) {
        text += action.text();
    }
    return text;
}

TEST(TriggerEngineTest, HoldsFiresOnRisingEdgesAndGuardsAgainstFlapping) {
    Runner runner{{onBatteryRule(A::hideHidden()), onBatteryRule(A::notify(u"F"_s), u"notify"_s)},
                  {}};
    // One rule holds its action as a level, the other fires on each rising edge. Six changes
    // within a minute are tolerated; the seventh, at 30, suspends both rules until 90
    // and swallows the rising edge. Changes during the suspension do not extend it, and when it
    // ends the held state returns without a new edge. At 155 the change at 95 is exactly a
    // window old and no longer counts; at 160 the seventh change since 105 suspends again.
    const struct {
        double time;
        bool onBattery;
        QString expected;
    } rows[] = {
        {0, true, u"HF"_s},   {5, false, u""_s},   {10, true, u"HF"_s},   {15, false, u""_s},
        {20, true, u"HF"_s},  {25, false, u""_s},  {30, true, u"NNSS"_s}, {35, false, u"SS"_s},
        {40, true, u"SS"_s},  {85, true, u"SS"_s}, {90, true, u"H"_s},    {95, false, u""_s},
        {105, true, u"HF"_s}, {115, false, u""_s}, {125, true, u"HF"_s},  {135, false, u""_s},
        {145, true, u"HF"_s}, {155, false, u""_s}, {160, true, u"NNSS"_s}};
    for (const auto &row : rows) {
        EXPECT_EQ(letters(runner.step(row.time, row.onBattery)), row.expected) << row.time;
    }
}

TEST(TriggerEngineTest, AChangeAtTheVeryEndOfASuspensionStartsTheNextOne) {
    Runner runner{{onBatteryRule(A::hideHidden())}, {}};
    const QUuid id = runner.rules.constFirst().id;
    // Six changes inside the window and a suspension that ends at 90.
    runner.runtime.lastSatisfied.insert(id, false);
    runner.runtime.flips.insert(id, {at(40), at(50), at(60), at(70), at(80), at(85)});
    runner.runtime.suspendedUntil.insert(id, at(90));

    const TriggerStep step = runner.step(90, true);
    EXPECT_EQ(letters(step), u"NS"_s);
    EXPECT_EQ(step.newlySuspended, QList<QUuid>{id});
    EXPECT_EQ(runner.runtime.suspendedUntil.value(id), at(150));
}

TEST(TriggerEngineTest, DisablingCountsAsAChangeAndReEnablingIsARisingEdge) {
    Runner runner{{onBatteryRule(A::notify(u"F"_s), u"notify"_s)}, {}};
    EXPECT_EQ(letters(runner.step(0, true)), u"F"_s);
    runner.rules.first().isEnabled = false;
    EXPECT_EQ(letters(runner.step(10, true)), QString());
    EXPECT_EQ(runner.runtime.flips.value(runner.rules.constFirst().id).size(), 2);
    runner.rules.first().isEnabled = true;
    EXPECT_EQ(letters(runner.step(20, true)), u"F"_s);
}

TEST(TriggerEngineTest, ListsFollowRuleOrderAndDeletedRulesLeaveNoMemory) {
    const TriggerRule work = onBatteryRule(A::moveItem({}, Section::hidden));
    const TriggerRule home{QUuid::createUuid(), u"home"_s, true, C::allOf({}),
                           A::switchProfile(QUuid::createUuid())};
    Runner runner{{home, work}, {}};
    EXPECT_EQ(runner.step(0, true).activeOverrides, (QList<TriggerRule>{home, work}));
    runner.rules = {work};
    EXPECT_EQ(runner.step(5, true).activeOverrides, QList<TriggerRule>{work});
    EXPECT_EQ(runner.runtime.lastSatisfied.keys(), QList<QUuid>{work.id});
    EXPECT_EQ(runner.runtime.flips.keys(), QList<QUuid>{work.id});
    TriggerRuntime stale = runner.runtime;
    stale.suspendedUntil.insert(work.id, at(60));
    EXPECT_EQ(TriggerEngine::step({}, {}, at(10), stale), TriggerStep{});
}

} // namespace
} // namespace zorv
