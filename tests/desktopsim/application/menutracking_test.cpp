#include "application/menufixture.h"

#include "statusitembutton.h"

namespace zorv::testing {
namespace {

// The open menu following the user's mouse and keyboard, as the window server hands them round.
class MenuTrackingTest : public ApplicationMenusTest {
protected:
    // Opens the status menu below the icon, shifted left by `shift` points.
    void open(double shift = 0.0) {
        const auto window = icon->button()->window();
        ASSERT_TRUE(window.has_value());
        desktop.menus().popUp(statusMenu(), *icon->button(),
                              QPointF(-shift, window->frame.height() + 4));
        ASSERT_TRUE(desktop.menus().isTracking());
    }

    // The middle of a shown row of a menu laid out in `frame`.
    static QPointF rowCentre(const Menu &menu, const QList<int> &shown, const QRectF &frame,
                             int row) {
        double top = frame.top() + SimMenus::verticalPadding;
        for (int index : shown) {
            const double height = SimMenus::heightOf(menu.items[index]);
            if (index == row) {
                return {frame.center().x(), top + height / 2};
            }
            top += height;
        }
        ADD_FAILURE() << "row " << row << " is not shown";
        return {};
    }

    QPointF menuRow(int row) {
        const SimMenus &menus = desktop.menus();
        return rowCentre(*menus.openMenu(), menus.shownRows(), menus.frame(), row);
    }

    QPointF submenuRow(int row) {
        const SimMenus &menus = desktop.menus();
        return rowCentre(*menus.openSubmenu(), menus.submenuShownRows(), menus.submenuFrame(), row);
    }

