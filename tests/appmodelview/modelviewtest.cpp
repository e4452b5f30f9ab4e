#include "modelprofiles.h"
#include "modelrules.h"
#include "modelviewfixture.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <functional>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using Tester = QAbstractItemModelTester;

class ModelViewTest : public ::testing::Test, protected ModelViewFixture {
protected:
    // Writes a property as QML would and says whether the model saved the settings.
    bool write(QObject &object, const char *name, const QVariant &value) {
        QSignalSpy saved(&model, &AppModel::lastSavedAtChanged);
        clock.advance(seconds(1));
        EXPECT_TRUE(object.setProperty(name, value)) << name;
        return !saved.isEmpty();
    }
};

// Every writable setting goes through the model's setter: it lands in the settings, is saved
// (lastSavedAt moves) and reads back through the view.
TEST_F(ModelViewTest, SettingsWritesGoThroughTheModelAndAreSaved) {
    SettingsProperties &settings = *view.settings();
    const QVariant spacing = 8.0;
    const QVariantMap shortcut{
        {u"keyCode"_s, 1}, {u"modifiers"_s, double(KeyShortcut::kCommand | KeyShortcut::kShift)}};
    const struct {
        const char *name;
        QVariant value;
        std::function<QVariant(const Settings &)> stored;
    } cases[] = {
        {"autoRehideSeconds", 25.0, [](const Settings &s) { return s.autoRehideSeconds; }},
        {"revealOnHover", true, [](const Settings &s) { return s.revealOnHover; }},
        {"revealOnScroll", true, [](const Settings &s) { return s.revealOnScroll; }},
        {"liveLayout", false, [](const Settings &s) { return s.liveLayout; }},
        {"pixelPerfectIcons", true, [](const Settings &s) { return s.pixelPerfectIconsEnabled; }},
        {"iconClickOpensMenu", false, [](const Settings &s) { return s.iconClickOpensMenu; }},
        {"hideZorvIcon", true, [](const Settings &s) { return s.hideZorvIcon; }},
        {"showInDockAndSwitcher", false, [](const Settings &s) { return s.showInDockAndSwitcher; }},
        {"secondaryBarEnabled", true, [](const Settings &s) { return s.secondaryBarEnabled; }},
        {"iconSpacing", spacing,
         [](const Settings &s) { return QVariant(double(*s.iconSpacing)); }},
        {"revealShortcut", shortcut,
         [](const Settings &s) { return QVariant(s.revealShortcut->display()); }},
        {"searchShortcut", shortcut,
         [](const Settings &s) { return QVariant(s.searchShortcut->display()); }},
    };
    for (const auto &c : cases) {
        EXPECT_TRUE(write(settings, c.name, c.value)) << c.name;
        const QVariant stored = c.stored(model.settings());
        if (c.value.typeId() == QMetaType::QVariantMap) {
            EXPECT_EQ(stored.toString(), u"⇧⌘S"_s) << c.name;
            EXPECT_EQ(settings.property(c.name).toMap(), c.value.toMap()) << c.name;
        } else {
            EXPECT_EQ(stored, c.value) << c.name;
            EXPECT_EQ(settings.property(c.name), c.value) << c.name;
        }
    }
    EXPECT_EQ(settings.revealShortcutDisplay(), u"⇧⌘S"_s);
    EXPECT_EQ(view.menuHotkey(), u"⇧⌘S"_s);
    // Null clears what may be absent.
    EXPECT_TRUE(write(settings, "iconSpacing", QVariant::fromValue(nullptr)));
    EXPECT_EQ(model.settings().iconSpacing, std::nullopt);
    EXPECT_TRUE(settings.iconSpacing().isNull());
    EXPECT_TRUE(write(settings, "revealShortcut", QVariant()));
    EXPECT_EQ(model.settings().revealShortcut, std::nullopt);
    EXPECT_EQ(view.menuHotkey(), u"⌥⌘S"_s);
}

