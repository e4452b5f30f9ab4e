#include "application/menufixture.h"

#include "statusitembutton.h"

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

// Where a menu and its submenu are placed on the 1512 x 982 laptop, whose visible frame starts
// below the bar.
struct MenuPlaceCase {
    const char *name;
    // How far left of the icon the menu opens.
    double shift;
    // The status menu's first row and the profiles submenu's rows.
    QString firstRow;
    QStringList profiles;
    // Where the submenu opens when it fits beside the menu.
    enum class Side { Right, Left, Over } side;
};

void PrintTo(const MenuPlaceCase &c, std::ostream *out) {
    *out << c.name;
}

class MenuPlaceTest : public ApplicationMenusTest,
                      public ::testing::WithParamInterface<MenuPlaceCase> {
protected:
    std::shared_ptr<Menu> menuFor(const MenuPlaceCase &c) {
        auto profiles = std::make_shared<Menu>();
        for (const QString &name : c.profiles) {
            profiles->items.append(row(name));
        }
        MenuItem profile;
        profile.title = u"Profile"_s;
        profile.submenu = profiles;
        auto menu = std::make_shared<Menu>();
        menu->items = {row(c.firstRow), MenuItem::separator(), profile, row(u"Quit Zorv"_s)};
        return menu;
    }
};

TEST_P(MenuPlaceTest, TheMenuAndItsSubmenuStayWithinTheScreen) {
    const MenuPlaceCase &c = GetParam();
    const QRectF visible(0, 24, 1512, 958);
    const auto window = icon->button()->window();
    ASSERT_TRUE(window.has_value());
    desktop.menus().popUp(menuFor(c), *icon->button(), QPointF(-c.shift, 28));
    ASSERT_TRUE(desktop.menus().isTracking());
    const QRectF menu = desktop.menus().frame();
    EXPECT_TRUE(visible.contains(menu)) << menu.x() << " " << menu.width();
    EXPECT_DOUBLE_EQ(menu.top(), 28.0);
    EXPECT_DOUBLE_EQ(menu.width(),
                     std::min(desktop.menus().naturalWidth(*desktop.menus().openMenu()), 1512.0));

    ASSERT_TRUE(desktop.menus().userHovers(u"Profile"_s));
    const QRectF submenu = desktop.menus().submenuFrame();
    EXPECT_TRUE(visible.contains(submenu)) << submenu.x() << " " << submenu.width();
    EXPECT_DOUBLE_EQ(
        submenu.width(),
        std::min(desktop.menus().naturalWidth(*desktop.menus().openSubmenu()), 1512.0));
    switch (c.side) {
    case MenuPlaceCase::Side::Right:
        EXPECT_DOUBLE_EQ(submenu.left(), menu.right() - SimMenus::submenuOverlap);
        break;
    case MenuPlaceCase::Side::Left:
        EXPECT_DOUBLE_EQ(submenu.right(), menu.left() + SimMenus::submenuOverlap);
        break;
    case MenuPlaceCase::Side::Over:
        EXPECT_TRUE(submenu.intersects(menu));
        break;
    }
    if (c.side != MenuPlaceCase::Side::Over) {
        EXPECT_DOUBLE_EQ(submenu.top(),
                         menu.top() + SimMenus::rowHeight + SimMenus::separatorHeight)
            << "its first row level with the Profile row";
    }
}

const QString longName = QString(322, u'W');

