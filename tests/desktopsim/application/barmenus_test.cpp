#include "application/menufixture.h"

#include "application/menubartitles.h"
#include "menus/menukeys.h"

#include <functional>
#include <ostream>

namespace zorv::testing {
namespace {

const QStringList titles{QStringLiteral("Zorv"), QStringLiteral("Menu Bar"),
                         QStringLiteral("Window")};

// This application in front with a main menu of three menus, as a regular application.
class BarMenusTest : public ApplicationMenusTest {
protected:
    BarMenusTest() {
        const QList<QStringList> rows{
            {QStringLiteral("About Zorv"), QStringLiteral("Quit Zorv")},
            {QStringLiteral("Sort My Bar"), QStringLiteral("Welcome Tour…")},
            {QStringLiteral("Zoom"), QStringLiteral("Bring All to Front")}};
        auto main = std::make_shared<Menu>();
        for (qsizetype index = 0; index < titles.size(); ++index) {
            auto menu = std::make_shared<Menu>();
            for (const QString &title : rows[index]) {
                menu->items.append(row(title));
            }
            MenuItem top;
            top.title = titles[index];
            top.submenu = menu;
            main->items.append(top);
        }
        desktop.application().setMainMenu(main);
        desktop.application().setActivationPolicy(ActivationPolicy::Regular);
        desktop.application().activate(true);
        settle();
    }

    // The title's place on the laptop's bar, as the bar lays the titles out.
    static QRectF titleFrame(int index) {
        double x = MenuBarTitles::leftMargin + MenuBarTitles::appleMenuWidth;
        for (int before = 0; before < index; ++before) {
            x += MenuBarTitles::titleWidth(titles[before], before == 0);
        }
        return {x, 0, MenuBarTitles::titleWidth(titles[index], index == 0), 24};
    }

    void clickTitle(int index) { desktop.userInput().click(titleFrame(index).center()); }

    [[nodiscard]] QString firstRowOfOpenMenu() {
        const auto &menu = desktop.menus().openMenu();
        return menu ? menu->items.value(0).title : QString();
    }
};

TEST_F(BarMenusTest, AClickOnATitleOpensItsMenuBelowItAndARowActs) {
    clickTitle(1);
    ASSERT_TRUE(desktop.menus().isTracking()) << "the release leaves the menu open";
    ASSERT_TRUE(desktop.menus().barTitle().has_value());
    EXPECT_EQ(desktop.menus().barTitle()->index, 1);
    EXPECT_EQ(firstRowOfOpenMenu(), QStringLiteral("Sort My Bar"));
    EXPECT_EQ(desktop.menus().frame().topLeft(), titleFrame(1).bottomLeft());

    const QRectF frame = desktop.menus().frame();
    const QPointF firstRow(frame.center().x(),
                           frame.top() + SimMenus::verticalPadding + SimMenus::rowHeight / 2);
    desktop.userInput().moveMouse(firstRow);
    desktop.userInput().click(firstRow);
    EXPECT_EQ(ran, QStringList{QStringLiteral("Sort My Bar")});
    EXPECT_FALSE(desktop.menus().isTracking());
}

class BarMenuMovesTest;

// What the user does once the "Menu Bar" menu is open.
struct BarCase {
    const char *name;
    std::function<void(BarMenuMovesTest &)> act;
    // The title whose menu is open afterwards, -1 for none.
    int open;
    // The row highlighted in it, empty for none.
    QString highlighted;
};

void PrintTo(const BarCase &c, std::ostream *out) {
    *out << c.name;
}

class BarMenuMovesTest : public BarMenusTest, public ::testing::WithParamInterface<BarCase> {
public:
    void press(quint16 key) { desktop.userInput().pressKey(key); }
    void moveTo(int title) { desktop.userInput().moveMouse(titleFrame(title).center()); }
    void click(int title) { clickTitle(title); }
};

TEST_P(BarMenuMovesTest, TheOpenMenuFollowsThePointerAndTheArrowsAlongTheBar) {
    const BarCase &c = GetParam();
    clickTitle(1);
    ASSERT_TRUE(desktop.menus().isTracking());
    c.act(*this);
    const auto &title = desktop.menus().barTitle();
    EXPECT_EQ(title ? title->index : -1, c.open);
    EXPECT_EQ(desktop.menus().isTracking(), c.open >= 0);
    if (c.open >= 0) {
        EXPECT_EQ(desktop.menus().frame().left(), titleFrame(c.open).left());
    }
    const int highlighted = desktop.menus().highlightedRow();
    EXPECT_EQ(highlighted >= 0 ? desktop.menus().openMenu()->items[highlighted].title : QString(),
              c.highlighted);
    EXPECT_TRUE(ran.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Moves, BarMenuMovesTest,
    ::testing::Values(
        BarCase{"ThePointerOnAnotherTitleOpensItsMenu",
                [](BarMenuMovesTest &t) { t.moveTo(2); },
                2,
                {}},
        BarCase{"RightOpensTheNextMenuWithItsFirstRowLit",
                [](BarMenuMovesTest &t) { t.press(KeyCode::rightArrow); }, 2,
                QStringLiteral("Zoom")},
        BarCase{"LeftOpensTheOneBefore", [](BarMenuMovesTest &t) { t.press(KeyCode::leftArrow); },
                0, QStringLiteral("About Zorv")},
        BarCase{"RightFromTheLastGoesRoundToTheFirst",
                [](BarMenuMovesTest &t) {
                    t.press(KeyCode::rightArrow);
                    t.press(KeyCode::rightArrow);
                },
                0, QStringLiteral("About Zorv")},
        BarCase{"AClickOnAnotherTitleOpensItsMenu", [](BarMenuMovesTest &t) { t.click(0); }, 0, {}},
        BarCase{"AClickOnTheOpenTitleClosesIt", [](BarMenuMovesTest &t) { t.click(1); }, -1, {}},
        BarCase{"EscapeClosesIt", [](BarMenuMovesTest &t) { t.press(KeyCode::escape); }, -1, {}}),
    [](const auto &info) { return std::string(info.param.name); });

// The titles answer only while this application is in front with menus of its own.
TEST_F(BarMenusTest, TitlesOpenNothingForAnApplicationBehindOrWithoutAMainMenu) {
    const qint32 other = launch(QStringLiteral("com.example.Other"), 200.0);
    desktop.applications().activate(other);
    settle();
    clickTitle(1);
    EXPECT_FALSE(desktop.menus().isTracking()) << "another application's menus are there";

    desktop.application().activate(true);
    desktop.application().setMainMenu(nullptr);
    settle();
    clickTitle(1);
    EXPECT_FALSE(desktop.menus().isTracking());
}

// A status menu open from the icon does not slide onto the bar's titles.
TEST_F(BarMenusTest, TheStatusMenuStaysWhenThePointerCrossesTheTitles) {
    const auto window = icon->button()->window();
    ASSERT_TRUE(window.has_value());
    desktop.menus().popUp(statusMenu(), *icon->button(), QPointF(0, window->frame.height() + 4));
    desktop.userInput().moveMouse(titleFrame(1).center());
    EXPECT_TRUE(desktop.menus().isTracking());
    EXPECT_FALSE(desktop.menus().barTitle().has_value());
    EXPECT_EQ(firstRowOfOpenMenu(), QStringLiteral("Reveal Hidden Items"));
}

} // namespace
} // namespace zorv::testing