// Values of the wrong shape are refused: nothing is stored or saved, and the view says the value
// is still the old one so the control that wrote it falls back.
TEST_F(ModelViewTest, RefusesSettingsOfTheWrongShape) {
    SettingsProperties &settings = *view.settings();
    const Settings before = model.settings();
    const std::pair<const char *, QVariant> refused[] = {
        {"autoRehideSeconds", -1.0},
        {"autoRehideSeconds", qQNaN()},
        {"iconSpacing", -4.0},
        {"iconSpacing", 2.5},
        {"iconSpacing", u"12"_s},
        {"iconSpacing", true},
        {"revealShortcut", QVariantMap{{u"keyCode"_s, 1}}},
        {"searchShortcut", u"⌘F"_s},
    };
    for (const auto &[name, value] : refused) {
        QSignalSpy changed(&settings, &SettingsProperties::changed);
        EXPECT_FALSE(write(settings, name, value)) << name;
        EXPECT_EQ(changed.size(), 1) << name;
    }
    EXPECT_EQ(model.settings(), before);
}

// The status values QML cannot read from the model itself: absent values are an invalid date,
// an empty text or null, and each signals when the model's value changes.
TEST_F(ModelViewTest, PublishesTheModelsStatusValues) {
    EXPECT_FALSE(view.lastSavedAt().isValid());
    QSignalSpy saved(&view, &ModelView::lastSavedAtChanged);
    view.completeOnboarding();
    EXPECT_EQ(saved.size(), 1);
    EXPECT_EQ(view.lastSavedAt(), clock.wallNow());
    EXPECT_TRUE(view.settings()->onboardingCompleted());

    EXPECT_FALSE(view.hidingBlocked());
    QSignalSpy blocked(&view, &ModelView::hidingBlockedChanged);
    mac.engine().mock().setHidingBlocked(HidingBlockedReason::displayNotHiding);
    EXPECT_EQ(blocked.size(), 1);
    EXPECT_TRUE(view.hidingBlocked());
    EXPECT_EQ(view.hidingBlockedHeadline(), headline(HidingBlockedReason::displayNotHiding));
    EXPECT_EQ(view.hidingBlockedDetail(), detail(HidingBlockedReason::displayNotHiding));
    view.retryHiding();
    clock.settle();
    EXPECT_FALSE(view.hidingBlocked());
    EXPECT_EQ(view.hidingBlockedHeadline(), QString());

    EXPECT_EQ(view.pendingSettingsPane(), QString());
    view.setPendingSettingsPane(u"arrange"_s);
    EXPECT_EQ(model.pendingSettingsPane(), u"arrange"_s);
    view.setPendingSettingsPane(QString());
    EXPECT_EQ(model.pendingSettingsPane(), std::nullopt);

    EXPECT_TRUE(view.automaticUpdateChecks().isNull());
    view.setAutomaticUpdateChecks(true);
    EXPECT_EQ(model.automaticUpdateChecks(), true);
    view.setAutomaticUpdateChecks(u"false"_s);
    EXPECT_EQ(view.automaticUpdateChecks(), QVariant(true));

    model.setTriggerNotice(u"Away was paused: it was switching on and off too fast."_s);
    EXPECT_EQ(view.triggerNotice(), u"Away was paused: it was switching on and off too fast."_s);
    view.dismissTriggerNotice();
    EXPECT_EQ(model.triggerNotice(), std::nullopt);
    EXPECT_EQ(view.triggerNotice(), QString());
    EXPECT_EQ(view.needsAccessibility(), !view.axTrusted());
}

