#include "enginetest.h"

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

enum class WhileHidden { nothing, systemMovesTheIcon };

struct ReseatCase {
    const char *name;
    WhileHidden whileHidden;
    bool reorderEnabled;
    // Seconds after it is shown when the icon is hidden again; none when it stays.
    std::optional<double> hiddenAgainAfter;
    bool reseatNeeded;
    bool reconciled;

    friend void PrintTo(const ReseatCase &c, std::ostream *out) { *out << c.name; }
};

class IconReseatTest : public EngineTest, public ::testing::WithParamInterface<ReseatCase> {
protected:
    [[nodiscard]] QStringList triggers() const {
        QStringList found;
        for (const QJsonObject &line : records(u"reconcile-log.jsonl"_s)) {
            if (line.contains(u"trigger"_s)) {
                found.append(line.value(u"trigger"_s).toString());
            }
        }
        return found;
    }
};

// The user hides the icon and shows it again; meanwhile the system may have put it at the left
// end, behind the separators. 0.4 s after it is shown the engine looks: a misseated icon is
// recorded and, with reordering on, put back by a run.
TEST_P(IconReseatTest, looksAtTheIconsSeatOnceItIsShownAgain) {
    const ReseatCase &c = GetParam();
    addLaptop();
    // The clock and its neighbours hold the right end, as on every Mac: the icon goes left of them.
    addSystemItems();
    furnishSections();
    engine->setReorderEnabled(c.reorderEnabled);
    startEngine();
    run(5.0);
    engine->setIconVisible(false);
    run(1.0);
    if (c.whileHidden == WhileHidden::systemMovesTheIcon) {
        ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    }
    engine->setIconVisible(true);
    if (c.hiddenAgainAfter) {
        run(*c.hiddenAgainAfter);
        engine->setIconVisible(false);
    }
    run(0.5);

    const QList<QJsonObject> reseats = records(u"events.jsonl"_s, u"icon-reseat-needed"_s);
    ASSERT_EQ(reseats.size(), c.reseatNeeded ? 1 : 0);
    if (c.reseatNeeded) {
        EXPECT_TRUE(reseats.first().value(u"geometry"_s).isObject());
    }
    run(10.0);
    EXPECT_EQ(triggers().contains(u"icon-unhidden"_s), c.reconciled);
    if (c.reconciled) {
        const QList<quint64> bar = barOrder();
        EXPECT_GT(bar.indexOf(zorvItem(BarItems::zorvIconName)),
                  bar.indexOf(zorvItem(BarItems::zorvHiddenSeparatorName)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Seats, IconReseatTest,
    ::testing::Values(ReseatCase{"StillInItsSeat", WhileHidden::nothing, true, std::nullopt, false,
                                 false},
                      ReseatCase{"MisseatedReorderingOn", WhileHidden::systemMovesTheIcon, true,
                                 std::nullopt, true, true},
                      ReseatCase{"MisseatedReorderingOff", WhileHidden::systemMovesTheIcon, false,
                                 std::nullopt, true, false},
                      ReseatCase{"HiddenAgainBeforeTheLook", WhileHidden::systemMovesTheIcon, true,
                                 0.2, false, false}),
    [](const auto &info) { return info.param.name; });

// The icon shown again behind the separators is off screen while the bar is tucked; with
// reordering off nothing puts it back. The watchdog leaves it alone for 3 s, then reveals on its
// second tick that misses it.
TEST_F(EngineTest, theWatchdogStandsDownForThreeSecondsAfterTheIconIsShown) {
    addLaptop();
    furnishSections();
    startEngine();
    run(5.0);
    engine->setIconVisible(false);
    run(1.0);
    ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    engine->setIconVisible(true);
    ASSERT_FALSE(onScreen(zorvItem(BarItems::zorvIconName)));

    run(3.0);
    EXPECT_TRUE(records(u"events.jsonl"_s, u"watchdog-miss"_s).isEmpty());
    EXPECT_FALSE(engine->isRevealed());
    run(1.6);
    EXPECT_EQ(records(u"events.jsonl"_s, u"watchdog-miss"_s).size(), 1);
    EXPECT_EQ(reasons(u"reveal"_s), QStringList{u"watchdog: icon off-screen"_s});
}

// While the lanes are tucked the icon lands left of the separators as a shown item shrinks, so
// that the hidden lane would peek out: the icon comes first, seated back in sight within the
// watchdog's two ticks, not after a tuck for the lane that its place would refuse.
TEST_F(EngineTest, anIconLeftOfTheSeparatorsComesBackBeforeAPeekingLaneIsTucked) {
    addLaptop();
    furnishSections(300.0);
    startEngine();
    run(5.0);
    ASSERT_FALSE(engine->isRevealed());
    bringToFrontWithMenus(600.0);
    run(5.0);
    ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    desktop.items().setLength(shown, 20.0);
    desktop.model().layOutNow();
    ASSERT_FALSE(entry(zorvItem(BarItems::zorvIconName)).visible);

    run(2.0);
    // Seated anew: the icon is another status item now.
    EXPECT_TRUE(entry(zorvItem(BarItems::zorvIconName)).visible);
    EXPECT_FALSE(reasons(u"tuck"_s).contains(u"peeking"_s));
}

// The permission, granted once, goes and comes back while a run waits for another application's
// menu to close. Meanwhile the system puts the icon at the left end, where the watchdog's reveal
// leaves it under the menus of the application in front (until another comes to the front, in one
// case): seating it waits for the grant's placement, which waits up to a minute for the run, then
// puts the separators where the lanes of the changed layout meet and the icon right of them, in
// sight. Zorv's items are created anew that once.
class SecondGrantTest : public EngineTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SecondGrantTest, duringARunCreatesZorvsItemsAnewOnce) {
    const bool anotherApplicationComesToTheFront = GetParam();
    addLaptop();
    furnishSections();
    desktop.permissions().setAccessibilityTrusted(false);
    engine->setReorderEnabled(true);
    int created = 0;
    engine->setOnIconReplaced([&created](StatusItemButton *) { ++created; });
    startEngine();
    run(10.0);
    desktop.permissions().setAccessibilityTrusted(true);
    run(30.0);
    ASSERT_EQ(created, 0) << "the separators stood between the lanes at the first grant";

    ASSERT_EQ(desktop.accessibility().performAction(AXElementTable::item(shown), u"AXPress"_s),
              AXError::Success);
    drive(engine->apply(layoutOf({idOf(u"hidden"_s), idOf(u"shown"_s)}, {}, {idOf(u"always"_s)})));
    ASSERT_TRUE(engine->reconcileInFlight());
    desktop.permissions().setAccessibilityTrusted(false);
    drive(engine->refresh());
    run(3.0);
    desktop.permissions().setAccessibilityTrusted(true);
    run(1.5);
    ASSERT_EQ(records(u"events.jsonl"_s, u"accessibility-granted"_s).size(), 2);
    bringToFrontWithMenus(1400.0);
    ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    run(5.0);
    ASSERT_FALSE(records(u"events.jsonl"_s, u"watchdog-miss"_s).isEmpty());
    EXPECT_EQ(created, 0) << "the icon was seated ahead of the grant's placement";

    if (anotherApplicationComesToTheFront) {
        desktop.applications().activate(toolsProcess);
    }
    run(60.0);
    desktop.userInput().pressKey(KeyCode::escape);
    run(10.0);
    EXPECT_EQ(created, 1);
    EXPECT_EQ(records(u"events.jsonl"_s, u"separators-placed"_s).size(), 1);
    EXPECT_TRUE(entry(zorvItem(BarItems::zorvIconName)).visible);
    EXPECT_FALSE(engine->reconcileInFlight());
}

INSTANTIATE_TEST_SUITE_P(Fronts, SecondGrantTest, ::testing::Bool(), [](const auto &info) {
    return info.param ? "AnotherApplicationComesToTheFront" : "TheMenusStayInFront";
});

} // namespace
} // namespace zorv::testing
