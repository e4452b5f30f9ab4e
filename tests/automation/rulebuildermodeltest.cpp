#include "rulebuildermodel.h"
#include "context/simlocationauthorization.h"
#include "context/simusernotifications.h"
#include "modelprofiles.h"
#include "modelrules.h"
#include "rulechoices.h"
#include "ruleviewfixture.h"
#include "script/applicationregistry.h"
#include "search/stablekey.h"
#include "system/simfilepanels.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const MenuBarItemID dropbox{u"com.getdropbox.dropbox"_s, std::nullopt, u"Dropbox"_s, 0};

TriggerRule stored(const QString &name, TriggerCondition condition, TriggerAction action,
                   bool enabled = true) {
    return TriggerRule{QUuid::createUuid(), name, enabled, std::move(condition), std::move(action)};
}

class RuleBuilderModelTest : public ::testing::Test, protected RuleViewFixture {
protected:
    std::unique_ptr<RuleBuilderModel> open(std::optional<TriggerRule> existing = std::nullopt,
                                           std::optional<TriggerRule> example = std::nullopt) {
        return std::make_unique<RuleBuilderModel>(
            model, services(), std::move(existing), std::move(example),
            [this](const TriggerRule &rule) { saved.append(rule); });
    }
    QUuid addProfile(const QString &name) {
        model.profileOps().saveProfileFromCurrent(name);
        return model.profiles().profiles.last().id;
    }
    static QStringList labels(const QVariantList &options) {
        QStringList result;
        for (const QVariant &option : options) {
            result.append(option.toMap().value(u"label"_s).toString());
        }
        return result;
    }

    QList<TriggerRule> saved;
};

// What the sheet opens on, for every kind of rule it may be handed.
TEST_F(RuleBuilderModelTest, seedsEachKindFromTheRuleItOpens) {
    const QUuid work = addProfile(u"Work"_s);
    const struct {
        const char *name;
        TriggerCondition condition;
        TriggerAction action;
        QVariant conditionKind;
        QString actionKind;
        QString field;
        bool valid;
        QString sentence;
    } cases[] = {
        {"battery", TriggerCondition::batteryBelow(35), TriggerAction::revealHidden(),
         u"batteryBelow"_s, u"revealHidden"_s, u"35%"_s, true,
         u"When battery below 35%, reveal hidden items."_s},
        {"wifi", TriggerCondition::wifiSSID(u"Office"_s), TriggerAction::switchProfile(work),
         u"wifiSSID"_s, u"switchProfile"_s, u"Office"_s, true,
         u"When on the Wi-Fi network \u201COffice\u201D, switch to the Work profile."_s},
        {"appInFront", TriggerCondition::appFrontmost(u"com.apple.mail"_s),
         TriggerAction::moveItem(dropbox, Section::alwaysHidden), u"appFrontmost"_s, u"moveItem"_s,
         u"com.apple.mail"_s, true, u"When Mail is in front, move Dropbox to Always Hidden."_s},
        {"focus", TriggerCondition::focusActive(), TriggerAction::notify(u"Quiet"_s),
         u"focusActive"_s, u"notify"_s, u"Quiet"_s, true,
         u"When a Focus is on, tell you \u201CQuiet\u201D."_s},
        // Gone profiles and items are left to choose again.
        {"goneProfile", TriggerCondition::charging(),
         TriggerAction::switchProfile(QUuid::createUuid()), u"charging"_s, u"switchProfile"_s,
         QString(), false, u"When plugged in, \u2026"_s},
        {"goneItem", TriggerCondition::onBattery(),
         TriggerAction::revealItem(MenuBarItemID{u"gone"_s, std::nullopt, u"Gone"_s, 0}),
         u"onBattery"_s, u"revealItem"_s, QString(), false, u"When running on battery, \u2026"_s},
        // A combined condition is shown, not replaced.
        {"compound",
         TriggerCondition::anyOf({TriggerCondition::charging(), TriggerCondition::focusActive()}),
         TriggerAction::hideHidden(), QVariant(), u"hideHidden"_s, u"charging or a Focus is on"_s,
         true, u"When charging or a Focus is on, hide hidden items."_s},
    };
    for (const auto &c : cases) {
        const auto builder = open(stored(u"Stored"_s, c.condition, c.action));
        EXPECT_EQ(builder->conditionKind(), c.conditionKind) << c.name;
        EXPECT_EQ(builder->actionKind(), c.actionKind) << c.name;
        const QString field = c.conditionKind == u"batteryBelow"_s ? builder->batteryReadout()
                              : c.conditionKind == u"wifiSSID"_s   ? builder->network()
                              : c.conditionKind.isNull()           ? builder->storedCondition()
                              : c.actionKind == u"notify"_s        ? builder->message()
                              : c.actionKind == u"switchProfile"_s ? builder->profile()
                              : c.actionKind == u"revealItem"_s    ? builder->item()
                                                                   : builder->bundleID();
        EXPECT_EQ(field, c.field) << c.name;
        EXPECT_EQ(builder->isValid(), c.valid) << c.name;
        EXPECT_EQ(builder->sentence(), c.sentence) << c.name;
        EXPECT_EQ(builder->heading(), u"Edit Rule"_s) << c.name;
        EXPECT_EQ(builder->saveTitle(), u"Update Rule"_s) << c.name;
    }
}

