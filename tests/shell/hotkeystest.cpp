#include "hotkeys/shellhotkeys.h"
#include "manualclock.h"
#include "recordingsystemlog.h"
#include "simulateddesktop.h"

#include <gtest/gtest.h>

namespace zorv {
namespace {

constexpr quint64 kOptCmd = KeyShortcut::kOption | KeyShortcut::kCommand;
constexpr quint64 kCtrlOpt = KeyShortcut::kControl | KeyShortcut::kOption;
constexpr quint32 kOptCmdMods = HotKeys::optionKey | HotKeys::cmdKey;

// Zorv's hot keys on a simulated Mac where another application is in front.
class HotKeysTest : public ::testing::Test {
protected:
    HotKeysTest()
        : desktop(clock, AppDescription{QStringLiteral("app.zorv.Zorv"), QStringLiteral("Zorv"),
                                        ActivationPolicy::Accessory, 0.0, DragAcceptance::Always}),
          center(desktop.hotKeys(), log),
          hotKeys(center, log,
                  HotKeyActions{
                      [this] { fired.append(QStringLiteral("reveal")); },
                      [this] { fired.append(QStringLiteral("search")); },
                      [this](const QString &key) { fired.append(QStringLiteral("item ") + key); },
                      [this](const QUuid &id) {
                          fired.append(QStringLiteral("profile ") +
                                       id.toString(QUuid::WithoutBraces));
                      }}) {
        AppDescription editor;
        editor.bundleIdentifier = QStringLiteral("com.example.editor");
        editor.activationPolicy = ActivationPolicy::Regular;
        other = desktop.applications().launch(editor);
        desktop.applications().activate(other);
    }

    void press(quint16 keyCode, quint64 flags) {
        desktop.userInput().pressKey(keyCode, flags);
        clock.settle();
    }
    [[nodiscard]] KeyDelivery lastDelivery() {
        const auto deliveries = desktop.hotKeys().keyDeliveries();
        return deliveries.isEmpty() ? KeyDelivery{} : deliveries.last();
    }
    [[nodiscard]] QList<std::pair<quint16, quint32>> registered() {
        QList<std::pair<quint16, quint32>> combos;
        for (const HotKeyRecord &record : desktop.hotKeys().ownRegistrations()) {
            combos.append({record.keyCode, record.modifiers});
        }
        return combos;
    }

    ManualClock clock;
    SimulatedDesktop desktop;
    RecordingSystemLog log;
    HotKeyCenter center;
    ShellHotKeys hotKeys;
    QStringList fired;
    qint32 other = 0;
};

TEST_F(HotKeysTest, WithoutShortcutsRevealAndSearchTakeTheirDefaultsUnderZorvIds) {
    hotKeys.registerHotKeys(Settings{}, ProfileSet{});

    const auto records = desktop.hotKeys().ownRegistrations();
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].keyCode, 1);
    EXPECT_EQ(records[1].keyCode, 3);
    for (const HotKeyRecord &record : records) {
        EXPECT_EQ(record.modifiers, kOptCmdMods);
        EXPECT_EQ(record.id.signature, HotKeyCenter::signature);
    }
    EXPECT_EQ(records[0].id.id, 1u);
    EXPECT_EQ(records[1].id.id, 2u);
}

TEST_F(HotKeysTest, APressReachesZorvAndNotTheFrontApplication) {
    hotKeys.registerHotKeys(Settings{}, ProfileSet{});

    press(1, kOptCmd);
    EXPECT_EQ(fired, QStringList{QStringLiteral("reveal")});
    EXPECT_TRUE(lastDelivery().hotKey);
    EXPECT_EQ(lastDelivery().processId, desktop.applications().currentProcessId());

    press(1, KeyShortcut::kCommand);
    EXPECT_EQ(fired.size(), 1) << "Command-S is not the reveal key";
    EXPECT_FALSE(lastDelivery().hotKey);
    EXPECT_EQ(lastDelivery().processId, other);
}

