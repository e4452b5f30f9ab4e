#include "menus/barmenutitles.h"
#include "shellfixture.h"

#include <QWindow>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

class DockPresenceTest : public ShellTest {
protected:
    SimApplication &app() { return harness.desktop().application(); }
};

TEST_F(DockPresenceTest, TheStoredChoiceIsAppliedBeforeLaunch) {
    Settings settings = settled();
    settings.showInDockAndSwitcher = false;
    store(settings);
    build();
    EXPECT_EQ(app().activationPolicy(), ActivationPolicy::Accessory);
    EXPECT_EQ(app().mainMenu(), nullptr);
}

TEST_F(DockPresenceTest, SwitchingInAndOutKeepsOneMainMenu) {
    store(settled());
    build();
    ASSERT_EQ(app().activationPolicy(), ActivationPolicy::Regular) << "in the Dock by default";
    const auto menu = app().mainMenu();
    ASSERT_NE(menu, nullptr);
    QStringList titles;
    for (const MenuItem &item : menu->items) {
        titles.append(item.title);
    }
    EXPECT_EQ(titles, (QStringList{u"Zorv"_s, u"Menu Bar"_s, u"Edit"_s, u"Window"_s, u"Help"_s}));
    EXPECT_EQ(menu->items[3].submenu->role, MenuRole::Windows);
    EXPECT_EQ(menu->items[4].submenu->role, MenuRole::Help);

    shell->dockPresence().apply(false);
    EXPECT_EQ(app().activationPolicy(), ActivationPolicy::Accessory);
    EXPECT_EQ(app().mainMenu(), nullptr);
    shell->dockPresence().apply(true);
    shell->dockPresence().apply(true);
    EXPECT_EQ(app().activationPolicy(), ActivationPolicy::Regular);
    EXPECT_EQ(app().mainMenu(), menu) << "built once, reused";
}

// The Menu Bar menu's search row shows the panel, as the status menu's does: choosing it while the
// panel is open must not close it.
TEST_F(DockPresenceTest, TheSearchRowOfTheMainMenuShowsThePanel) {
    store(settled());
    build();
    const auto menu = app().mainMenu();
    ASSERT_NE(menu, nullptr);
    const auto &rows = menu->items[1].submenu->items;
    const auto search = std::ranges::find_if(
        rows, [](const MenuItem &row) { return row.title == u"Search Menu Bar Items…"_s; });
    ASSERT_NE(search, rows.end());
    ASSERT_TRUE(search->action);
    search->action();
    EXPECT_EQ(calls, QStringList{u"search.show"_s});
}

TEST_F(DockPresenceTest, OpenWindowsStayInFrontAndTheLastIsKey) {
    Settings settings = settled();
    settings.showInDockAndSwitcher = false;
    store(settings);
    build();
    QWindow first;
    QWindow second;
    auto firstWindow = harness.desktop().appWindows().adopt(first);
    auto secondWindow = harness.desktop().appWindows().adopt(second);
    firstWindow->makeKeyAndOrderFront();
    secondWindow->makeKeyAndOrderFront();

    shell->dockPresence().apply(true);
    EXPECT_TRUE(firstWindow->isVisible());
    EXPECT_TRUE(secondWindow->isVisible());
    EXPECT_EQ(harness.desktop().appWindows().keyWindow(), secondWindow.get());
    EXPECT_TRUE(app().isActive());
    clock.advance(seconds(DockPresence::settleSeconds));
    clock.settle();
    EXPECT_TRUE(secondWindow->isVisible());

    shell->dockPresence().apply(false);
    EXPECT_TRUE(firstWindow->isVisible()) << "windows stay when leaving the Dock";
}

// How Zorv quit before the key press: not at all, with its status menu or the Zorv menu of its
// main menu open (then launched again), or with nothing open and not launched again.
enum class Quit { notQuit, withStatusMenuOpen, withZorvMenuOpen, notRelaunched };

// Key presses while Zorv is the regular frontmost application, and the main-menu row they run
// (nothing for an empty `expected`); after a quit, only the running Zorv's keys act.
struct MainMenuKey {
    const char *name;
    quint16 keyCode;
    quint64 flags;
    QString expected;
    Quit quit = Quit::notQuit;
};

void PrintTo(const MainMenuKey &c, std::ostream *out) {
    *out << c.name;
}

class MainMenuKeyTest : public DockPresenceTest, public ::testing::WithParamInterface<MainMenuKey> {
protected:
    void openZorvMenu() {
        SimulatedDesktop &mac = harness.desktop();
        const BarMenuTitle title = mac.model().read([&](const DesktopState &state) {
            return BarMenuTitles::on(state, clock.now(), state.screens.first().displayId).value(0);
        });
        mac.userInput().click(title.frame.center());
        clock.settle();
    }

    void quitZorv(Quit quit) {
        if (quit == Quit::withStatusMenuOpen) {
            clickIcon();
        } else if (quit == Quit::withZorvMenuOpen) {
            openZorvMenu();
        }
        SimMenus &menus = harness.desktop().menus();
        ASSERT_EQ(menus.isTracking(), quit != Quit::notRelaunched);
        shell.reset();
        harness.quit();
        EXPECT_FALSE(menus.isTracking()) << "the quit Zorv's menu stays open";
        if (quit != Quit::notRelaunched) {
            launched();
            app().activate(true);
        }
    }
};

TEST_P(MainMenuKeyTest, TheRowOfTheKeyEquivalentRuns) {
    store(settled());
    launched();
    app().activate(true);
    if (GetParam().quit != Quit::notQuit) {
        ASSERT_NO_FATAL_FAILURE(quitZorv(GetParam().quit));
    }
    calls.clear();
    harness.desktop().userInput().pressKey(GetParam().keyCode, GetParam().flags);
    clock.settle();
    const QString &expected = GetParam().expected;
    if (expected == u"hidden"_s) {
        EXPECT_TRUE(app().isHidden());
        EXPECT_FALSE(app().othersHidden());
    } else if (expected == u"others hidden"_s) {
        EXPECT_FALSE(app().isHidden());
        EXPECT_TRUE(app().othersHidden());
    } else if (expected == u"(website)"_s) {
        EXPECT_EQ(harness.workspace().openedUrls(), QList<QUrl>{ShellCommands::website});
    } else {
        EXPECT_EQ(calls, expected.isEmpty() ? QStringList() : QStringList{expected});
    }
}

constexpr quint64 cmd = EventFlags::command;

INSTANTIATE_TEST_SUITE_P(
    Keys, MainMenuKeyTest,
    ::testing::Values(MainMenuKey{"HideZorv", 4, cmd, u"hidden"_s},
                      MainMenuKey{"HideOthers", 4, cmd | EventFlags::option, u"others hidden"_s},
                      MainMenuKey{"Settings", 43, cmd, u"settings(-)"_s},
                      MainMenuKey{"Website", 44, cmd | EventFlags::shift, u"(website)"_s},
                      MainMenuKey{"SearchKeyAfterARelaunchFromTheStatusMenu", 3,
                                  cmd | EventFlags::option, u"search.toggle"_s,
                                  Quit::withStatusMenuOpen},
                      MainMenuKey{"SettingsAfterARelaunchFromTheZorvMenu", 43, cmd,
                                  u"settings(-)"_s, Quit::withZorvMenuOpen},
                      MainMenuKey{"NothingOnceQuit", 43, cmd, {}, Quit::notRelaunched}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