TEST_F(RuleBuilderModelTest, aMoveRuleKeepsItsLaneAndItsStoredItem) {
    const MenuBarItemID stale{u"com.getdropbox.dropbox"_s, std::nullopt, u"Old title"_s, 0};
    const auto builder = open(stored(u"Stored"_s, TriggerCondition::onBattery(),
                                     TriggerAction::moveItem(stale, Section::hidden)));
    EXPECT_EQ(builder->item(), stableKey(dropbox));
    EXPECT_EQ(builder->lane(), u"hidden"_s);
    builder->save();
    ASSERT_EQ(saved.size(), 1);
    // The rule keeps the id it stored, not the live item's.
    EXPECT_EQ(saved[0].action, TriggerAction::moveItem(stale, Section::hidden));
}

// Each edit through the sheet's fields, and what the header, the name prompt and the save
// button make of it.
TEST_F(RuleBuilderModelTest, editsTurnIntoSentencesNamesAndValidity) {
    const QUuid work = addProfile(u"Work"_s);
    const struct {
        const char *name;
        std::function<void(RuleBuilderModel &)> edit;
        bool valid;
        QString sentence;
        QString suggested;
        QString note;
    } cases[] = {
        {"new", [](RuleBuilderModel &) {}, true, u"When battery below 20%, reveal hidden items."_s,
         u"Battery below 20%"_s,
         u"Holds while the condition is true, and undoes itself when it ends."_s},
        {"slider", [](RuleBuilderModel &b) { b.setBatteryPercent(45); }, true,
         u"When battery below 45%, reveal hidden items."_s, u"Battery below 45%"_s,
         u"Holds while the condition is true, and undoes itself when it ends."_s},
        {"blankNetwork",
         [](RuleBuilderModel &b) {
             b.setConditionKind(u"wifiSSID"_s);
             b.setNetwork(u"   "_s);
         },
         false, u"When\u2026"_s, u"On a Wi-Fi network"_s,
         u"Holds while the condition is true, and undoes itself when it ends."_s},
        {"chosenNetwork",
         [](RuleBuilderModel &b) {
             b.setConditionKind(u"wifiSSID"_s);
             b.chooseNetwork(u"Office"_s);
         },
         true, u"When on the Wi-Fi network \u201COffice\u201D, reveal hidden items."_s,
         u"On the Wi-Fi network \u201COffice\u201D"_s,
         u"Holds while the condition is true, and undoes itself when it ends."_s},
        {"appOpen",
         [](RuleBuilderModel &b) {
             b.setConditionKind(u"appRunning"_s);
             b.setBundleID(u"com.example.tools"_s);
         },
         true, u"When My.app Tools is open, reveal hidden items."_s, u"My.app Tools is open"_s,
         u"Holds while the condition is true, and undoes itself when it ends."_s},
        {"openItem",
         [](RuleBuilderModel &b) {
             b.setActionKind(u"revealItem"_s);
             b.setItem(stableKey(dropbox));
         },
         true, u"When battery below 20%, open Dropbox."_s, u"Battery below 20%"_s,
         u"Opens the item once, each time the condition becomes true."_s},
        {"profile",
         [work](RuleBuilderModel &b) {
             b.setActionKind(u"switchProfile"_s);
             b.setProfile(work.toString(QUuid::WithoutBraces));
         },
         true, u"When battery below 20%, switch to the Work profile."_s, u"Battery below 20%"_s,
         u"Holds while the condition is true, and undoes itself when it ends."_s},
        {"emptyMessage", [](RuleBuilderModel &b) { b.setActionKind(u"notify"_s); }, false,
         u"When battery below 20%, \u2026"_s, u"Battery below 20%"_s,
         u"Tells you once, each time the condition becomes true."_s},
        {"unknownKinds",
         [](RuleBuilderModel &b) {
             b.setConditionKind(u"allOf"_s);
             b.setActionKind(u"explode"_s);
             b.setItem(u"nothing"_s);
         },
         true, u"When battery below 20%, reveal hidden items."_s, u"Battery below 20%"_s,
         u"Holds while the condition is true, and undoes itself when it ends."_s},
    };
    for (const auto &c : cases) {
        const auto builder = open();
        c.edit(*builder);
        EXPECT_EQ(builder->isValid(), c.valid) << c.name;
        EXPECT_EQ(builder->sentence(), c.sentence) << c.name;
        EXPECT_EQ(builder->suggestedName(), c.suggested) << c.name;
        EXPECT_EQ(builder->nameNote(), c.note) << c.name;
    }
}

