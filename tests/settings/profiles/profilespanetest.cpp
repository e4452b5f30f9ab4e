#include "hotkeys/shellhotkeys.h"
#include "modelprofiles.h"
#include "profilelistmodel.h"
#include "profilespanemodel.h"
#include "settingsfixture.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The pane over a started model, with the shell's hot keys registered again whenever the model
// says its shortcuts changed, as the application does.
class ProfilesPaneTest : public ::testing::Test, protected SettingsFixture {
protected:
    ProfilesPaneTest() {
        pane.setView(&view);
        QObject::connect(&model, &AppModel::shortcutsChanged, &model,
                         [this] { hotKeys.registerHotKeys(model.settings(), model.profiles()); });
        hotKeys.registerHotKeys(model.settings(), model.profiles());
    }

    [[nodiscard]] ProfileListModel &list() { return *view.profiles(); }
    [[nodiscard]] QString idAt(int row) { return idText(list().rows().at(row).id); }
    [[nodiscard]] QStringList names() {
        QStringList names;
        for (const ProfileRow &row : list().rows()) {
            names.append(row.name);
        }
        return names;
    }
    [[nodiscard]] QString activeName() {
        for (const ProfileRow &row : list().rows()) {
            if (row.active) {
                return row.name;
            }
        }
        return {};
    }
    void saveAs(const QString &name) {
        pane.setNewName(name);
        ASSERT_TRUE(pane.save()) << name.toStdString();
    }
    // The combinations the shell holds as global hot keys.
    [[nodiscard]] QList<quint16> registeredKeyCodes() {
        QList<quint16> codes;
        for (const HotKeyRecord &record : mac.desktop().hotKeys().ownRegistrations()) {
            codes.append(record.keyCode);
        }
        return codes;
    }

    ProfilesPaneModel pane;
    HotKeyCenter center{mac.desktop().hotKeys(), mac.log};
    ShellHotKeys hotKeys{center, mac.log,
                         HotKeyActions{[] {}, [] {}, [](const QString &) {}, [](const QUuid &) {}}};
    QAbstractItemModelTester tester{&list(), QAbstractItemModelTester::FailureReportingMode::Fatal};
};

struct NameCase {
    const char *label;
    QString typed;
    // What the profile is saved as; empty when nothing may be saved.
    QString saved;
};