INSTANTIATE_TEST_SUITE_P(
    Places, MenuPlaceTest,
    ::testing::Values(
        MenuPlaceCase{"NearTheRightEdge",
                      0.0,
                      u"Reveal Hidden Items"_s,
                      {u"Work"_s},
                      MenuPlaceCase::Side::Left},
        MenuPlaceCase{
            "FarFromIt", 900.0, u"Reveal Hidden Items"_s, {u"Work"_s}, MenuPlaceCase::Side::Right},
        MenuPlaceCase{"AVeryWideSubmenuRow",
                      900.0,
                      u"Reveal Hidden Items"_s,
                      {u"Work"_s, longName},
                      MenuPlaceCase::Side::Over},
        MenuPlaceCase{"AVeryWideMenuRow", 0.0, longName, {u"Work"_s}, MenuPlaceCase::Side::Over},
        MenuPlaceCase{"PastTheLeftEdge",
                      2000.0,
                      u"Reveal Hidden Items"_s,
                      {u"Work"_s},
                      MenuPlaceCase::Side::Right}),
    [](const auto &info) { return std::string(info.param.name); });

// A submenu whose rows would reach below the screen moves up to end at its bottom.
TEST_F(ApplicationMenusTest, ATallSubmenuMovesUpToTheScreensBottom) {
    auto profiles = std::make_shared<Menu>();
    for (int index = 0; index < 30; ++index) {
        profiles->items.append(row(u"Profile %1"_s.arg(index)));
    }
    auto menu = std::make_shared<Menu>();
    for (int index = 0; index < 30; ++index) {
        menu->items.append(row(u"Row %1"_s.arg(index)));
    }
    MenuItem profile;
    profile.title = u"Profile"_s;
    profile.submenu = profiles;
    menu->items.append(profile);
    desktop.menus().popUp(menu, *icon->button(), QPointF(-600, 28));
    ASSERT_TRUE(desktop.menus().userHovers(u"Profile"_s));

    const QRectF submenu = desktop.menus().submenuFrame();
    EXPECT_DOUBLE_EQ(submenu.bottom(), 982.0);
    EXPECT_GE(submenu.top(), 24.0);
}

// A menu and its submenu, each with so many rows.
struct TallMenuCase {
    const char *name;
    int menuRows;
    int submenuRows;
};

void PrintTo(const TallMenuCase &c, std::ostream *out) {
    *out << c.name;
}

class TallMenuTest : public ApplicationMenusTest,
                     public ::testing::WithParamInterface<TallMenuCase> {};

// A menu or submenu taller than the screen starts right below the bar and runs past the bottom
// edge: its first rows stay where they can be reached.
TEST_P(TallMenuTest, ItsTopStaysBelowTheBar) {
    const TallMenuCase &c = GetParam();
    const auto rows = [this](int count) {
        auto menu = std::make_shared<Menu>();
        for (int index = 0; index < count; ++index) {
            menu->items.append(row(u"Row %1"_s.arg(index)));
        }
        return menu;
    };
    MenuItem profile;
    profile.title = u"Profile"_s;
    profile.submenu = rows(c.submenuRows);
    const std::shared_ptr<Menu> menu = rows(c.menuRows);
    menu->items.prepend(profile);
    desktop.menus().popUp(menu, *icon->button(), QPointF(-600, 28));
    ASSERT_TRUE(desktop.menus().userHovers(u"Profile"_s));

    const auto expectPlaced = [](const QRectF &frame, int rowCount, const char *which) {
        const bool tall = rowCount * SimMenus::rowHeight > 958;
        EXPECT_GE(frame.top(), 24.0) << which;
        if (tall) {
            EXPECT_DOUBLE_EQ(frame.top(), 24.0) << which;
            EXPECT_GT(frame.bottom(), 982.0) << which;
        } else {
            EXPECT_LE(frame.bottom(), 982.0) << which;
        }
    };
    expectPlaced(desktop.menus().frame(), c.menuRows + 1, "menu");
    expectPlaced(desktop.menus().submenuFrame(), c.submenuRows, "submenu");
}

INSTANTIATE_TEST_SUITE_P(Places, TallMenuTest,
                         ::testing::Values(TallMenuCase{"TheMenu", 60, 3},
                                           TallMenuCase{"TheSubmenu", 3, 60},
                                           TallMenuCase{"Both", 60, 60}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv::testing