// Changing a kind never clears what was entered for the other kinds: trying another condition
// or action and coming back finds the fields as they were, and the rule is built from them.
TEST_F(RuleBuilderModelTest, switchingAKindAwayAndBackKeepsTheOtherFields) {
    const QUuid work = addProfile(u"Work"_s);
    const auto builder = open();
    builder->setBatteryPercent(45);
    builder->setConditionKind(u"wifiSSID"_s);
    builder->chooseNetwork(u"Office"_s);
    builder->setConditionKind(u"appRunning"_s);
    builder->setBundleID(u"com.example.tools"_s);
    builder->setActionKind(u"notify"_s);
    builder->setMessage(u"Charge me"_s);
    builder->setActionKind(u"switchProfile"_s);
    builder->setProfile(work.toString(QUuid::WithoutBraces));
    builder->setActionKind(u"revealItem"_s);
    builder->setItem(stableKey(dropbox));

    const struct {
        QString condition;
        QString action;
        std::function<QString(const RuleBuilderModel &)> field;
        QString expected;
    } returns[] = {
        {u"batteryBelow"_s, u"revealItem"_s, [](const auto &b) { return b.batteryReadout(); },
         u"45%"_s},
        {u"wifiSSID"_s, u"notify"_s, [](const auto &b) { return b.network(); }, u"Office"_s},
        {u"appRunning"_s, u"notify"_s, [](const auto &b) { return b.bundleID(); },
         u"com.example.tools"_s},
        {u"batteryBelow"_s, u"notify"_s, [](const auto &b) { return b.message(); }, u"Charge me"_s},
        {u"batteryBelow"_s, u"switchProfile"_s, [](const auto &b) { return b.profile(); },
         work.toString(QUuid::WithoutBraces)},
        {u"batteryBelow"_s, u"revealItem"_s, [](const auto &b) { return b.item(); },
         stableKey(dropbox)},
    };
    for (const auto &back : returns) {
        builder->setConditionKind(back.condition);
        builder->setActionKind(back.action);
        EXPECT_EQ(back.field(*builder), back.expected)
            << back.condition.toStdString() << " / " << back.action.toStdString();
    }
    builder->setConditionKind(u"wifiSSID"_s);
    builder->setActionKind(u"notify"_s);
    EXPECT_EQ(builder->sentence(),
              u"When on the Wi-Fi network \u201COffice\u201D, tell you \u201CCharge me\u201D."_s);
}