TEST_F(HotKeysTest, ACombinationAnotherApplicationHoldsFailsAloneAndStaysWithIt) {
    ASSERT_TRUE(desktop.hotKeys().holdForApplication(other, 1, kOptCmdMods));

    hotKeys.registerHotKeys(Settings{}, ProfileSet{});

    EXPECT_EQ(registered(), (QList<std::pair<quint16, quint32>>{{3, kOptCmdMods}}));
    EXPECT_EQ(log.lines(), QStringList{QStringLiteral(
                               "Zorv: could not register hotkey (code 1): OSStatus -9878")});
    const auto keys = hotKeys.keys();
    ASSERT_EQ(keys.size(), 2);
    EXPECT_FALSE(keys[0]->isRegistered());
    EXPECT_TRUE(keys[1]->isRegistered());

    press(1, kOptCmd);
    EXPECT_TRUE(fired.isEmpty());
    EXPECT_EQ(lastDelivery().processId, other);
    press(3, kOptCmd);
    EXPECT_EQ(fired, QStringList{QStringLiteral("search")});
}

TEST_F(HotKeysTest, EachKindOfKeyRunsItsOwnAction) {
    Settings settings;
    settings.itemHotkeys = {
        ItemHotkey{QStringLiteral("com.example.wifi|0"), KeyShortcut(40, kCtrlOpt)}};
    ProfileSet profiles;
    Profile work;
    work.id = QUuid::fromString(QStringLiteral("{11111111-2222-3333-4444-555555555555}"));
    work.name = QStringLiteral("Work");
    work.shortcut = KeyShortcut(18, kCtrlOpt);
    Profile home;
    home.id = QUuid::createUuid();
    home.name = QStringLiteral("Home");
    profiles.profiles = {work, home};

    hotKeys.registerHotKeys(settings, profiles);
    EXPECT_EQ(hotKeys.keys().size(), 4) << "the profile without a shortcut gets no key";

    press(40, kCtrlOpt);
    press(18, kCtrlOpt);
    press(3, kOptCmd);
    EXPECT_EQ(fired, (QStringList{QStringLiteral("item com.example.wifi|0"),
                                  QStringLiteral("profile 11111111-2222-3333-4444-555555555555"),
                                  QStringLiteral("search")}));
}

// A combination that changes role in one settings change.
struct RoleMove {
    const char *name;
    Settings before;
    Settings after;
    quint16 keyCode;
    quint64 flags;
    QString expected;
};

void PrintTo(const RoleMove &move, std::ostream *out) {
    *out << move.name;
}

Settings withItemKey(KeyShortcut shortcut) {
    Settings settings;
    settings.itemHotkeys = {ItemHotkey{QStringLiteral("item|0"), shortcut}};
    return settings;
}

class HotKeyRoleMoveTest : public HotKeysTest, public ::testing::WithParamInterface<RoleMove> {};

TEST_P(HotKeyRoleMoveTest, TheMovedCombinationIsRegisteredForItsNewRole) {
    const RoleMove &move = GetParam();
    hotKeys.registerHotKeys(move.before, ProfileSet{});
    hotKeys.registerHotKeys(move.after, ProfileSet{});

    EXPECT_TRUE(log.lines().isEmpty()) << log.lines().join(u'\n').toStdString();
    press(move.keyCode, move.flags);
    EXPECT_EQ(fired, QStringList{move.expected});
}

RoleMove itemToReveal() {
    Settings after;
    after.revealShortcut = KeyShortcut(40, kCtrlOpt);
    return {"ItemToReveal",          withItemKey(KeyShortcut(40, kCtrlOpt)), after, 40, kCtrlOpt,
            QStringLiteral("reveal")};
}

RoleMove revealToItem() {
    Settings before;
    before.revealShortcut = KeyShortcut(40, kCtrlOpt);
    return {"RevealToItem",
            before,
            withItemKey(KeyShortcut(40, kCtrlOpt)),
            40,
            kCtrlOpt,
            QStringLiteral("item item|0")};
}

RoleMove defaultRevealToItem() {
    Settings after = withItemKey(KeyShortcut(1, kOptCmd));
    after.revealShortcut = KeyShortcut(2, kOptCmd);
    return {"DefaultRevealToItem", Settings{}, after, 1, kOptCmd, QStringLiteral("item item|0")};
}

RoleMove searchToReveal() {
    Settings after;
    after.revealShortcut = KeyShortcut(3, kOptCmd);
    after.searchShortcut = KeyShortcut(5, kOptCmd);
    return {"SearchToReveal", Settings{}, after, 3, kOptCmd, QStringLiteral("reveal")};
}

