#include "application/menufixture.h"
#include "application/menubartitles.h"

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

TEST_F(ApplicationMenusTest, TheMenuOpensBelowTheIconAndStaysOnTheScreen) {
    const auto window = icon->button()->window();
    ASSERT_TRUE(window.has_value());
    desktop.menus().popUp(statusMenu(), *icon->button(), QPointF(0, window->frame.height() + 4));

    ASSERT_TRUE(desktop.menus().isTracking());
    const QRectF frame = desktop.menus().frame();
    EXPECT_DOUBLE_EQ(frame.top(), window->frame.height() + 4);
    EXPECT_LE(frame.right(), 1512.0);
    EXPECT_LE(frame.left(), window->frame.x());
    EXPECT_DOUBLE_EQ(frame.height(), 2 * SimMenus::verticalPadding + 3 * SimMenus::rowHeight +
                                         SimMenus::separatorHeight)
        << "the alternate row takes no room of its own";
}

TEST_F(ApplicationMenusTest, OptionShowsTheAlternateInPlaceOfItsRow) {
    desktop.menus().popUp(statusMenu(), *icon->button(), QPointF(0, 28));
    EXPECT_EQ(desktop.menus().shownRows(), (QList<int>{0, 2, 3, 4}));
    EXPECT_FALSE(desktop.menus().userHovers(QStringLiteral("Reveal All Items")));

    desktop.menus().userHoldsOption(true);
    EXPECT_EQ(desktop.menus().shownRows(), (QList<int>{1, 2, 3, 4}));
    ASSERT_TRUE(desktop.menus().userChooses(QStringLiteral("Reveal All Items")));

    EXPECT_EQ(ran, QStringList{QStringLiteral("Reveal All Items")});
    EXPECT_EQ(menuOpenDuringAction, QList<bool>{false}) << "the menu closes before the action";
    ASSERT_TRUE(events.first().has_value());
    EXPECT_EQ(events.first()->modifierFlags, EventFlags::option);
    EXPECT_FALSE(desktop.application().currentEvent().has_value());
}

TEST_F(ApplicationMenusTest, ASubmenuRowIsChosenFromTheHoveredRow) {
    desktop.menus().popUp(statusMenu(), *icon->button(), QPointF(0, 28));
    EXPECT_FALSE(desktop.menus().userChooses(QStringLiteral("Home")));
    ASSERT_TRUE(desktop.menus().userHovers(QStringLiteral("Profile")));
    ASSERT_NE(desktop.menus().openSubmenu(), nullptr);
    ASSERT_TRUE(desktop.menus().userChooses(QStringLiteral("Home")));
    EXPECT_EQ(ran, QStringList{QStringLiteral("Home")});
    EXPECT_FALSE(desktop.menus().isTracking());
}

TEST_F(ApplicationMenusTest, AViewRowGoesToTheViewHandlerWhenOneTakesIt) {
    auto menu = statusMenu();
    menu->items[4].view = MenuItemView{};
    QList<int> handed;
    desktop.menus().setViewHandler([&](int index) {
        handed.append(index);
        return true;
    });
    desktop.menus().popUp(menu, *icon->button(), QPointF(0, 28));
    ASSERT_TRUE(desktop.menus().userChooses(QStringLiteral("Quit Zorv")));
    EXPECT_EQ(handed, QList<int>{4});
    EXPECT_TRUE(ran.isEmpty());
}

TEST_F(ApplicationMenusTest, DismissingRunsNothing) {
    desktop.menus().popUp(statusMenu(), *icon->button(), QPointF(0, 28));
    desktop.menus().userDismisses();
    EXPECT_FALSE(desktop.menus().isTracking());
    EXPECT_TRUE(ran.isEmpty());
}

// A key press while Zorv is the frontmost regular application, and the main-menu row it runs.
struct KeyEquivalentCase {
    const char *name;
    quint16 keyCode;
    quint64 flags;
    ActivationPolicy policy;
    QString expected;
};

void PrintTo(const KeyEquivalentCase &c, std::ostream *out) {
    *out << c.name;
}

class MainMenuKeyTest : public ApplicationMenusTest,
                        public ::testing::WithParamInterface<KeyEquivalentCase> {};