TEST_F(RuleBuilderModelTest, aCompoundConditionStaysUntilAConditionIsPicked) {
    const TriggerCondition compound = TriggerCondition::allOf(
        {TriggerCondition::onBattery(), TriggerCondition::appRunning(u"us.zoom.xos"_s)});
    const TriggerRule imported = stored(u"Calls"_s, compound, TriggerAction::hideHidden());
    {
        const auto builder = open(imported);
        EXPECT_TRUE(builder->keepsStoredCondition());
        builder->setName(u"Calls on battery"_s);
        builder->save();
    }
    {
        const auto builder = open(imported);
        builder->setConditionKind(u"batteryBelow"_s);
        EXPECT_FALSE(builder->keepsStoredCondition());
        EXPECT_EQ(builder->conditionKind(), QVariant(u"batteryBelow"_s));
        EXPECT_TRUE(builder->storedCondition().isEmpty());
        builder->save();
    }
    ASSERT_EQ(saved.size(), 2);
    EXPECT_EQ(saved[0].condition, compound);
    EXPECT_EQ(saved[0].name, u"Calls on battery"_s);
    EXPECT_EQ(saved[1].condition, TriggerCondition::batteryBelow(20));
}

TEST_F(RuleBuilderModelTest, savesOnlyCompleteRulesAndOnlyOnce) {
    const auto builder = open();
    QSignalSpy finished(builder.get(), &RuleBuilderModel::finished);
    builder->setActionKind(u"notify"_s);
    builder->setMessage(u" \t"_s);
    builder->save();
    EXPECT_TRUE(saved.isEmpty());
    EXPECT_EQ(finished.size(), 0);

    builder->setMessage(u"  Low battery "_s);
    builder->setName(u"  "_s);
    builder->save();
    builder->save();
    ASSERT_EQ(saved.size(), 1);
    EXPECT_EQ(finished.size(), 1);
    EXPECT_EQ(saved[0].name, u"Battery below 20%"_s);
    EXPECT_EQ(saved[0].action, TriggerAction::notify(u"Low battery"_s));
    EXPECT_TRUE(saved[0].isEnabled);

    const auto cancelled = open();
    QSignalSpy cancelledFinished(cancelled.get(), &RuleBuilderModel::finished);
    cancelled->cancel();
    cancelled->save();
    EXPECT_EQ(cancelledFinished.size(), 1);
    EXPECT_EQ(saved.size(), 1);
}

TEST_F(RuleBuilderModelTest, anExampleGetsANewEnabledRuleAndEditsKeepTheirs) {
    const TriggerRule example =
        stored(u"Focus"_s, TriggerCondition::focusActive(), TriggerAction::hideHidden(), false);
    const auto fromExample = open(std::nullopt, example);
    EXPECT_EQ(fromExample->heading(), u"New Rule"_s);
    EXPECT_EQ(fromExample->saveTitle(), u"Add Rule"_s);
    fromExample->save();

    const auto edit = open(example);
    edit->save();
    ASSERT_EQ(saved.size(), 2);
    EXPECT_NE(saved[0].id, example.id);
    EXPECT_TRUE(saved[0].isEnabled);
    EXPECT_EQ(saved[0].name, u"Focus"_s);
    EXPECT_EQ(saved[1].id, example.id);
    EXPECT_FALSE(saved[1].isEnabled);
}

TEST_F(RuleBuilderModelTest, networksListTheCurrentOneFirstAndOnce) {
    mac.desktop().wifi().setRememberedNetworks({u"Home"_s, u"Office"_s, std::nullopt, u"Cafe"_s});
    const auto builder = open();
    const auto names = [&] {
        QStringList result;
        for (const QVariant &choice : builder->networkChoices()) {
            result.append(choice.toMap().value(u"label"_s).toString());
        }
        return result;
    };
    EXPECT_EQ(names(), (QStringList{u"Home"_s, u"Office"_s, u"Cafe"_s}));
    TriggerContext context;
    context.currentSSID = u"Office"_s;
    model.setAutomationContext(context);
    EXPECT_EQ(names(), (QStringList{u"Office (connected)"_s, u"Home"_s, u"Cafe"_s}));
    context.currentSSID = u"Train"_s;
    model.setAutomationContext(context);
    EXPECT_EQ(names(), (QStringList{u"Train (connected)"_s, u"Home"_s, u"Office"_s, u"Cafe"_s}));
    builder->setConditionKind(u"wifiSSID"_s);
    builder->chooseNetwork(builder->networkChoices().first().toMap().value(u"name"_s).toString());
    EXPECT_EQ(builder->network(), u"Train"_s);
}

