#include "rulespanemodel.h"
#include "context/simlocationauthorization.h"
#include "contextreadout.h"
#include "modelprofiles.h"
#include "modelrules.h"
#include "ruleviewfixture.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TriggerRule rule(const QString &name) {
    return TriggerRule{QUuid::createUuid(), name, true, TriggerCondition::batteryBelow(20),
                       TriggerAction::revealHidden()};
}

class RulesPaneModelTest : public ::testing::Test, protected RuleViewFixture {
protected:
    RulesPaneModel pane{model, services()};
};

TEST_F(RulesPaneModelTest, theRulesCardCountsEveryRule) {
    const struct {
        int rules;
        QString kicker;
    } cases[] = {{0, u"No Rules Yet"_s}, {1, u"1 Rule"_s}, {4, u"4 Rules"_s}};
    for (const auto &c : cases) {
        TriggerSet set;
        for (int i = 0; i < c.rules; ++i) {
            set.rules.append(rule(u"Rule"_s));
        }
        if (c.rules > 1) {
            set.rules[1].isEnabled = false;
        }
        model.setTriggers(set);
        EXPECT_EQ(pane.rulesKicker(), c.kicker);
        EXPECT_EQ(pane.hasRules(), c.rules > 0);
    }
}

TEST_F(RulesPaneModelTest, thePauseBannerShowsTheNoticeUntilOK) {
    QSignalSpy changed(&pane, &RulesPaneModel::noticeChanged);
    EXPECT_TRUE(pane.notice().isEmpty());
    model.setTriggerNotice(u"Low battery was paused: it was switching on and off too fast."_s);
    EXPECT_EQ(pane.notice(), u"Low battery was paused: it was switching on and off too fast. It "
                             u"resumes by itself in a minute."_s);
    pane.dismissNotice();
    EXPECT_EQ(model.triggerNotice(), std::nullopt);
    EXPECT_TRUE(pane.notice().isEmpty());
    EXPECT_EQ(changed.size(), 2);
}