// The look is written whole through the model (saved and drawn); a look that is not valid never
// reaches it.
TEST_F(ModelViewTest, WritesTheLookThroughTheModel) {
    AppearanceValue look = view.appearance();
    look.tintEnabled = true;
    look.tintHex = u"#2A7FFF"_s;
    look.tintOpacity = 0.4;
    QSignalSpy changed(&view, &ModelView::appearanceChanged);
    EXPECT_TRUE(write(view, "appearance", QVariant::fromValue(look)));
    EXPECT_EQ(model.settings().appearance, look.toAppearance());
    EXPECT_EQ(mac.fakes.overlay->applied.back(), look.toAppearance());
    EXPECT_EQ(view.appearance(), look);
    EXPECT_EQ(changed.size(), 1);

    const std::function<void(AppearanceValue &)> breakers[] = {
        [](AppearanceValue &v) { v.tintHex = u"blue"_s; },
        [](AppearanceValue &v) { v.tintOpacity = 1.5; },
        [](AppearanceValue &v) { v.tintOpacity = qQNaN(); },
        [](AppearanceValue &v) { v.cornerRadius = -2; },
    };
    for (const auto &breaker : breakers) {
        AppearanceValue bad = look;
        breaker(bad);
        EXPECT_FALSE(write(view, "appearance", QVariant::fromValue(bad)));
    }
    EXPECT_EQ(model.settings().appearance, look.toAppearance());
}

// Profiles by id: each operation reaches the model; an unknown id or a malformed shortcut changes
// nothing.
TEST_F(ModelViewTest, ListsAndEditsProfiles) {
    ProfileListModel &profiles = *view.profiles();
    Tester tester(&profiles, Tester::FailureReportingMode::Fatal);
    profiles.saveCurrent(u"Work"_s);
    profiles.saveCurrent(u"Home"_s);
    ASSERT_EQ(profiles.count(), 2);
    const QString work = value(profiles, 0, ProfileListModel::IdRole).toString();
    const QString home = value(profiles, 1, ProfileListModel::IdRole).toString();
    EXPECT_EQ(column(profiles, ProfileListModel::ActiveRole), (QStringList{u"true"_s, u"false"_s}));
    EXPECT_EQ(view.activeProfileName(), u"Work"_s);

    QSignalSpy active(&view, &ModelView::activeProfileNameChanged);
    EXPECT_TRUE(profiles.switchTo(home));
    EXPECT_EQ(active.size(), 1);
    EXPECT_EQ(view.activeProfileName(), u"Home"_s);
    EXPECT_TRUE(profiles.rename(home.toLower(), u"House"_s));
    EXPECT_EQ(view.activeProfileName(), u"House"_s);
    // A saved profile keeps the look it was saved with.
    EXPECT_EQ(column(profiles, ProfileListModel::RemembersLookRole),
              (QStringList{u"true"_s, u"true"_s}));
    EXPECT_TRUE(profiles.setRemembersLook(home, false));
    EXPECT_EQ(column(profiles, ProfileListModel::RemembersLookRole),
              (QStringList{u"true"_s, u"false"_s}));
    const QVariantMap shortcut{{u"keyCode"_s, 18}, {u"modifiers"_s, double(KeyShortcut::kControl)}};
    EXPECT_TRUE(profiles.setShortcut(work, shortcut));
    EXPECT_EQ(value(profiles, 0, ProfileListModel::ShortcutDisplayRole).toString(), u"⌃1"_s);

    const QString unknown = idText(QUuid::createUuid());
    EXPECT_FALSE(profiles.switchTo(unknown));
    EXPECT_FALSE(profiles.rename(u"not an id"_s, u"X"_s));
    EXPECT_FALSE(profiles.updateFromCurrent(unknown));
    EXPECT_FALSE(profiles.setShortcut(home, QVariantMap{{u"modifiers"_s, 0}}));
    EXPECT_FALSE(profiles.remove(unknown));
    EXPECT_EQ(profiles.count(), 2);

    EXPECT_TRUE(profiles.remove(home));
    EXPECT_EQ(profiles.count(), 1);
    EXPECT_EQ(view.activeProfileName(), u"Work"_s);
    EXPECT_EQ(model.profiles().profiles.front().shortcut, KeyShortcut(18, KeyShortcut::kControl));
}