TEST_F(RuleBuilderModelTest, appsAreTheOpenRegularAppsAndTheOneChosen) {
    ApplicationRegistry &apps = mac.desktop().applications();
    const auto regular = [](const QString &id, const std::optional<QString> &name) {
        AppDescription description;
        description.bundleIdentifier = id;
        description.localizedName = name;
        description.activationPolicy = ActivationPolicy::Regular;
        return description;
    };
    apps.launch(regular(u"com.apple.mail"_s, u"mail"_s));
    apps.launch(regular(u"com.apple.mail"_s, u"Mail (second)"_s));
    apps.launch(regular(u"org.example.nameless"_s, std::nullopt));
    apps.launch(regular(u"com.apple.Safari"_s, u"Safari"_s));
    apps.launch(regular(u"com.example.Mailer"_s, u"Mail"_s));
    AppDescription agent = regular(u"com.example.agent"_s, u"Agent"_s);
    agent.activationPolicy = ActivationPolicy::Accessory;
    apps.launch(agent);

    const auto builder = open();
    // Equal names but for case keep the order they came in.
    EXPECT_EQ(labels(builder->appOptions()),
              (QStringList{u"mail"_s, u"Mail"_s, u"org.example.nameless"_s, u"Safari"_s}));
    EXPECT_EQ(builder->appOptions().first().toMap().value(u"icon"_s),
              QVariant(u"app/com.apple.mail"_s));

    // One picked elsewhere is listed by its file name without the trailing ".app".
    builder->setConditionKind(u"appRunning"_s);
    builder->setBundleID(u"com.example.tools"_s);
    EXPECT_TRUE(labels(builder->appOptions()).contains(u"My.app Tools"_s));
    builder->setBundleID(u"com.example.uninstalled"_s);
    EXPECT_TRUE(labels(builder->appOptions()).contains(u"com.example.uninstalled"_s));
}

TEST_F(RuleBuilderModelTest, otherAppTakesTheChosenBundlesIdentifier) {
    const auto builder = open();
    builder->setConditionKind(u"appFrontmost"_s);
    SimFilePanels &panels = mac.desktop().filePanels();
    const struct {
        std::optional<QString> path;
        QString bundleID;
    } cases[] = {
        {u"/Applications/My.app Tools.app"_s, u"com.example.tools"_s},
        {std::nullopt, u"com.example.tools"_s},
        {u"/Applications/Unsigned.app"_s, u"com.example.tools"_s},
        {u"/System/Applications/Mail.app/"_s, u"com.apple.mail"_s},
    };
    for (const auto &c : cases) {
        panels.userWillChoose(c.path);
        builder->chooseApp();
        settle();
        EXPECT_EQ(builder->bundleID(), c.bundleID) << c.path.value_or(u"cancel"_s).toStdString();
    }
    EXPECT_EQ(panels.shown().size(), 4);
    EXPECT_EQ(panels.shown().first().kind, SimFilePanels::Kind::application);
}