TEST(ContextReadoutTest, showsBatteryPowerAndWifiAsTheRulesSeeThem) {
    using Kind = ReadoutElement::Kind;
    const auto context = [](std::optional<qint64> percent, bool charging, bool onBattery,
                            std::optional<QString> ssid) {
        TriggerContext c;
        c.batteryPercent = percent;
        c.isCharging = charging;
        c.isOnBattery = onBattery;
        c.currentSSID = std::move(ssid);
        return c;
    };
    const ReadoutElement askForName{Kind::LocationButton, u"Show Wi-Fi Name\u2026"_s, u"wifi"_s};
    const struct {
        const char *name;
        TriggerContext context;
        LocationStatus location;
        QList<ReadoutElement> elements;
    } cases[] = {
        {"onBattery",
         context(42, false, true, u"Home"_s),
         LocationStatus::AuthorizedAlways,
         {{Kind::Pill, u"42%"_s, u"battery.100"_s},
          {Kind::Pill, u"On battery"_s, u"bolt.slash"_s},
          {Kind::Pill, u"Home"_s, u"wifi"_s}}},
        {"chargingOnBattery",
         context(80, true, true, std::nullopt),
         LocationStatus::AuthorizedAlways,
         {{Kind::Pill, u"80%"_s, u"battery.100"_s},
          {Kind::Pill, u"Charging"_s, u"bolt.slash"_s},
          {Kind::Pill, u"No Wi-Fi"_s, u"wifi.slash"_s}}},
        {"pluggedIn",
         context(100, false, false, std::nullopt),
         LocationStatus::Denied,
         {{Kind::Pill, u"100%"_s, u"battery.100"_s},
          {Kind::Pill, u"Plugged in"_s, u"powerplug"_s},
          askForName}},
        {"desktopMac",
         context(std::nullopt, false, false, std::nullopt),
         LocationStatus::NotDetermined,
         {askForName}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(contextReadout(c.context, c.location), c.elements) << c.name;
    }
}

TEST_F(RulesPaneModelTest, theReadoutFollowsTheContextAndTheLocationPermission) {
    QSignalSpy changed(&pane, &RulesPaneModel::readoutChanged);
    const auto texts = [&] {
        QStringList result;
        for (const QVariant &element : pane.readout()) {
            result.append(element.toMap().value(u"kind"_s).toString() + u':' +
                          element.toMap().value(u"text"_s).toString());
        }
        return result;
    };
    EXPECT_EQ(texts(), QStringList{u"locationButton:Show Wi-Fi Name\u2026"_s});
    mac.desktop().location().setPromptAnswer(true);
    pane.requestLocation();
    settle();
    EXPECT_EQ(texts(), QStringList{u"pill:No Wi-Fi"_s});
    TriggerContext context;
    context.batteryPercent = 12;
    context.isOnBattery = true;
    model.setAutomationContext(context);
    EXPECT_EQ(texts(), (QStringList{u"pill:12%"_s, u"pill:On battery"_s, u"pill:No Wi-Fi"_s}));
    EXPECT_GE(changed.size(), 2);
}

TEST_F(RulesPaneModelTest, eachRequestOpensAFreshBuilderAndSavingAddsOrReplaces) {
    QSignalSpy opened(&pane, &RulesPaneModel::builderChanged);
    pane.newRule();
    ASSERT_TRUE(pane.builder());
    EXPECT_EQ(pane.builder()->heading(), u"New Rule"_s);
    pane.builder()->save();
    EXPECT_FALSE(pane.builder());
    ASSERT_EQ(model.triggers().rules.size(), 1);
    const TriggerRule first = model.triggers().rules.first();
    EXPECT_EQ(first.name, u"Battery below 20%"_s);

    // The same example twice gives two rules.
    const QVariantList examples = pane.examples();
    ASSERT_EQ(examples.size(), 6);
    EXPECT_EQ(examples[1].toMap().value(u"title"_s),
              QVariant(u"A Focus is on: hide hidden items"_s));
    for (int i = 0; i < 2; ++i) {
        pane.fillInExample(1);
        ASSERT_TRUE(pane.builder());
        pane.builder()->save();
    }
    ASSERT_EQ(model.triggers().rules.size(), 3);
    EXPECT_NE(model.triggers().rules[1].id, model.triggers().rules[2].id);
    EXPECT_EQ(model.triggers().rules[2].name, u"Focus"_s);

    pane.editRule(first.id.toString(QUuid::WithoutBraces).toUpper());
    ASSERT_TRUE(pane.builder());
    EXPECT_EQ(pane.builder()->heading(), u"Edit Rule"_s);
    pane.builder()->setName(u"Low"_s);
    // A rule deleted while its sheet is open is not brought back.
    model.rules().deleteTrigger(first.id);
    pane.builder()->save();
    EXPECT_EQ(model.triggers().rules.size(), 2);

    pane.newRule();
    pane.builder()->cancel();
    EXPECT_FALSE(pane.builder());
    pane.editRule(u"not an id"_s);
    pane.fillInExample(6);
    EXPECT_FALSE(pane.builder());
    EXPECT_EQ(model.triggers().rules.size(), 2);
    EXPECT_EQ(opened.size(), 10);
}

TEST_F(RulesPaneModelTest, sentencesUseTheNamesTheUserKnows) {
    model.profileOps().saveProfileFromCurrent(u"Work"_s);
    const QUuid work = model.profiles().profiles.last().id;
    const TriggerRule office{QUuid::createUuid(), u"Office"_s, true,
                             TriggerCondition::appRunning(u"com.apple.mail"_s),
                             TriggerAction::switchProfile(work)};
    EXPECT_EQ(pane.sentence(office), u"When Mail is open, switch to the Work profile."_s);
    model.profileOps().deleteProfile(work);
    EXPECT_EQ(pane.sentence(office),
              u"When Mail is open, switch to a profile that no longer exists."_s);
}

} // namespace
} // namespace zorv