// Rules in order with their summaries and whether they hold or are paused.
TEST_F(ModelViewTest, ListsAndEditsRules) {
    RuleListModel &rules = *view.rules();
    Tester tester(&rules, Tester::FailureReportingMode::Fatal);
    const TriggerRule battery{QUuid::createUuid(), u"On battery"_s, true,
                              TriggerCondition::onBattery(), TriggerAction::revealHidden()};
    const TriggerRule focus{QUuid::createUuid(), u"Focus"_s, true, TriggerCondition::focusActive(),
                            TriggerAction::hideHidden()};
    model.rules().addTrigger(battery);
    model.rules().addTrigger(focus);
    ASSERT_EQ(rules.count(), 2);
    EXPECT_EQ(column(rules, RuleListModel::NameRole), (QStringList{u"On battery"_s, u"Focus"_s}));
    EXPECT_EQ(value(rules, 0, RuleListModel::ConditionRole).toString(),
              battery.condition.summary());
    EXPECT_EQ(value(rules, 1, RuleListModel::ActionRole).toString(), focus.action.summary());

    model.setActiveTriggerRuleIDs({battery.id});
    model.setSuspendedTriggerRuleIDs({focus.id});
    EXPECT_EQ(column(rules, RuleListModel::ActiveRole), (QStringList{u"true"_s, u"false"_s}));
    EXPECT_EQ(column(rules, RuleListModel::SuspendedRole), (QStringList{u"false"_s, u"true"_s}));

    EXPECT_TRUE(rules.setEnabled(idText(focus.id), false));
    EXPECT_FALSE(model.triggers().rules.at(1).isEnabled);
    EXPECT_FALSE(rules.setEnabled(idText(QUuid::createUuid()), false));
    EXPECT_TRUE(rules.remove(idText(battery.id)));
    EXPECT_EQ(column(rules, RuleListModel::NameRole), QStringList{u"Focus"_s});
}

// Export and import report their outcome by signal, with the user's text for a refusal and the
// backup of the setup an import replaced.
TEST_F(ModelViewTest, ExportsAndImportsTheSetup) {
    QTemporaryDir folder;
    const QString file = folder.filePath(u"zorv-settings.json"_s);
    QSignalSpy exported(&view, &ModelView::exportFinished);
    QSignalSpy imported(&view, &ModelView::importFinished);

    view.exportSetup(folder.filePath(u"missing/folder/zorv-settings.json"_s));
    view.exportSetup(file);
    clock.settle();
    ASSERT_EQ(exported.size(), 2);
    EXPECT_FALSE(exported[0][0].toBool());
    EXPECT_TRUE(exported[1][0].toBool());

    // A whole setup in a later format.
    QFile exportedFile(file);
    ASSERT_TRUE(exportedFile.open(QIODevice::ReadOnly));
    QFile other(folder.filePath(u"other.json"_s));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write(exportedFile.readAll().replace("zorv-settings-v1", "zorv-settings-v9"));
    other.close();
    view.importSetup(other.fileName());
    view.importSetup(folder.filePath(u"nothing.json"_s));
    clock.settle();
    view.importSetup(file);
    clock.settle();
    ASSERT_EQ(imported.size(), 3);
    EXPECT_FALSE(imported[0][0].toBool());
    EXPECT_EQ(imported[0][1].toString(),
              u"This settings format is not supported by this version of Zorv."_s);
    EXPECT_EQ(imported[0][2].toString(), QString());
    EXPECT_FALSE(imported[1][0].toBool());
    EXPECT_FALSE(imported[1][1].toString().isEmpty());
    EXPECT_TRUE(imported[2][0].toBool());
    EXPECT_TRUE(QFileInfo::exists(imported[2][2].toString()));
    EXPECT_FALSE(view.isImporting());
}

} // namespace
} // namespace zorv