INSTANTIATE_TEST_SUITE_P(Moves, HotKeyRoleMoveTest,
                         ::testing::Values(itemToReveal(), revealToItem(), defaultRevealToItem(),
                                           searchToReveal()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(HotKeysTest, AChangedShortcutFreesTheOldCombinationAtOnceAndIdsAreNeverReused) {
    hotKeys.registerHotKeys(Settings{}, ProfileSet{});
    Settings changed;
    changed.revealShortcut = KeyShortcut(15, kOptCmd);
    hotKeys.registerHotKeys(changed, ProfileSet{});

    press(1, kOptCmd);
    EXPECT_TRUE(fired.isEmpty());
    EXPECT_EQ(lastDelivery().processId, other);
    press(15, kOptCmd);
    EXPECT_EQ(fired, QStringList{QStringLiteral("reveal")});
    const auto records = desktop.hotKeys().ownRegistrations();
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].id.id, 3u);
    EXPECT_EQ(records[1].id.id, 4u);
}

TEST_F(HotKeysTest, APressUnderAnUnregisteredIdIsIgnored) {
    hotKeys.registerHotKeys(Settings{}, ProfileSet{});
    hotKeys.registerHotKeys(Settings{}, ProfileSet{});

    Q_EMIT desktop.hotKeys().pressed(HotKeyID{HotKeyCenter::signature, 1});
    EXPECT_TRUE(fired.isEmpty());
}

// Stored shortcuts and whether they become global hot keys.
struct StoredShortcut {
    const char *name;
    KeyShortcut shortcut;
    bool registered;
};

void PrintTo(const StoredShortcut &stored, std::ostream *out) {
    *out << stored.name;
}

class UnsafeShortcutTest : public HotKeysTest,
                           public ::testing::WithParamInterface<StoredShortcut> {};

TEST_P(UnsafeShortcutTest, OnlyShortcutsTheRecorderAcceptsAreRegistered) {
    const StoredShortcut &stored = GetParam();
    hotKeys.registerHotKeys(withItemKey(stored.shortcut), ProfileSet{});

    EXPECT_EQ(hotKeys.keys().size(), stored.registered ? 3 : 2);
    EXPECT_EQ(registered().size(), stored.registered ? 3 : 2);
    if (!stored.registered) {
        ASSERT_EQ(log.lines().size(), 1);
        EXPECT_TRUE(
            log.lines().first().startsWith(QStringLiteral("Zorv: ignored the item shortcut")))
            << log.lines().first().toStdString();
        press(stored.shortcut.keyCode(), stored.shortcut.modifiers());
        EXPECT_TRUE(fired.isEmpty());
        EXPECT_EQ(lastDelivery().processId, other) << "the key still reaches the front application";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stored, UnsafeShortcutTest,
    ::testing::Values(StoredShortcut{"BareLetter", KeyShortcut(0, 0), false},
                      StoredShortcut{"ShiftLetter", KeyShortcut(0, KeyShortcut::kShift), false},
                      StoredShortcut{"BarePageDown", KeyShortcut(121, 0), false},
                      StoredShortcut{"BareF5", KeyShortcut(96, 0), true},
                      StoredShortcut{"ControlLetter", KeyShortcut(0, KeyShortcut::kControl), true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(HotKeysTest, AnUnsafeRevealShortcutLeavesRevealWithoutAKey) {
    Settings settings;
    settings.revealShortcut = KeyShortcut(0, 0);
    hotKeys.registerHotKeys(settings, ProfileSet{});

    EXPECT_EQ(registered(), (QList<std::pair<quint16, quint32>>{{3, kOptCmdMods}}));
    press(0, 0);
    EXPECT_TRUE(fired.isEmpty());
}

TEST_F(HotKeysTest, AQuittingApplicationReleasesItsCombinations) {
    ASSERT_TRUE(desktop.hotKeys().holdForApplication(other, 1, kOptCmdMods));
    desktop.applications().quit(other);
    clock.settle();

    hotKeys.registerHotKeys(Settings{}, ProfileSet{});
    EXPECT_EQ(registered().size(), 2);
}

} // namespace
} // namespace zorv
