#include "menus/trailingmenurow.h"
#include "shellfixture.h"

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The rows of a menu as shown with or without Option: titles, "-" for separators.
QStringList shownTitles(const Menu &menu, bool option) {
    QStringList titles;
    for (qsizetype index = 0; index < menu.items.size(); ++index) {
        const MenuItem &item = menu.items[index];
        const bool hasAlternate = index + 1 < menu.items.size() && menu.items[index + 1].alternate;
        if (item.alternate ? !option : (hasAlternate && option)) {
            continue;
        }
        titles.append(item.isSeparator()                  ? u"-"_s
                      : item.view && item.title.isEmpty() ? u"[header]"_s
                                                          : item.title);
    }
    return titles;
}

const MenuItem *rowTitled(const Menu &menu, const QString &title) {
    for (const MenuItem &item : menu.items) {
        if (item.title == title) {
            return &item;
        }
    }
    return nullptr;
}

Profile profile(const QString &name) {
    Profile made;
    made.id = QUuid::createUuid();
    made.name = name;
    return made;
}

// The rows for one state of the menu.
struct MenuCase {
    const char *name;
    bool revealed;
    int profiles;
    bool canUpdate;
    bool updateAvailable;
    bool option;
    QStringList expected;
    bool needsAccessibility = false;
};

void PrintTo(const MenuCase &c, std::ostream *out) {
    *out << c.name;
}

class StatusMenuRowsTest : public ShellTest, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(StatusMenuRowsTest, ShowsTheRowsOfTheState) {
    const MenuCase &c = GetParam();
    build();
    StatusMenuState state = shell->menuState();
    state.revealed = c.revealed;
    for (int index = 0; index < c.profiles; ++index) {
        state.profiles.profiles.append(profile(u"P%1"_s.arg(index)));
    }
    state.canUpdate = c.canUpdate;
    state.needsAccessibility = c.needsAccessibility;
    state.availability = c.updateAvailable ? UpdateAvailability::available(u"2.1"_s)
                                           : UpdateAvailability::upToDate();
    const Menu menu =
        StatusMenuBuilder::buildMenu(state, shell->commands(), harness.desktop().menus());
    EXPECT_EQ(shownTitles(menu, c.option), c.expected);
}

const QStringList head{u"[header]"_s, u"-"_s, u"About Zorv"_s, u"-"_s, u"Settings…"_s};
const QStringList tail{u"Welcome Tour…"_s, u"Report a Problem…"_s, u"Zorv Website"_s, u"-"_s,
                       u"Quit Zorv"_s};

QStringList rows(const QStringList &middle, const QStringList &beforeTail = {}) {
    return head + middle + QStringList{u"-"_s} + beforeTail + tail;
}

