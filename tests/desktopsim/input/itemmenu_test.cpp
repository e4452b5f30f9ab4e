#include "desktoptest.h"
#include "input/itemmenu.h"
#include "input/syntheticdrag.h"

namespace zorv::testing {
namespace {

using namespace Qt::StringLiterals;

// A laptop with a 200-point camera housing (x 656 to 856), the system items, eight items of one
// application and one of another; the user's pointer rests below the bar.
class ItemMenuTest : public DesktopTest {
protected:
    void SetUp() override {
        laptop = addLaptop(200.0);
        addSystemItems();
        app = launch(u"com.example.tools"_s);
        for (int index = 0; index < 8; ++index) {
            items.prepend(addItem(app, 24.0, u"item-%1"_s.arg(index)));
        }
        other = launch(u"com.example.other"_s);
        otherItem = addItem(other, 24.0, u"other"_s);
        settle();
        desktop.userInput().moveMouse(kRestingSpot);
    }

    QPointF centre(quint64 itemId) { return entry(itemId).frame.center(); }

    // The items on the bar whose elements read as selected; those of the others that answer read
    // as not selected.
    QList<quint64> selectedItems() {
        QList<quint64> selected;
        for (const quint64 id : barOrder()) {
            const AXAttributeResult read = desktop.accessibility().copyAttributeValue(
                AXElementTable::item(id), u"AXSelected"_s);
            if (read.error != AXError::Success) {
                continue;
            }
            if (read.value == std::optional<AXAttributeValue>(true)) {
                selected.append(id);
            } else {
                EXPECT_EQ(read.value, std::optional<AXAttributeValue>(false)) << "item " << id;
            }
        }
        return selected;
    }

    static inline const QPointF kRestingSpot{300.0, 500.0};

    DisplayId laptop = 0;
    qint32 app = 0;
    qint32 other = 0;
    QList<quint64> items; // left to right
    quint64 otherItem = 0;
};

// What happens while the menu is open.
enum class Meanwhile {
    nothing,
    clickElsewhere,
    escape,
    chooseARow,
    pressInsideReleaseOutside,
    ownerQuits,
    postedCommandDragOfAnotherItem,
    clickOnItsItem,
    clickOnAnotherItem,
    clickOnASibling,
    pressOfAnotherItem,
    // With a second display right of the laptop, plugged in before the menu opens.
    unplugItsDisplay,
    unplugTheOtherDisplay,
    moveTheOtherDisplay,
    plugInADisplay,
    makeTheOtherDisplayMain
};

struct MenuCase {
    const char *name;
    // How the user opens the rightmost tools item: a click, or through its element.
    ItemOpening opening;
    Meanwhile meanwhile;
    // Why the menu closed; none when it stays open.
    std::optional<MenuClosing> closedBy;
    // Whose menu is open at the end: the tools item's, the tools item left of it, the other
    // application's, or none.
    enum class OpenAtEnd { tools, sibling, other, none } openAtEnd = OpenAtEnd::tools;
    // The owner hangs before the menu is asked for.
    bool hung = false;

    friend void PrintTo(const MenuCase &c, std::ostream *out) { *out << c.name; }
};

class ItemMenuTableTest : public ItemMenuTest, public ::testing::WithParamInterface<MenuCase> {
protected:
    void prepare(Meanwhile what) {
        if (what >= Meanwhile::unplugItsDisplay) {
            external = desktop.arrangement().add(ScreenDescription{});
            settle();
        }
    }

    void act(Meanwhile what) {
        UserInput &user = desktop.userInput();
        switch (what) {
        case Meanwhile::nothing:
            break;
        case Meanwhile::clickElsewhere:
            user.click(kRestingSpot);
            break;
        case Meanwhile::escape:
            user.pressKey(KeyCode::escape);
            break;
        case Meanwhile::chooseARow:
            EXPECT_TRUE(user.chooseInItemMenu());
            break;
        case Meanwhile::pressInsideReleaseOutside:
            user.mouseDown(desktop.readout().openItemMenu()->frame.center());
            user.mouseUp(kRestingSpot);
            break;
        case Meanwhile::ownerQuits:
            desktop.applications().quit(app);
            break;
        case Meanwhile::postedCommandDragOfAnotherItem:
            // Without the menu it would land right of the tools items.
            postCommandDrag(desktop.inputEvents(), clock, centre(otherItem),
                            centre(items.back()) + QPointF(15.0, 0.0), DragPacing{});
            settle();
            break;
        case Meanwhile::clickOnItsItem:
            user.click(centre(items.back()));
            break;
        case Meanwhile::clickOnAnotherItem:
            user.click(centre(otherItem));
            break;
        case Meanwhile::clickOnASibling:
            user.click(centre(items[items.size() - 2]));
            break;
        case Meanwhile::pressOfAnotherItem:
            EXPECT_EQ(desktop.accessibility().performAction(AXElementTable::item(otherItem),
                                                            u"AXPress"_s),
                      AXError::Success);
            break;
        case Meanwhile::unplugItsDisplay:
            desktop.arrangement().remove(laptop);
            break;
        case Meanwhile::unplugTheOtherDisplay:
            desktop.arrangement().remove(external);
            break;
        case Meanwhile::moveTheOtherDisplay:
            desktop.arrangement().move(external, QPointF(-1512.0, 0.0));
            break;
        case Meanwhile::plugInADisplay:
            desktop.arrangement().add(ScreenDescription{});
            break;
        case Meanwhile::makeTheOtherDisplayMain:
            desktop.arrangement().setMainScreen(external);
            break;
        }
    }

