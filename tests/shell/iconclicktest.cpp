#include "shellfixture.h"

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// A click on Zorv's icon with a setting, and what it does.
struct ClickCase {
    const char *name;
    bool iconClickOpensMenu;
    bool secondaryBar;
    MouseButton button;
    quint64 flags;
    // "menu", or the first call it made.
    QString expected;
};

void PrintTo(const ClickCase &c, std::ostream *out) {
    *out << c.name;
}

class IconClickTest : public ShellTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(IconClickTest, TheClickGoesWhereTheSettingSays) {
    const ClickCase &c = GetParam();
    Settings settings = settled();
    settings.iconClickOpensMenu = c.iconClickOpensMenu;
    settings.secondaryBarEnabled = c.secondaryBar;
    store(settings);
    launched();
    calls.clear();

    clickIcon(c.button, c.flags);

    const bool menuOpen = harness.desktop().menus().isTracking();
    if (c.expected == u"secondaryBar.show"_s) {
        ASSERT_NE(harness.fakes.secondaryBar, nullptr);
        EXPECT_TRUE(harness.fakes.secondaryBar->visible);
        EXPECT_FALSE(calls.join(u' ').contains(u"toggleRevealed"_s));
    } else if (c.expected == u"menu"_s) {
        EXPECT_TRUE(menuOpen);
        EXPECT_TRUE(calls.isEmpty()) << calls.join(u", "_s).toStdString();
    } else {
        EXPECT_FALSE(menuOpen);
        ASSERT_FALSE(calls.isEmpty());
        EXPECT_EQ(calls.first(), c.expected);
    }
}

constexpr auto Left = MouseButton::Left;
constexpr auto Right = MouseButton::Right;

INSTANTIATE_TEST_SUITE_P(
    Clicks, IconClickTest,
    ::testing::Values(
        ClickCase{"DefaultLeftOpensMenu", true, false, Left, 0, u"menu"_s},
        ClickCase{"DefaultRightReveals", true, false, Right, 0, u"engine.toggleRevealed(0)"_s},
        ClickCase{"DefaultControlClickReveals", true, false, Left, EventFlags::control,
                  u"engine.toggleRevealed(0)"_s},
        ClickCase{"DefaultOptionRightRevealsAll", true, false, Right, EventFlags::option,
                  u"engine.toggleRevealed(1)"_s},
        ClickCase{"DefaultOptionLeftStillOpensMenu", true, false, Left, EventFlags::option,
                  u"menu"_s},
        ClickCase{"SwappedLeftReveals", false, false, Left, 0, u"engine.toggleRevealed(0)"_s},
        ClickCase{"SwappedOptionLeftRevealsAll", false, false, Left, EventFlags::option,
                  u"engine.toggleRevealed(1)"_s},
        ClickCase{"SwappedRightOpensMenu", false, false, Right, 0, u"menu"_s},
        ClickCase{"SwappedControlClickOpensMenu", false, false, Left, EventFlags::control,
                  u"menu"_s},
        ClickCase{"SecondaryBarTakesTheReveal", true, true, Right, 0, u"secondaryBar.show"_s}),
    [](const auto &info) { return std::string(info.param.name); });

// The engine places its items in reach after launch (first launch, or the Accessibility
// permission granted late) by making them anew: the new icon is dressed and answers clicks.
TEST_F(ShellTest, ANewIconButtonIsDressedAndAnswersClicks) {
    store(settled());
    launched();
    ASSERT_TRUE(iconReplaced);
    const QImage picture = icon->button()->image();
    ASSERT_FALSE(picture.isNull());
    icon = harness.desktop().statusBar().createStatusItem(StatusBar::squareLength);
    clock.settle();
    iconReplaced(icon->button());
    EXPECT_EQ(icon->button()->image(), picture);
    calls.clear();
    clickIcon(MouseButton::Right);
    ASSERT_FALSE(calls.isEmpty());
    EXPECT_EQ(calls.first(), u"engine.toggleRevealed(0)"_s);
}

TEST_F(ShellTest, NoEventReadsAsAPlainLeftClick) {
    EXPECT_EQ(StatusItemController::route(std::nullopt, true), (IconClick{true, false}));
    EXPECT_EQ(StatusItemController::route(std::nullopt, false), (IconClick{false, false}));
}

TEST_F(ShellTest, TheMenuOpensBelowTheIconWithTheHeaderFirst) {
    store(settled());
    launched();
    clickIcon();
    SimMenus &menus = harness.desktop().menus();
    ASSERT_TRUE(menus.isTracking());
    const auto window = icon->button()->window();
    ASSERT_TRUE(window.has_value());
    EXPECT_DOUBLE_EQ(menus.frame().top(), window->frame.height() + StatusItemController::menuGap);
    const MenuItem &header = menus.openMenu()->items.first();
    ASSERT_TRUE(header.view.has_value());
    EXPECT_EQ(header.view->source, StatusMenuBuilder::headerView);
    EXPECT_FALSE(icon->button()->image().isNull()) << "the icon has its picture";
    EXPECT_EQ(icon->button()->toolTip(), u"Zorv"_s);
}

TEST_F(ShellTest, TheMenuFollowsTheRevealState) {
    store(settled());
    launched();
    clickIcon(MouseButton::Right);
    clock.settle();
    ASSERT_TRUE(harness.model().isRevealed());
    clickIcon();
    ASSERT_TRUE(harness.desktop().menus().isTracking());
    EXPECT_TRUE(harness.desktop().menus().userHovers(u"Hide Items"_s));
}

// The reveal hot key brings everything out while nothing is revealed and tucks otherwise.
TEST_F(ShellTest, TheRevealKeyUsesTheEmergencyRevealOnlyWhileHidden) {
    store(settled());
    launched();
    calls.clear();
    harness.desktop().userInput().pressKey(1, EventFlags::option | EventFlags::command);
    clock.settle();
    EXPECT_EQ(calls, QStringList{u"engine.forceShowEverything"_s});

    clickIcon(MouseButton::Right);
    ASSERT_TRUE(harness.model().isRevealed());
    calls.clear();
    harness.desktop().userInput().pressKey(1, EventFlags::option | EventFlags::command);
    clock.settle();
    ASSERT_FALSE(calls.isEmpty());
    EXPECT_EQ(calls.first(), u"engine.toggleRevealed(0)"_s);

    calls.clear();
    harness.desktop().userInput().pressKey(3, EventFlags::option | EventFlags::command);
    clock.settle();
    EXPECT_EQ(calls, QStringList{u"search.toggle"_s});
}

} // namespace
} // namespace zorv
