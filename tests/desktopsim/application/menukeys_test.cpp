#include "application/menufixture.h"

#include "input/keylayout.h"
#include "menus/menukeys.h"

#include <ostream>

namespace zorv::testing {
namespace {

MenuItem plainRow(const QString &title, bool enabled = true, bool acts = true) {
    MenuItem item;
    item.title = title;
    item.enabled = enabled;
    if (acts) {
        item.action = [] {};
    }
    return item;
}

// A header that cannot be chosen, a separator, a row, a disabled row, a row that does nothing,
// another separator, a row, and a row with a submenu.
Menu steppedMenu() {
    Menu menu;
    MenuItem submenuRow = plainRow(QStringLiteral("Profile"), true, false);
    submenuRow.submenu = std::make_shared<Menu>();
    menu.items = {plainRow(QStringLiteral("Header"), false),
                  MenuItem::separator(),
                  plainRow(QStringLiteral("About")),
                  plainRow(QStringLiteral("Disabled"), false),
                  plainRow(QStringLiteral("Inert"), true, false),
                  MenuItem::separator(),
                  plainRow(QStringLiteral("Settings")),
                  submenuRow};
    return menu;
}

struct StepCase {
    const char *name;
    QList<int> shown;
    int from;
    int direction;
    int expected;
};

void PrintTo(const StepCase &c, std::ostream *out) {
    *out << c.name;
}

class MenuStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(MenuStepTest, TheHighlightStopsOnlyOnRowsThatCanBeChosen) {
    const StepCase &c = GetParam();
    EXPECT_EQ(MenuKeys::step(steppedMenu(), c.shown, c.from, c.direction), c.expected);
}

const QList<int> allRows{0, 1, 2, 3, 4, 5, 6, 7};

INSTANTIATE_TEST_SUITE_P(
    Steps, MenuStepTest,
    ::testing::Values(StepCase{"DownSkipsDisabledInertAndSeparators", allRows, 2, 1, 6},
                      StepCase{"ARowNotShownCountsAsNone", {0, 1, 2, 6}, 7, 1, 2},
                      StepCase{"OnlyShownRowsAreVisited", {0, 2, 3, 4}, 2, 1, 2},
                      StepCase{"NothingToChoose", {0, 1, 3, 4, 5}, -1, 1, -1},
                      StepCase{"NoRowsAtAll", {}, -1, 1, -1}),
    [](const auto &info) { return std::string(info.param.name); });

// The keyboard in the open menu, as the user presses keys on the simulated Mac.
struct KeysCase {
    const char *name;
    // Key codes, each pressed with `flags`.
    QList<quint16> keys;
    quint64 flags;
    QStringList ran;
    bool stillOpen;
};

void PrintTo(const KeysCase &c, std::ostream *out) {
    *out << c.name;
}

constexpr quint16 down = KeyCode::downArrow;
constexpr quint16 up = KeyCode::upArrow;
constexpr quint16 left = KeyCode::leftArrow;
constexpr quint16 right = KeyCode::rightArrow;
constexpr quint16 returnKey = KeyCode::returnKey;

quint16 keyOf(char character) {
    return KeyLayout::stroke(QChar::fromLatin1(character))->keyCode;
}

class MenuKeysTest : public ApplicationMenusTest, public ::testing::WithParamInterface<KeysCase> {
protected:
    // The header, the reveal row and its Option alternate, a disabled row, the profiles
    // submenu (Home with Command-H), a separator and Quit with Command-Q.
    std::shared_ptr<Menu> keyedMenu() {
        auto menu = std::make_shared<Menu>();
        MenuItem header = row(QStringLiteral("Header"));
        header.enabled = false;
        MenuItem all = row(QStringLiteral("Reveal All Items"));
        all.alternate = true;
        all.keyEquivalentModifiers = EventFlags::option;
        MenuItem sort = row(QStringLiteral("Sort My Bar"));
        sort.enabled = false;
        auto profiles = std::make_shared<Menu>();
        profiles->items = {row(QStringLiteral("Work")),
                           row(QStringLiteral("Home"), QStringLiteral("h"))};
        MenuItem profile;
        profile.title = QStringLiteral("Profile");
        profile.submenu = profiles;
        menu->items = {header,
                       row(QStringLiteral("Reveal Hidden Items")),
                       all,
                       sort,
                       profile,
                       MenuItem::separator(),
                       row(QStringLiteral("Quit Zorv"), QStringLiteral("q"))};
        return menu;
    }
};

TEST_P(MenuKeysTest, KeysMoveChooseAndClose) {
    const KeysCase &c = GetParam();
    const auto window = icon->button()->window();
    ASSERT_TRUE(window.has_value());
    desktop.menus().popUp(keyedMenu(), *icon->button(), QPointF(0, window->frame.height() + 4));
    ASSERT_TRUE(desktop.menus().isTracking());
    QList<MonitoredEvent> seen;
    ASSERT_TRUE(desktop.eventMonitors().addGlobalMonitor(
        EventMask::keyDown, [&](const MonitoredEvent &event) { seen.append(event); }));

    for (const quint16 key : c.keys) {
        desktop.userInput().pressKey(key, c.flags);
    }
    settle();
    EXPECT_EQ(ran, c.ran);
    EXPECT_EQ(desktop.menus().isTracking(), c.stillOpen);
    for (const std::optional<AppEvent> &event : events) {
        ASSERT_TRUE(event.has_value());
        EXPECT_EQ(event->type, EventType::KeyDown) << "the row ran as the key's";
        EXPECT_EQ(event->modifierFlags, c.flags);
    }
    EXPECT_TRUE(seen.isEmpty()) << "the menu had the keys";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MenuKeysTest,
    ::testing::Values(
        KeysCase{"DownReturnChoosesTheFirstRowPastTheHeader",
                 {down, returnKey},
                 0,
                 {QStringLiteral("Reveal Hidden Items")},
                 false},
        KeysCase{"DownSkipsTheDisabledRowAndTheSeparator",
                 {down, down, down, returnKey},
                 0,
                 {QStringLiteral("Quit Zorv")},
                 false},
        KeysCase{
            "UpFromNoneTakesTheLastRow", {up, returnKey}, 0, {QStringLiteral("Quit Zorv")}, false},
        KeysCase{"DownGoesRoundFromTheLastRow",
                 {down, down, down, down, returnKey},
                 0,
                 {QStringLiteral("Reveal Hidden Items")},
                 false},
        KeysCase{"EnterChooses",
                 {down, KeyCode::enter},
                 0,
                 {QStringLiteral("Reveal Hidden Items")},
                 false},
        KeysCase{"SpaceChooses",
                 {down, KeyCode::space},
                 0,
                 {QStringLiteral("Reveal Hidden Items")},
                 false},
        KeysCase{"OptionHeldChoosesTheAlternate",
                 {down, returnKey},
                 EventFlags::option,
                 {QStringLiteral("Reveal All Items")},
                 false},
        KeysCase{"ReturnWithNothingHighlightedClosesRunningNothing", {returnKey}, 0, {}, false},
        KeysCase{"EscapeClosesRunningNothing", {down, KeyCode::escape}, 0, {}, false},
        KeysCase{"ReturnOnASubmenuRowGoesIntoIt",
                 {down, down, returnKey, returnKey},
                 0,
                 {QStringLiteral("Work")},
                 false},
        KeysCase{"RightEntersTheSubmenuAndDownMovesInIt",
                 {down, down, right, down, returnKey},
                 0,
                 {QStringLiteral("Home")},
                 false},
        KeysCase{"LeftLeavesTheSubmenu",
                 {down, down, right, left, down, returnKey},
                 0,
                 {QStringLiteral("Quit Zorv")},
                 false},
        KeysCase{"RightOnARowWithoutASubmenuDoesNothing",
                 {down, right, returnKey},
                 0,
                 {QStringLiteral("Reveal Hidden Items")},
                 false},
        KeysCase{"CommandQChoosesQuit",
                 {keyOf('q')},
                 EventFlags::command,
                 {QStringLiteral("Quit Zorv")},
                 false},
        KeysCase{"AnEquivalentInTheSubmenuCounts",
                 {keyOf('h')},
                 EventFlags::command,
                 {QStringLiteral("Home")},
                 false},
        KeysCase{"QWithoutCommandLeavesTheMenuOpen", {keyOf('q')}, 0, {}, true},
        KeysCase{"OptionCommandQIsNotQuit",
                 {keyOf('q')},
                 EventFlags::option | EventFlags::command,
                 {},
                 true},
        KeysCase{"ControlQIsNotQuit", {keyOf('q')}, EventFlags::control, {}, true},
        KeysCase{"ArrowsAloneChooseNothing", {down, up, down}, 0, {}, true}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv::testing