    DisplayId external = 0;
};

// An item's menu opens below it in a pop-up menu window of its owner, listed among the
// windows on screen, and stays open until a press outside it, Escape, a row chosen, its owner
// quitting or a change of the displays. The press that closes it is the menu's: a Command-drag
// moves nothing, and only a plain press on another item goes on to open that one's menu. A hung
// owner opens nothing. The item whose menu is open, and only that one, reads as selected.
TEST_P(ItemMenuTableTest, opensBelowTheItemAndStaysOpenUntilClosed) {
    const MenuCase &c = GetParam();
    const quint64 target = items.back();
    prepare(c.meanwhile);
    if (c.hung) {
        desktop.applications().setHung(app, true);
    }
    if (c.opening == ItemOpening::Click) {
        desktop.userInput().click(centre(target));
    } else {
        const AXError pressed = desktop.accessibility().performAction(
            AXElementTable::item(target),
            c.opening == ItemOpening::Press ? u"AXPress"_s : u"AXShowMenu"_s);
        EXPECT_EQ(pressed, c.hung ? AXError::CannotComplete : AXError::Success);
    }
    const QList<quint64> order = barOrder();
    const std::optional<OpenItemMenu> opened = desktop.readout().openItemMenu();
    ASSERT_EQ(opened.has_value(), !c.hung);
    EXPECT_EQ(selectedItems(), opened ? QList{target} : QList<quint64>());
    if (opened) {
        // Below the item, kept on the screen.
        const QRectF item = entry(target).frame;
        EXPECT_EQ(std::tuple(opened->itemId, opened->ownerProcessId, opened->via, opened->frame),
                  std::tuple(target, app, c.opening,
                             QRectF(std::min(item.left(), 1512.0 - ItemMenu::width),
                                    item.bottom(), ItemMenu::width, ItemMenu::height)));
        const QList<OnScreenWindow> windows = desktop.windowList().onScreenWindows();
        EXPECT_TRUE(windows.contains(OnScreenWindow{opened->windowId, WindowList::popUpMenuLayer,
                                                    opened->frame, app}));
        EXPECT_TRUE(windows.contains(
            OnScreenWindow{quint32(target), WindowList::statusItemLayer, item, app}));
    }

    act(c.meanwhile);
    const std::optional<OpenItemMenu> open = desktop.readout().openItemMenu();
    using OpenAtEnd = MenuCase::OpenAtEnd;
    EXPECT_EQ(open ? std::optional(open->itemId) : std::nullopt,
              c.openAtEnd == OpenAtEnd::tools     ? std::optional(target)
              : c.openAtEnd == OpenAtEnd::sibling ? std::optional(items[items.size() - 2])
              : c.openAtEnd == OpenAtEnd::other   ? std::optional(otherItem)
                                                  : std::nullopt);
    EXPECT_EQ(selectedItems(), open ? QList{open->itemId} : QList<quint64>());
    const QList<ClosedItemMenu> closings = desktop.readout().itemMenuClosings();
    EXPECT_EQ(closings.isEmpty() ? std::nullopt : std::optional(closings.first().why),
              c.closedBy);
    if (c.closedBy) {
        EXPECT_EQ(closings.first().menu, *opened);
    }
    const QList<OnScreenWindow> windows = desktop.windowList().onScreenWindows();
    const bool popUpListed = std::ranges::any_of(windows, [](const OnScreenWindow &window) {
        return window.layer == WindowList::popUpMenuLayer;
    });
    EXPECT_EQ(popUpListed, open.has_value());
    // Whatever closed the menu moved no item.
    if (c.meanwhile != Meanwhile::ownerQuits) {
        EXPECT_EQ(barOrder(), order);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Menus, ItemMenuTableTest,
    ::testing::Values(
        MenuCase{"OpenedByAClick", ItemOpening::Click, Meanwhile::nothing, std::nullopt},
        MenuCase{"OpenedByAPress", ItemOpening::Press, Meanwhile::nothing, std::nullopt},
        MenuCase{"OpenedByShowMenu", ItemOpening::ShowMenu, Meanwhile::nothing, std::nullopt},
        MenuCase{"AClickElsewhereClosesIt", ItemOpening::Click, Meanwhile::clickElsewhere,
                 MenuClosing::PressedOutside, MenuCase::OpenAtEnd::none},
        MenuCase{"EscapeClosesIt", ItemOpening::Press, Meanwhile::escape, MenuClosing::Escape,
                 MenuCase::OpenAtEnd::none},
        MenuCase{"ChoosingARowClosesIt", ItemOpening::Click, Meanwhile::chooseARow,
                 MenuClosing::RowChosen, MenuCase::OpenAtEnd::none},
        MenuCase{"APressInsideKeepsItOpen", ItemOpening::Click,
                 Meanwhile::pressInsideReleaseOutside, std::nullopt},
        MenuCase{"ItsOwnerQuittingClosesIt", ItemOpening::Click, Meanwhile::ownerQuits,
                 MenuClosing::OwnerQuit, MenuCase::OpenAtEnd::none},
        MenuCase{"APostedCommandDragClosesItAndMovesNothing", ItemOpening::Press,
                 Meanwhile::postedCommandDragOfAnotherItem, MenuClosing::PressedOutside,
                 MenuCase::OpenAtEnd::none},
        MenuCase{"AClickOnItsItemClosesIt", ItemOpening::Click, Meanwhile::clickOnItsItem,
                 MenuClosing::PressedOutside, MenuCase::OpenAtEnd::none},
        MenuCase{"AClickOnAnotherItemOpensThatOne", ItemOpening::Click,
                 Meanwhile::clickOnAnotherItem, MenuClosing::PressedOutside,
                 MenuCase::OpenAtEnd::other},
        MenuCase{"AClickOnASiblingOpensThatOne", ItemOpening::Click, Meanwhile::clickOnASibling,
                 MenuClosing::PressedOutside, MenuCase::OpenAtEnd::sibling},
        MenuCase{"APressOfAnotherItemOpensThatOne", ItemOpening::Click,
                 Meanwhile::pressOfAnotherItem, MenuClosing::AnotherMenuOpened,
                 MenuCase::OpenAtEnd::other},
        MenuCase{"UnpluggingItsDisplayClosesIt", ItemOpening::Click, Meanwhile::unplugItsDisplay,
                 MenuClosing::DisplayRemoved, MenuCase::OpenAtEnd::none},
        MenuCase{"UnpluggingAnotherDisplayClosesIt", ItemOpening::Press,
                 Meanwhile::unplugTheOtherDisplay, MenuClosing::DisplaysRearranged,
                 MenuCase::OpenAtEnd::none},
        MenuCase{"MovingADisplayClosesIt", ItemOpening::Click, Meanwhile::moveTheOtherDisplay,
                 MenuClosing::DisplaysRearranged, MenuCase::OpenAtEnd::none},
        MenuCase{"PluggingInADisplayClosesIt", ItemOpening::Click, Meanwhile::plugInADisplay,
                 MenuClosing::DisplaysRearranged, MenuCase::OpenAtEnd::none},
        MenuCase{"TheBarMovingToAnotherDisplayClosesIt", ItemOpening::Press,
                 Meanwhile::makeTheOtherDisplayMain, MenuClosing::DisplaysRearranged,
                 MenuCase::OpenAtEnd::none},
        MenuCase{"AHungOwnerOpensNothingOnAClick", ItemOpening::Click, Meanwhile::nothing,
                 std::nullopt, MenuCase::OpenAtEnd::none, true},
        MenuCase{"AHungOwnerOpensNothingOnAPress", ItemOpening::Press, Meanwhile::nothing,
                 std::nullopt, MenuCase::OpenAtEnd::none, true}),
    [](const auto &info) { return info.param.name; });

// Under the camera housing an item takes no click, yet its element opens its menu below where it
// is laid out, kept on the screen.
TEST_F(ItemMenuTest, APressOpensTheMenuOfAnItemNoClickReaches) {
    // A wide item carries the one left of it under the housing.
    for (double length = 40.0; length < 800.0 && !entry(items[0]).underHousing; length += 20.0) {
        desktop.items().setLength(items[1], length);
        settle();
    }
    const auto underHousing =
        std::ranges::find_if(items, [&](quint64 id) { return entry(id).underHousing; });
    ASSERT_NE(underHousing, items.end());
    EXPECT_EQ(desktop.accessibility().performAction(AXElementTable::item(*underHousing),
                                                    u"AXPress"_s),
              AXError::Success);
    const QRectF item = entry(*underHousing).frame;
    EXPECT_EQ(desktop.readout().openItemMenu()->frame,
              QRectF(item.left(), item.bottom(), ItemMenu::width, ItemMenu::height));
}

} // namespace
} // namespace zorv::testing
