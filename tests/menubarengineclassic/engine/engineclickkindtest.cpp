#include "activation/itemclick.h"
#include "coroutinetest.h"
#include "drag/owneventlog.h"
#include "enginetest.h"
#include "workrunner.h"

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

struct ClickKindCase {
    const char *name;
    ClickKind click;
    // What the item saw.
    ItemClickKind delivered;
    MouseButton button;
    quint64 modifierFlags;

    friend void PrintTo(const ClickKindCase &c, std::ostream *out) { *out << c.name; }
};

class ClickKindTest : public EngineTest, public ::testing::WithParamInterface<ClickKindCase> {};

// Each kind of activation reaches the item as that kind of click, at its centre, where the cursor
// is left.
TEST_P(ClickKindTest, clicksTheItemWithTheButtonAndModifiersOfTheKind) {
    const ClickKindCase &c = GetParam();
    addLaptop();
    furnishSections();
    startEngine();
    drive(engine->activate(idOf(u"shown"_s), c.click));

    const QList<DeliveredClick> clicks = desktop.readout().clicks();
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.first().itemId, shown);
    EXPECT_EQ(clicks.first().kind, c.delivered);
    EXPECT_EQ(clicks.first().button, c.button);
    EXPECT_EQ(clicks.first().modifierFlags, c.modifierFlags);
    const QJsonObject record = readFile(u"last-activate.json"_s);
    const QPointF centre = entry(shown).frame.center();
    EXPECT_EQ(QPointF(record.value(u"x"_s).toDouble(), record.value(u"y"_s).toDouble()), centre);
    EXPECT_EQ(desktop.readout().cursor().location, centre);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ClickKindTest,
    ::testing::Values(ClickKindCase{"Left", ClickKind::left, ItemClickKind::Left, MouseButton::Left,
                                    EventFlags::none},
                      ClickKindCase{"Option", ClickKind::option, ItemClickKind::Option,
                                    MouseButton::Left, EventFlags::option},
                      ClickKindCase{"Right", ClickKind::right, ItemClickKind::Right,
                                    MouseButton::Right, EventFlags::none}),
    [](const auto &info) { return info.param.name; });

// Before the press, an item without an identifier is told from its application's other items by
// the frame the bar was read with: where another of them stands at the point now, the bar is read
// again rather than that one clicked.
TEST_F(EngineTest, anItemWithoutAnIdentifierIsClickedOnlyWhereItWasRead) {
    addLaptop();
    furnishSections();
    settle();
    const QRectF there = entry(shown).frame;
    const struct {
        const char *name;
        QRectF read;
        ItemClick::Outcome outcome;
    } cases[] = {
        {"WhereItWasRead", there, ItemClick::Outcome::clicked},
        {"AnotherOfItsItemsStandsThereNow", there.adjusted(-6.0, 0.0, -10.0, 0.0),
         ItemClick::Outcome::moved},
    };
    WorkRunner runner(WorkRunner::Mode::ThreadPool, &pool);
    OwnEventLog own;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const qsizetype before = desktop.readout().clicks().size();
        const ItemClick::Target target{toolsProcess, std::nullopt, c.read.center(), c.read, {}};
        auto work = [&, target] {
            return ItemClick::post(desktop.inputEvents(), clock, own, desktop.accessibility(),
                                   workspace, desktop.screens(), target, ClickKind::left);
        };
        EXPECT_EQ(runTask(runner.run(std::move(work))), c.outcome);
        EXPECT_EQ(desktop.readout().clicks().size(),
                  before + (c.outcome == ItemClick::Outcome::clicked ? 1 : 0));
        desktop.userInput().pressKey(KeyCode::escape);
    }
}

struct OpenMenuCase {
    const char *name;
    // The fixed clock's length right of the items; without it the item's menu is pushed left to
    // end at the screen's right edge.
    double clockLength;
    // Whether another item of the same application stands beside it, and whether the menu open
    // is that one's.
    bool sibling;
    bool siblingsMenu;
    // Whether the menu is left as it is, unclicked: the item whose menu is open reads as
    // selected, wherever the menu was pushed to, over its application's other items too.
    bool leftOpen;

    friend void PrintTo(const OpenMenuCase &c, std::ostream *out) { *out << c.name; }
};

class OpenMenuActivationTest : public EngineTest,
                               public ::testing::WithParamInterface<OpenMenuCase> {};

// An item whose menu the user has open is left as it is, since a click on it would close the
// menu; the menu of another item of its application is closed by the click that opens its own.
TEST_P(OpenMenuActivationTest, leavesTheItemsOwnMenuOpen) {
    const OpenMenuCase &c = GetParam();
    addLaptop();
    if (c.clockLength > 0.0) {
        addFixedClockAndControlCenter(c.clockLength, 40.0);
    }
    furnishSections();
    const quint64 sibling = c.sibling ? addItem(toolsProcess, 30.0, u"sibling"_s) : 0;
    arrangeSections(c.sibling ? QList<quint64>{sibling} : QList<quint64>{});
    startEngine();
    desktop.userInput().click(entry(c.siblingsMenu ? sibling : shown).frame.center());
    ASSERT_TRUE(desktop.readout().openItemMenu().has_value());
    const qsizetype clicks = desktop.readout().clicks().size();

    drive(engine->activate(idOf(u"shown"_s), ClickKind::left));
    const std::optional<OpenItemMenu> menu = desktop.readout().openItemMenu();
    // A click on the item whose menu is open only closes the menu: the item receives none.
    EXPECT_EQ(desktop.readout().clicks().size(), clicks + (c.siblingsMenu ? 1 : 0));
    EXPECT_EQ(readFile(u"last-activate.json"_s).value(u"outcome"_s).toString(),
              c.leftOpen ? u"its menu was open already"_s : u"clicked"_s);
    const bool opensOrStays = c.leftOpen || c.siblingsMenu;
    EXPECT_EQ(menu.has_value(), opensOrStays);
    EXPECT_TRUE(!menu || menu->itemId == shown);
}

INSTANTIATE_TEST_SUITE_P(
    Menus, OpenMenuActivationTest,
    ::testing::Values(OpenMenuCase{"ItsOwn", 300.0, true, false, true},
                      OpenMenuCase{"ItsOwnPushedLeftByTheScreensEnd", 0.0, false, false, true},
                      OpenMenuCase{"ItsOwnPushedLeftBesideAnotherOfItsItems", 0.0, true, false,
                                   true},
                      OpenMenuCase{"AnotherItemsOfItsApplication", 300.0, true, true, false},
                      OpenMenuCase{"AnotherItemsPushedLeftOverIt", 0.0, true, true, false}),
    [](const auto &info) { return info.param.name; });

} // namespace
} // namespace zorv::testing