    static constexpr int profileRow = 3;
};

// Where the profiles submenu opens: right of the menu, or left of it when the screen's edge is
// too near.
struct SubmenuPlaceCase {
    const char *name;
    double shift;
    bool opensRight;
};

void PrintTo(const SubmenuPlaceCase &c, std::ostream *out) {
    *out << c.name;
}

class SubmenuPlaceTest : public MenuTrackingTest,
                         public ::testing::WithParamInterface<SubmenuPlaceCase> {};

TEST_P(SubmenuPlaceTest, HoveringTheRowOpensItsSubmenuLevelWithItAndAClickChoosesInIt) {
    const SubmenuPlaceCase &c = GetParam();
    open(c.shift);
    const QRectF menu = desktop.menus().frame();

    desktop.userInput().moveMouse(menuRow(profileRow));
    ASSERT_EQ(desktop.menus().highlightedRow(), profileRow);
    ASSERT_NE(desktop.menus().openSubmenu(), nullptr);
    const QRectF submenu = desktop.menus().submenuFrame();
    if (c.opensRight) {
        EXPECT_DOUBLE_EQ(submenu.left(), menu.right() - SimMenus::submenuOverlap);
    } else {
        EXPECT_DOUBLE_EQ(submenu.right(), menu.left() + SimMenus::submenuOverlap);
    }
    EXPECT_LE(submenu.right(), 1512.0);
    EXPECT_DOUBLE_EQ(submenuRow(0).y(), menuRow(profileRow).y()) << "first row level with it";

    desktop.userInput().moveMouse(submenuRow(1));
    EXPECT_EQ(desktop.menus().submenuHighlightedRow(), 1);
    EXPECT_EQ(desktop.menus().highlightedRow(), profileRow) << "the way in stays lit";
    desktop.userInput().click(submenuRow(1));
    EXPECT_EQ(ran, QStringList{QStringLiteral("Home")});
    EXPECT_FALSE(desktop.menus().isTracking());
}

INSTANTIATE_TEST_SUITE_P(Places, SubmenuPlaceTest,
                         ::testing::Values(SubmenuPlaceCase{"NearTheRightEdge", 0.0, false},
                                           SubmenuPlaceCase{"FarFromIt", 900.0, true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(MenuTrackingTest, ThePointerLightsTheRowUnderItAndLeavingKeepsOnlyASubmenuRow) {
    open();
    desktop.userInput().moveMouse(menuRow(0));
    EXPECT_EQ(desktop.menus().highlightedRow(), 0);
    desktop.userInput().moveMouse(menuRow(2));
    EXPECT_EQ(desktop.menus().highlightedRow(), -1) << "a separator lights nothing";
    desktop.userInput().moveMouse(QPointF(100, 500));
    EXPECT_EQ(desktop.menus().highlightedRow(), -1);

    desktop.userInput().moveMouse(menuRow(profileRow));
    desktop.userInput().moveMouse(QPointF(100, 500));
    EXPECT_EQ(desktop.menus().highlightedRow(), profileRow);
    ASSERT_NE(desktop.menus().openSubmenu(), nullptr);

    desktop.userInput().moveMouse(menuRow(4));
    EXPECT_EQ(desktop.menus().openSubmenu(), nullptr) << "another row closes the submenu";
    desktop.userInput().click(menuRow(4));
    EXPECT_EQ(ran, QStringList{QStringLiteral("Quit Zorv")});
}

// Option on the keyboard while the menu is open: each key event's flags say whether it is held.
struct OptionKeyCase {
    const char *name;
    quint16 keyCode;
    bool keyDown;
    quint64 flags;
    QList<int> shown;
};

void PrintTo(const OptionKeyCase &c, std::ostream *out) {
    *out << c.name;
}

class OptionKeyTest : public MenuTrackingTest,
                      public ::testing::WithParamInterface<OptionKeyCase> {};

TEST_P(OptionKeyTest, TheAlternatesFollowTheOptionFlag) {
    const OptionKeyCase &c = GetParam();
    open();
    desktop.userInput().keyDown(KeyCode::option, EventFlags::option);
    ASSERT_EQ(desktop.menus().shownRows(), (QList<int>{1, 2, 3, 4}));
    if (c.keyDown) {
        desktop.userInput().keyDown(c.keyCode, c.flags);
    } else {
        desktop.userInput().keyUp(c.keyCode, c.flags);
    }
    EXPECT_EQ(desktop.menus().shownRows(), c.shown);
    EXPECT_TRUE(desktop.menus().isTracking());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, OptionKeyTest,
    ::testing::Values(
        OptionKeyCase{"OptionReleased", KeyCode::option, false, EventFlags::none, {0, 2, 3, 4}},
        OptionKeyCase{
            "RightOptionStillHeld", KeyCode::rightOption, true, EventFlags::option, {1, 2, 3, 4}},
        OptionKeyCase{"LetterWithOption", 0, true, EventFlags::option, {1, 2, 3, 4}},
        OptionKeyCase{"LetterWithoutOption", 0, true, EventFlags::command, {0, 2, 3, 4}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(MenuTrackingTest, OptionHeldAsTheMenuOpensShowsTheAlternatesAtOnce) {
    desktop.userInput().keyDown(KeyCode::option, EventFlags::option);
    open();
    EXPECT_TRUE(desktop.menus().optionHeld());
    EXPECT_EQ(desktop.menus().shownRows(), (QList<int>{1, 2, 3, 4}));
    desktop.userInput().keyUp(KeyCode::option, EventFlags::none);
    desktop.menus().cancelTracking();
    open();
    EXPECT_FALSE(desktop.menus().optionHeld());
}

// What closes the menu without running a row, and what the rest of the Mac sees of it.
TEST_F(MenuTrackingTest, EscapeAndAPressOutsideCloseItWithoutActingOrReachingAnything) {
    int iconClicks = 0;
    QObject::connect(icon->button(), &StatusItemButton::clicked, [&] { ++iconClicks; });
    QList<MonitoredEvent> seen;
    ASSERT_TRUE(desktop.eventMonitors().addGlobalMonitor(
        EventMask::keyDown | EventMask::leftMouseDown | EventMask::mouseMoved,
        [&](const MonitoredEvent &event) { seen.append(event); }));

    open();
    desktop.userInput().moveMouse(menuRow(0));
    desktop.userInput().pressKey(KeyCode::escape);
    EXPECT_FALSE(desktop.menus().isTracking());

    open();
    desktop.userInput().click(iconCentre());
    EXPECT_FALSE(desktop.menus().isTracking()) << "a click on the icon closes its menu";
    EXPECT_EQ(iconClicks, 0) << "and does not reach the icon";

    open();
    const auto before = desktop.readout().clicks().size();
    desktop.userInput().click(entry(controlCenter).frame.center());
    EXPECT_FALSE(desktop.menus().isTracking());
    EXPECT_EQ(desktop.readout().clicks().size(), before) << "the item under it is not clicked";

    EXPECT_TRUE(ran.isEmpty());
    EXPECT_TRUE(seen.isEmpty()) << "the menu had the events";

    desktop.userInput().click(iconCentre());
    EXPECT_EQ(iconClicks, 1) << "with the menu gone the icon takes clicks again";
}

TEST_F(MenuTrackingTest, APressInsideKeepsItOpenUntilTheRelease) {
    open();
    desktop.userInput().mouseDown(menuRow(2));
    EXPECT_TRUE(desktop.menus().isTracking());
    desktop.userInput().mouseUp(menuRow(2));
    EXPECT_TRUE(desktop.menus().isTracking()) << "a release on a separator chooses nothing";
    desktop.userInput().mouseDown(menuRow(0));
    desktop.userInput().mouseUp(menuRow(0), MouseButton::Right);
    EXPECT_EQ(ran, QStringList{QStringLiteral("Reveal Hidden Items")});
}

} // namespace
} // namespace zorv::testing