TEST_F(RuleBuilderModelTest, itemsLeaveOutTheSystemsOwnAndSortByName) {
    const auto item = [](const QString &bundleID, std::optional<QString> title,
                         const QString &app) {
        return MenuBarItem{MenuBarItemID{bundleID, std::nullopt, std::move(title), 0},
                           0,
                           app,
                           QRectF(),
                           std::nullopt,
                           std::nullopt,
                           Section::shown,
                           false,
                           false,
                           false};
    };
    const QList<MenuBarItem> bar{
        item(u"com.example.zeta"_s, u"zeta"_s, u"Zeta"_s),
        item(u"com.apple.controlcenter.bluetooth"_s, u"Bluetooth"_s, u"Control Center"_s),
        item(u"com.apple.systemuiserver"_s, u"Script"_s, u"SystemUIServer"_s),
        item(u"com.apple.Spotlight"_s, u"Spotlight"_s, u"Spotlight"_s),
        item(u"com.apple.Siri"_s, u"Siri"_s, u"Siri"_s),
        item(u"com.surteesstudios.Bartender-5"_s, u"Bar"_s, u"Organiser"_s),
        item(u"com.apple.clock"_s, u"Clock"_s, u"World Clock"_s),
        item(u"com.apple.battery"_s, u"Battery Status"_s, u"Coconut"_s),
        item(u"com.apple.wifi"_s, u"WiFi"_s, u"Explorer"_s),
        item(u"com.apple.wifi2"_s, u"Wi-Fi"_s, u"Explorer"_s),
        item(u"com.example.untitled"_s, std::nullopt, u"Amphetamine"_s),
        item(u"com.apple.blank"_s, u""_s, u"battery helper"_s),
        item(u"com.example.Zeta"_s, u"Zeta"_s, u"Zeta"_s),
        item(u"com.example.clocks"_s, u"Clocks"_s, u"Clocks"_s),
        // Other applications' items are theirs to name: only Apple's readouts are left out.
        item(u"com.example.batterytoolkit"_s, u"Battery Toolkit"_s, u"Battery Toolkit"_s),
        item(u"com.example.clock"_s, std::nullopt, u"Clock"_s),
    };
    QStringList names;
    for (const MenuBarItem &choice : RuleChoices::items(bar)) {
        names.append(RuleChoices::itemName(choice));
    }
    EXPECT_EQ(names, (QStringList{u"Amphetamine"_s, u"Battery Toolkit"_s, u"Clock"_s, u"Clocks"_s,
                                  u"zeta"_s, u"Zeta"_s}));

    // On the sample bar: Control Center's Battery and Wi-Fi are not offered.
    const auto builder = open();
    EXPECT_EQ(labels(builder->itemOptions()),
              (QStringList{u"1Password"_s, u"Alfred"_s, u"Dropbox"_s, u"Fantastical"_s,
                           u"TextExpander"_s}));
    EXPECT_EQ(builder->itemOptions().first().toMap().value(u"icon"_s),
              QVariant(u"item/com.agilebits.onepassword"_s));
}

TEST_F(RuleBuilderModelTest, permissionRowsFollowTheGates) {
    const auto builder = open();
    QSignalSpy changed(builder.get(), &RuleBuilderModel::changed);
    SimLocationAuthorization &locationStatus = mac.desktop().location();
    const struct {
        LocationStatus status;
        bool needed;
        QString button;
    } cases[] = {
        {LocationStatus::NotDetermined, true, u"Allow Location Access\u2026"_s},
        {LocationStatus::Denied, true, u"Open Location Settings"_s},
        {LocationStatus::Restricted, true, u"Open Location Settings"_s},
        {LocationStatus::AuthorizedAlways, false, u"Allow Location Access\u2026"_s},
    };
    for (const auto &c : cases) {
        locationStatus.setStatus(c.status);
        settle();
        EXPECT_EQ(builder->needsLocation(), c.needed);
        EXPECT_EQ(builder->locationButtonTitle(), c.button);
    }
    EXPECT_GE(changed.size(), 3);

    // Before the user was ever asked, the notification row shows too.
    EXPECT_TRUE(builder->needsNotificationPermission());
    mac.desktop().notifications().setPromptAnswer(true);
    builder->requestNotifications();
    settle();
    EXPECT_FALSE(builder->needsNotificationPermission());
}

TEST(RuleBuilderScrollHeightTest, keepsTheSheetOnTheScreen) {
    const struct {
        double content;
        std::optional<double> screen;
        double height;
    } cases[] = {
        {20, 875, 80},   {400, 875, 400},          {900, 875, 595},
        {900, 500, 280}, {900, std::nullopt, 520}, {300, std::nullopt, 300},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(RuleBuilderModel::scrollHeight(c.content, c.screen), c.height) << c.content;
    }
}

} // namespace
} // namespace zorv