class ProfileNameTest : public ProfilesPaneTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(ProfileNameTest, OnlyBlanksAtTheEndsAreDroppedAndABlankNameSavesNothing) {
    const NameCase &c = GetParam();
    pane.setNewName(c.typed);
    EXPECT_EQ(pane.canSave(), !c.saved.isEmpty());
    EXPECT_EQ(pane.save(), !c.saved.isEmpty());
    if (c.saved.isEmpty()) {
        EXPECT_EQ(list().count(), 0);
        EXPECT_EQ(pane.newName(), c.typed) << "a refused name stays in the field";
    } else {
        EXPECT_EQ(names(), QStringList{c.saved});
        EXPECT_EQ(pane.newName(), QString()) << "the field empties";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, ProfileNameTest,
    ::testing::Values(NameCase{"Plain", u"Work"_s, u"Work"_s},
                      NameCase{"SpacesAround", u"  Home office \t"_s, u"Home office"_s},
                      NameCase{"WideSpaces", u"\u00A0\u2003Travel\u3000"_s, u"Travel"_s},
                      NameCase{"LineBreaksStay", u"\nNight\n"_s, u"\nNight\n"_s},
                      NameCase{"Empty", QString(), QString()},
                      NameCase{"OnlySpaces", u"   "_s, QString()},
                      NameCase{"OnlyTabsAndWideSpaces", u"\t\u2002\t"_s, QString()}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(ProfilesPaneTest, TheListHeadingCountsTheProfiles) {
    const std::vector<std::pair<int, QString>> cases = {{0, u"No Profiles Yet"_s},
                                                        {1, u"1 Profile"_s},
                                                        {2, u"2 Profiles"_s},
                                                        {12, u"12 Profiles"_s}};
    for (const auto &[count, kicker] : cases) {
        EXPECT_EQ(ProfilesPaneModel::listKicker(count), kicker) << count;
    }
    EXPECT_EQ(pane.listKicker(), u"No Profiles Yet"_s);
    QSignalSpy changed(&pane, &ProfilesPaneModel::countChanged);
    saveAs(u"Work"_s);
    EXPECT_EQ(pane.listKicker(), u"1 Profile"_s);
    EXPECT_EQ(changed.size(), 1);
}

TEST_F(ProfilesPaneTest, SavingMakesTheFirstProfileActiveAndLeavesALaterOneAlone) {
    saveAs(u"Work"_s);
    EXPECT_EQ(activeName(), u"Work"_s);
    saveAs(u"Home"_s);
    saveAs(u"Home"_s);
    EXPECT_EQ(names(), (QStringList{u"Work"_s, u"Home"_s, u"Home"_s})) << "names may repeat";
    EXPECT_NE(idAt(1), idAt(2));
    EXPECT_EQ(activeName(), u"Work"_s);
}

TEST_F(ProfilesPaneTest, TheSummaryCountsTheStoredLayoutAndTellsWhetherTheLookIsKept) {
    const auto ids = [](int count) {
        QList<MenuBarItemID> list;
        for (int i = 0; i < count; ++i) {
            list.append(MenuBarItemID{u"com.example.app"_s, std::nullopt, std::nullopt, i});
        }
        return list;
    };
    struct Case {
        SectionLayout layout;
        bool keepsLook;
        QString summary;
        QString lookAction;
    };
    const std::vector<Case> cases = {
        {SectionLayout{
             {{Section::shown, ids(3)}, {Section::hidden, ids(5)}, {Section::alwaysHidden, {}}}},
         false, u"3 shown · 5 hidden · 0 always hidden"_s, u"Remember This Look Too"_s},
        {SectionLayout{{{Section::shown, ids(1)},
                        {Section::hidden, ids(1)},
                        {Section::alwaysHidden, ids(2)}}},
         true, u"1 shown · 1 hidden · 2 always hidden · keeps its look"_s,
         u"Stop Remembering the Look"_s},
        // A stored layout may lack sections.
        {SectionLayout{{{Section::hidden, ids(4)}}}, false,
         u"0 shown · 4 hidden · 0 always hidden"_s, u"Remember This Look Too"_s},
    };
    for (const Case &c : cases) {
        Profile profile{QUuid::createUuid(), u"P"_s, c.layout,
                        c.keepsLook ? std::optional<Appearance>(Appearance{}) : std::nullopt,
                        std::nullopt};
        const ProfileRow row = ProfileRow::of(profile, false);
        EXPECT_EQ(row.summary(), c.summary);
        EXPECT_EQ(row.lookAction(), c.lookAction);
    }
}

TEST_F(ProfilesPaneTest, ANewProfileKeepsTheLookUntilToldToForgetIt) {
    saveAs(u"Work"_s);
    // The profile's own layout: the bar's items without the system's pinned ones, which no
    // kept layout holds.
    const SectionLayout &saved = model.profiles().profiles.at(0).layout;
    const int shown = int(saved.ids(Section::shown).size());
    const int hidden = int(saved.ids(Section::hidden).size());
    const int always = int(saved.ids(Section::alwaysHidden).size());
    const QString counts =
        u"%1 shown · %2 hidden · %3 always hidden"_s.arg(shown).arg(hidden).arg(always);
    const auto summary = [&] {
        return list().data(list().index(0), ProfileListModel::SummaryRole);
    };
    EXPECT_EQ(summary(), counts + u" · keeps its look"_s);

    EXPECT_TRUE(list().setRemembersLook(idAt(0), false));
    EXPECT_EQ(summary(), counts);
    EXPECT_EQ(list().data(list().index(0), ProfileListModel::LookActionRole),
              u"Remember This Look Too"_s);

    // Remembering again takes the look of that moment.
    Appearance tinted = model.settings().appearance;
    tinted.tintEnabled = true;
    tinted.tintHex = u"#336699"_s;
    model.profileOps().setAppearance(tinted);
    EXPECT_TRUE(list().setRemembersLook(idAt(0), true));
    EXPECT_EQ(model.profiles().profiles.at(0).appearance, tinted);
}

TEST_F(ProfilesPaneTest, RenamingStoresTheTextAsTypedOrNothingOnEscape) {
    saveAs(u"Work"_s);
    saveAs(u"Home"_s);
    struct Case {
        const char *label;
        QString typed;
        bool commit;
        QString stored;
    };
    const std::vector<Case> cases = {
        {"Commit", u"Office"_s, true, u"Office"_s},
        {"SpacesKept", u"  Office  "_s, true, u"  Office  "_s},
        {"EmptyKept", QString(), true, QString()},
        {"EscapeDiscards", u"Elsewhere"_s, false, QString()},
    };
    QString name = u"Work"_s;
    for (const Case &c : cases) {
        pane.beginRename(idAt(0));
        EXPECT_EQ(pane.renaming(), idAt(0)) << c.label;
        EXPECT_EQ(pane.renameText(), name) << c.label << ": the field starts with the name";
        pane.setRenameText(c.typed);
        c.commit ? pane.commitRename() : pane.cancelRename();
        EXPECT_EQ(pane.renaming(), QString()) << c.label;
        if (c.commit) {
            name = c.stored;
        }
        EXPECT_EQ(names().at(0), name) << c.label;
    }
    // The id stays, so the active mark stays with the renamed profile.
    EXPECT_TRUE(list().rows().at(0).active);
}

TEST_F(ProfilesPaneTest, OneRowAtATimeShowsTheRenameFieldAndItGoesWithItsProfile) {
    saveAs(u"Work"_s);
    saveAs(u"Home"_s);
    pane.beginRename(idAt(0));
    pane.setRenameText(u"unsaved"_s);
    pane.beginRename(idAt(1));
    EXPECT_EQ(pane.renaming(), idAt(1));
    EXPECT_EQ(pane.renameText(), u"Home"_s) << "the other row's text is dropped";

    pane.beginRename(u"not a profile"_s);
    EXPECT_EQ(pane.renaming(), idAt(1)) << "an unknown id changes nothing";

    EXPECT_TRUE(list().remove(idAt(1)));
    EXPECT_EQ(pane.renaming(), QString());
    pane.commitRename();
    EXPECT_EQ(names(), QStringList{u"Work"_s});
}

TEST_F(ProfilesPaneTest, SwitchingMovesTheActiveMarkAndBringsAKeptLookBack) {
    Appearance plain = model.settings().appearance;
    saveAs(u"Plain"_s);
    Appearance tinted = plain;
    tinted.tintEnabled = true;
    tinted.tintHex = u"#AA5500"_s;
    model.profileOps().setAppearance(tinted);
    saveAs(u"Tinted"_s);
    saveAs(u"Lookless"_s);
    EXPECT_TRUE(list().setRemembersLook(idAt(2), false));

    struct Case {
        int row;
        Appearance look;
    };
    // The look after switching: a profile without one leaves the current look alone.
    for (const Case &c : std::vector<Case>{{0, plain}, {2, plain}, {1, tinted}, {2, tinted}}) {
        EXPECT_TRUE(list().switchTo(idAt(c.row)));
        settle();
        EXPECT_EQ(activeName(), names().at(c.row));
        EXPECT_EQ(model.settings().appearance, c.look) << c.row;
    }
}

TEST_F(ProfilesPaneTest, AShortcutBelongsToOneProfileAndIsReleasedWithIt) {
    saveAs(u"Work"_s);
    saveAs(u"Home"_s);
    saveAs(u"Travel"_s);
    const QVariantMap controlOne{{u"keyCode"_s, 18}, {u"modifiers"_s, int(KeyShortcut::kControl)}};
    const QVariantMap controlTwo{{u"keyCode"_s, 19}, {u"modifiers"_s, int(KeyShortcut::kControl)}};
    const auto shortcutOf = [&](int row) { return list().rows().at(row).shortcut; };

    EXPECT_TRUE(list().setShortcut(idAt(0), controlOne));
    EXPECT_TRUE(list().setShortcut(idAt(2), controlTwo));
    EXPECT_TRUE(registeredKeyCodes().contains(18));
    EXPECT_TRUE(registeredKeyCodes().contains(19));

    // Recording a shortcut another profile has takes it from that one.
    EXPECT_TRUE(list().setShortcut(idAt(1), controlOne));
    EXPECT_EQ(shortcutOf(0), std::nullopt);
    EXPECT_EQ(shortcutOf(1), KeyShortcut(18, KeyShortcut::kControl));
    EXPECT_EQ(registeredKeyCodes().count(18), 1);

    // Deleting a profile gives its combination back to the other applications.
    EXPECT_TRUE(list().remove(idAt(1)));
    EXPECT_FALSE(registeredKeyCodes().contains(18));
    EXPECT_TRUE(registeredKeyCodes().contains(19));
    // Clearing does too.
    EXPECT_TRUE(list().setShortcut(idAt(1), QVariant()));
    EXPECT_FALSE(registeredKeyCodes().contains(19));
}

TEST_F(ProfilesPaneTest, DeletingTheActiveProfileActivatesTheFirstLeftWithoutApplyingIt) {
    saveAs(u"Work"_s);
    saveAs(u"Home"_s);
    saveAs(u"Travel"_s);
    EXPECT_TRUE(list().switchTo(idAt(2)));
    settle();
    const Appearance before = model.settings().appearance;
    Appearance other = before;
    other.borderEnabled = !other.borderEnabled;
    model.profileOps().setAppearance(other);

    EXPECT_TRUE(list().remove(idAt(2)));
    EXPECT_EQ(activeName(), u"Work"_s);
    EXPECT_EQ(model.settings().appearance, other) << "the new active profile's look is not applied";
    EXPECT_TRUE(list().remove(idAt(0)));
    EXPECT_TRUE(list().remove(idAt(0)));
    EXPECT_EQ(activeName(), QString());
    EXPECT_EQ(pane.listKicker(), u"No Profiles Yet"_s);
    EXPECT_EQ(model.profiles().activeID, std::nullopt);
}

} // namespace
} // namespace zorv