TEST_P(MainMenuKeyTest, TheMatchingRowRuns) {
    const KeyEquivalentCase &c = GetParam();
    auto appMenu = std::make_shared<Menu>();
    appMenu->items = {row(QStringLiteral("Hide Zorv"), QStringLiteral("h")),
                      row(QStringLiteral("Hide Others"), QStringLiteral("h"),
                          EventFlags::option | EventFlags::command),
                      row(QStringLiteral("Zorv Website"), QStringLiteral("?"))};
    MenuItem top;
    top.title = QStringLiteral("Zorv");
    top.submenu = appMenu;
    auto main = std::make_shared<Menu>();
    main->items = {top};
    desktop.application().setMainMenu(main);
    desktop.application().setActivationPolicy(c.policy);
    desktop.application().activate(true);

    desktop.userInput().pressKey(c.keyCode, c.flags);
    settle();
    EXPECT_EQ(ran, c.expected.isEmpty() ? QStringList{} : QStringList{c.expected});
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MainMenuKeyTest,
    ::testing::Values(
        KeyEquivalentCase{"CommandH", 4, EventFlags::command, ActivationPolicy::Regular,
                          QStringLiteral("Hide Zorv")},
        KeyEquivalentCase{"OptionCommandH", 4, EventFlags::option | EventFlags::command,
                          ActivationPolicy::Regular, QStringLiteral("Hide Others")},
        KeyEquivalentCase{"ShiftCommandSlash", 44, EventFlags::shift | EventFlags::command,
                          ActivationPolicy::Regular, QStringLiteral("Zorv Website")},
        KeyEquivalentCase{"ControlCommandH", 4, EventFlags::control | EventFlags::command,
                          ActivationPolicy::Regular, QString()},
        KeyEquivalentCase{"AccessoryHasNoMainMenu", 4, EventFlags::command,
                          ActivationPolicy::Accessory, QString()}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ApplicationMenusTest, TerminatingAnnouncesItselfFirstAndReopeningTellsOfWindows) {
    QStringList signals;
    QObject::connect(&desktop.application(), &Application::willTerminate,
                     [&] { signals.append(QStringLiteral("will")); });
    QObject::connect(&desktop.application(), &Application::terminated,
                     [&] { signals.append(QStringLiteral("ended")); });
    QObject::connect(&desktop.application(), &Application::reopenRequested, [&](bool visible) {
        signals.append(visible ? QStringLiteral("reopen with windows") : QStringLiteral("reopen"));
    });
    desktop.application().userReopens();
    desktop.application().terminate();
    desktop.application().terminate();
    EXPECT_EQ(signals, (QStringList{QStringLiteral("reopen"), QStringLiteral("will"),
                                    QStringLiteral("ended")}));
}

TEST_F(ApplicationMenusTest, HidingHandsTheFrontBackAndActivatingUnhides) {
    const qint32 editor = launch(QStringLiteral("com.example.editor"));
    desktop.applications().activate(editor);
    desktop.application().activate(true);
    ASSERT_TRUE(desktop.application().isActive());

    desktop.application().hide();
    EXPECT_TRUE(desktop.application().isHidden());
    EXPECT_EQ(desktop.applications().frontmostProcessId(), editor);

    desktop.application().activate(true);
    EXPECT_FALSE(desktop.application().isHidden());
    EXPECT_TRUE(desktop.application().isActive());
}

// While in front, the application's menus reach as far as its main menu's titles do, and the
// Apple menu alone once it has none.
TEST_F(ApplicationMenusTest, TheMainMenuSetsHowFarTheApplicationsMenusReach) {
    auto mainMenu = std::make_shared<Menu>();
    for (const char *title : {"Zorv", "Menu Bar", "Edit"}) {
        MenuItem item;
        item.title = QString::fromLatin1(title);
        item.submenu = std::make_shared<Menu>();
        mainMenu->items.append(item);
    }
    mainMenu->items.insert(1, MenuItem::separator());
    const struct {
        const char *name;
        std::shared_ptr<const Menu> menu;
        QStringList titles;
    } cases[] = {
        {"main menu", mainMenu, {u"Zorv"_s, u"Menu Bar"_s, u"Edit"_s}},
        {"none", nullptr, {}},
    };
    for (const auto &[name, menu, titles] : cases) {
        SCOPED_TRACE(name);
        desktop.application().setMainMenu(menu);
        const AppRecord self = desktop.model().read(
            [](const DesktopState &state) { return *state.app(state.currentProcessId); });
        EXPECT_EQ(self.menuTitles, titles);
        EXPECT_EQ(self.menusWidth, MenuBarTitles::menusWidth(titles));
        EXPECT_GE(self.menusWidth, MenuBarTitles::leftMargin + MenuBarTitles::appleMenuWidth);
    }
    EXPECT_GT(MenuBarTitles::menusWidth({u"Zorv"_s, u"Menu Bar"_s}),
              MenuBarTitles::menusWidth({u"Zorv"_s}) + MenuBarTitles::padding * 2);
}

} // namespace
} // namespace zorv::testing