INSTANTIATE_TEST_SUITE_P(
    States, StatusMenuRowsTest,
    ::testing::Values(
        MenuCase{"Hidden", false, 0, true, false, false,
                 rows({u"Reveal Hidden Items"_s, u"Search Menu Bar Items…"_s, u"Sort My Bar"_s})},
        MenuCase{"HiddenWithOption", false, 0, true, false, true,
                 rows({u"Reveal All Items"_s, u"Search Menu Bar Items…"_s, u"Sort My Bar"_s})},
        MenuCase{"Revealed", true, 0, true, false, false,
                 rows({u"Hide Items"_s, u"Search Menu Bar Items…"_s, u"Sort My Bar"_s})},
        MenuCase{"RevealedWithOption", true, 0, true, false, true,
                 rows({u"Hide Items"_s, u"Search Menu Bar Items…"_s, u"Sort My Bar"_s})},
        MenuCase{"WithProfiles", false, 2, false, false, false,
                 rows({u"Reveal Hidden Items"_s, u"Search Menu Bar Items…"_s, u"Sort My Bar"_s,
                       u"Profile"_s})},
        MenuCase{"WithUpdate", false, 0, true, true, false,
                 rows({u"Reveal Hidden Items"_s, u"Search Menu Bar Items…"_s, u"Sort My Bar"_s},
                      {u"Version 2.1 Available"_s})},
        MenuCase{"UpdateButCannotUpdate", false, 0, false, true, false,
                 rows({u"Reveal Hidden Items"_s, u"Search Menu Bar Items…"_s, u"Sort My Bar"_s})},
        MenuCase{"WithoutAccessibility", false, 0, true, false, false,
                 QStringList{u"[header]"_s, u"-"_s, u"Allow Accessibility…"_s} +
                     rows({u"Reveal Hidden Items"_s, u"Search Menu Bar Items…"_s, u"Sort My Bar"_s})
                         .mid(1),
                 true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ShellTest, RowsCarryTheirSymbolsKeysAndViews) {
    build();
    StatusMenuState state = shell->menuState();
    state.canUpdate = true;
    state.availability = UpdateAvailability::available(u"2.1"_s);
    const Menu menu =
        StatusMenuBuilder::buildMenu(state, shell->commands(), harness.desktop().menus());

    const MenuItem *search = rowTitled(menu, u"Search Menu Bar Items…"_s);
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->keyEquivalent, u"f"_s);
    EXPECT_EQ(search->keyEquivalentModifiers, KeyShortcut::kOption | KeyShortcut::kCommand);
    ASSERT_TRUE(search->view.has_value());
    EXPECT_EQ(search->view->properties.value(u"keys"_s).toStringList(),
              (QStringList{u"⌥"_s, u"⌘"_s, u"F"_s}));
    EXPECT_EQ(search->view->accessibleLabel.left(24), u"Search Menu Bar Items…, "_s);

    const MenuItem *update = rowTitled(menu, u"Version 2.1 Available"_s);
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(update->subtitle, u"Click to learn more…"_s);
    EXPECT_EQ(update->symbol, u"arrow.down.circle"_s);

    const MenuItem *about = rowTitled(menu, u"About Zorv"_s);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(about->view.has_value());
    EXPECT_EQ(about->view->properties.value(u"trailingText"_s).toString(), u"v1.4.2"_s);

    const MenuItem &header = menu.items.first();
    ASSERT_TRUE(header.view.has_value());
    EXPECT_FALSE(header.enabled);
    EXPECT_EQ(header.view->properties.value(u"hotkey"_s).toString(), u"⌥⌘S"_s);

    const MenuItem *quit = rowTitled(menu, u"Quit Zorv"_s);
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(quit->keyEquivalent, u"q"_s);
}

TEST_F(ShellTest, EveryCustomRowIsAsWideAsTheWidestRow) {
    build();
    StatusMenuState state = shell->menuState();
    Menu narrow = StatusMenuBuilder::buildMenu(state, shell->commands(), harness.desktop().menus());
    const double narrowWidth = narrow.items.first().view->properties.value(u"width"_s).toDouble();
    EXPECT_GE(narrowWidth, StatusMenuBuilder::minimumWidth);

    state.profiles.profiles = {profile(u"A profile with a very long name, longer than any row"_s)};
    state.searchShortcut = KeyShortcut(123, KeyShortcut::kControl | KeyShortcut::kOption |
                                                KeyShortcut::kShift | KeyShortcut::kCommand);
    const Menu wide =
        StatusMenuBuilder::buildMenu(state, shell->commands(), harness.desktop().menus());
    QList<double> widths;
    for (const MenuItem &item : wide.items) {
        if (item.view) {
            widths.append(item.view->properties.value(u"width"_s).toDouble());
        }
    }
    ASSERT_EQ(widths.size(), 5);
    EXPECT_GT(widths.first(), narrowWidth);
    for (double width : widths) {
        EXPECT_EQ(width, widths.first());
        EXPECT_GE(width, TrailingMenuRow::requiredWidth(u"Search Menu Bar Items…"_s,
                                                        {u"⌃"_s, u"⌥"_s, u"⇧"_s, u"⌘"_s, u"←"_s}));
    }
}

struct KeyEquivalentCase {
    const char *name;
    quint16 keyCode;
    QString expected;
};

void PrintTo(const KeyEquivalentCase &c, std::ostream *out) {
    *out << c.name;
}

class KeyEquivalentTest : public ::testing::TestWithParam<KeyEquivalentCase> {};

TEST_P(KeyEquivalentTest, OnlyASinglePrintableCharacterIsAKeyEquivalent) {
    EXPECT_EQ(
        StatusMenuBuilder::keyEquivalent(KeyShortcut(GetParam().keyCode, KeyShortcut::kCommand)),
        GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyEquivalentTest,
                         ::testing::Values(KeyEquivalentCase{"Letter", 3, u"f"_s},
                                           KeyEquivalentCase{"Digit", 18, u"1"_s},
                                           KeyEquivalentCase{"Comma", 43, u","_s},
                                           KeyEquivalentCase{"Space", 49, QString()},
                                           KeyEquivalentCase{"Arrow", 123, QString()},
                                           KeyEquivalentCase{"FunctionKey", 96, QString()},
                                           KeyEquivalentCase{"Unknown", 200, QString()}),
                         [](const auto &info) { return std::string(info.param.name); });

// A profile row switches to that profile; the active one is checked.
TEST_F(ShellTest, ProfileRowsSwitchAndCheckTheActiveProfile) {
    ProfileSet profiles;
    profiles.profiles = {profile(u"Work"_s), profile(u"Home"_s)};
    profiles.activeID = profiles.profiles[1].id;
    store(profiles);
    store(settled());
    launched();

    clickIcon();
    SimMenus &menus = harness.desktop().menus();
    ASSERT_TRUE(menus.isTracking());
    ASSERT_TRUE(menus.userHovers(u"Profile"_s));
    const auto submenu = menus.openSubmenu();
    ASSERT_NE(submenu, nullptr);
    ASSERT_EQ(submenu->items.size(), 2);
    EXPECT_EQ(submenu->items[0].state, MenuItemState::Off);
    EXPECT_EQ(submenu->items[1].state, MenuItemState::On);
    ASSERT_TRUE(menus.userChooses(u"Work"_s));
    EXPECT_EQ(harness.model().profiles().activeID, profiles.profiles[0].id);
}

// Rows chosen in the open menu and what they do.
struct ChoiceCase {
    const char *name;
    QString row;
    bool option;
    QString expected;
};

void PrintTo(const ChoiceCase &c, std::ostream *out) {
    *out << c.name;
}

class StatusMenuChoiceTest : public ShellTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(StatusMenuChoiceTest, TheRowRunsItsCommandAfterTheMenuCloses) {
    const ChoiceCase &c = GetParam();
    store(settled());
    launched();
    clickIcon();
    SimMenus &menus = harness.desktop().menus();
    ASSERT_TRUE(menus.isTracking());
    calls.clear();
    bool openDuringCommand = true;
    QObject::connect(&menus, &MenuPresenter::menuClosed,
                     [&] { openDuringCommand = !calls.isEmpty(); });

    menus.userHoldsOption(c.option);
    ASSERT_TRUE(menus.userChooses(c.row));
    clock.settle();
    EXPECT_FALSE(menus.isTracking());
    EXPECT_FALSE(openDuringCommand);
    ASSERT_FALSE(calls.isEmpty());
    EXPECT_EQ(calls.first(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StatusMenuChoiceTest,
    ::testing::Values(
        ChoiceCase{"About", u"About Zorv"_s, false, u"about"_s},
        ChoiceCase{"Settings", u"Settings…"_s, false, u"settings(-)"_s},
        ChoiceCase{"Reveal", u"Reveal Hidden Items"_s, false, u"engine.toggleRevealed(0)"_s},
        ChoiceCase{"RevealAll", u"Reveal All Items"_s, true, u"engine.toggleRevealed(1)"_s},
        ChoiceCase{"Search", u"Search Menu Bar Items…"_s, false, u"search.show"_s},
        ChoiceCase{"Sort", u"Sort My Bar"_s, false, u"engine.reconcile:sort-my-bar"_s},
        ChoiceCase{"Tour", u"Welcome Tour…"_s, false, u"onboarding"_s},
        ChoiceCase{"Report", u"Report a Problem…"_s, false, u"report(-)"_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ShellTest, QuitTerminatesAndTheWebSiteOpens) {
    store(settled());
    launched();
    clickIcon();
    ASSERT_TRUE(harness.desktop().menus().userChooses(u"Zorv Website"_s));
    EXPECT_EQ(harness.workspace().openedUrls(), QList<QUrl>{ShellCommands::website});
    clickIcon();
    ASSERT_TRUE(harness.desktop().menus().userChooses(u"Quit Zorv"_s));
    EXPECT_TRUE(harness.desktop().application().isTerminated());
}

} // namespace
} // namespace zorv
