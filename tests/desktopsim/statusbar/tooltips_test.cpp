#include "application/menufixture.h"

#include "statusitembutton.h"

namespace zorv::testing {
namespace {

// Zorv's icon with its tool tip, beside the system's items (which have none), on a laptop.
class ToolTipsTest : public ApplicationMenusTest {
public:
    // What the cases below do, in the user's hands.
    void rest(double seconds) { clock.advance(zorv::seconds(seconds)); }
    void moveTo(QPointF location) { desktop.userInput().moveMouse(location); }
    void moveOnIcon(QPointF offset = {}) { moveTo(iconCentre() + offset); }
    void leave() { moveTo(QPointF(400, 10)); }
    void holdCommand() { desktop.userInput().keyDown(KeyCode::command, EventFlags::command); }
    void scroll() { desktop.userInput().scroll(1.0); }
    void openMenu() {
        const auto window = icon->button()->window();
        desktop.menus().popUp(statusMenu(), *icon->button(),
                              QPointF(0, window->frame.height() + 4));
    }

protected:
    ToolTipsTest() { icon->button()->setToolTip(QStringLiteral("Zorv")); }

    [[nodiscard]] bool shown() { return desktop.toolTips().isShown(); }
};

// What the user does after the pointer reaches the icon, and whether the tip is up at the end.
struct ToolTipCase {
    const char *name;
    std::function<void(ToolTipsTest &)> then;
    bool shown;
};

void PrintTo(const ToolTipCase &c, std::ostream *out) {
    *out << c.name;
}

class ToolTipTimingTest : public ToolTipsTest, public ::testing::WithParamInterface<ToolTipCase> {};

TEST_P(ToolTipTimingTest, TheTipComesAfterARestOnTheItem) {
    moveOnIcon();
    GetParam().then(*this);
    EXPECT_EQ(shown(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, ToolTipTimingTest,
                         ::testing::Values(ToolTipCase{"RestsASecond",
                                                       [](ToolTipsTest &t) { t.rest(1.0); }, true},
                                           ToolTipCase{"LeavesTooSoon",
                                                       [](ToolTipsTest &t) {
                                                           t.rest(0.9);
                                                           t.leave();
                                                           t.rest(1.0);
                                                       },
                                                       false},
                                           ToolTipCase{"MovesWithinTheItem",
                                                       [](ToolTipsTest &t) {
                                                           t.rest(0.6);
                                                           t.moveOnIcon(QPointF(2, 1));
                                                           t.rest(0.4);
                                                       },
                                                       true},
                                           ToolTipCase{"LeavesAfterItShows",
                                                       [](ToolTipsTest &t) {
                                                           t.rest(1.0);
                                                           t.leave();
                                                       },
                                                       false},
                                           ToolTipCase{"PressesAKeyAndStays",
                                                       [](ToolTipsTest &t) {
                                                           t.rest(1.0);
                                                           t.holdCommand();
                                                           t.moveOnIcon(QPointF(1, 0));
                                                           t.rest(2.0);
                                                       },
                                                       false},
                                           ToolTipCase{"ComesBackAfterLeaving",
                                                       [](ToolTipsTest &t) {
                                                           t.scroll();
                                                           t.leave();
                                                           t.moveOnIcon();
                                                           t.rest(1.0);
                                                       },
                                                       true},
                                           ToolTipCase{"WhileItsMenuIsOpen",
                                                       [](ToolTipsTest &t) {
                                                           t.openMenu();
                                                           t.moveOnIcon(QPointF(1, 0));
                                                           t.rest(1.0);
                                                       },
                                                       false}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ToolTipsTest, TheTipShowsItsTextBelowTheBarUnderThePointer) {
    const QPointF pointer = iconCentre();
    desktop.userInput().moveMouse(pointer);
    rest(1.0);
    ASSERT_TRUE(desktop.toolTips().shown().has_value());
    const SimToolTips::Tip &tip = *desktop.toolTips().shown();
    EXPECT_EQ(tip.text, QStringLiteral("Zorv"));
    EXPECT_DOUBLE_EQ(tip.location.x(), pointer.x());
    EXPECT_GE(tip.location.y(), 24.0 + SimToolTips::belowBar);
}

TEST_F(ToolTipsTest, AnItemWithoutATipShowsNothing) {
    desktop.userInput().moveMouse(entry(controlCenter).frame.center());
    rest(2.0);
    EXPECT_FALSE(shown());
    icon->button()->setToolTip({});
    moveOnIcon();
    rest(2.0);
    EXPECT_FALSE(shown());
}

} // namespace
} // namespace zorv::testing
