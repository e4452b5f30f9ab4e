#include "crowdedlaunchtest.h"

#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

TEST_F(CrowdedLaunchTest, placesTheSeparatorsBetweenTheUsersLanesAtTheGrantOfAFirstLaunch) {
    furnishCrowdedBar(44, 420.0);
    desktop.permissions().setAccessibilityTrusted(false);
    rememberZorvPositions = false;
    const UsersLayout users = usersLayout();
    const QHash<quint64, Section> &wanted = users.wanted;
    makeEngine(users.layout);
    startEngine();
    run(60.0);
    desktop.permissions().setAccessibilityTrusted(true);
    run(5.0);

    expectTheUsersLanes(wanted);
}

// With the permission from the start, the user's layout (data restored on a new Mac, preferences
// reset) places the separators at the first launch as at a grant: the bar holds its lanes without
// a drag, though the bar measured as at a first launch without a layout would show some of them.
TEST_F(CrowdedLaunchTest, placesTheSeparatorsBetweenTheUsersLanesAtAFirstLaunchWithALayout) {
    furnishCrowdedBar(44, 420.0);
    rememberZorvPositions = false;
    const UsersLayout users = usersLayout();
    makeEngine(users.layout);
    engine->setReorderEnabled(true);
    startEngine();
    run(120.0);

    expectTheUsersLanes(users.wanted);
    for (const QJsonObject &line : records(u"reconcile-log.jsonl"_s)) {
        EXPECT_TRUE(line.value(u"moves"_s).toArray().isEmpty());
    }
}

// The system moves the icon to the left end, off screen, right after that placement created the
// engine's items anew, while the bar lays them out: within two watchdog ticks it is back in sight,
// though the launch has not done with the placement by then.
TEST_F(CrowdedLaunchTest, bringsAnIconMovedOutOfSightDuringTheLaunchPlacementBackWithinTwoTicks) {
    furnishCrowdedBar(44, 420.0);
    rememberZorvPositions = false;
    makeEngine(usersLayout().layout);
    QCoro::Task<> start = engine->start();
    const auto placed = [this] {
        return !records(u"events.jsonl"_s, u"separators-placed"_s).isEmpty();
    };
    ASSERT_NO_FATAL_FAILURE(runUntil(placed));
    desktop.items().moveToIndex(zorvItem(BarItems::zorvIconName), 0);
    double outOfSight = 0.0;
    double longest = 0.0;
    for (int step = 0; step < 100; ++step) {
        run(0.1);
        outOfSight = entry(zorvItem(BarItems::zorvIconName)).visible ? 0.0 : outOfSight + 0.1;
        longest = std::max(longest, outOfSight);
    }
    EXPECT_LE(longest, 2.0);
    drive(std::move(start));
}

// Scans that come between the grant and the placement it starts read a bar whose separators stand
// where the launch without the permission left them, out of order:
// no lane is read off that bar, and the items are taken in where the placement leaves them.
TEST_F(CrowdedLaunchTest, readsNoLaneOffTheBarBeforeTheGrantsPlacement) {
    furnishCrowdedBar(44, 420.0);
    desktop.permissions().setAccessibilityTrusted(false);
    keepItemsInSight();
    makeEngine();
    startEngine();
    run(30.0);
    // A hide asked for while the permission is missing is refused, and the bar counts as tucked.
    drive(engine->setHiddenRevealed(false, false));
    run(30.0);
    ASSERT_FALSE(engine->isRevealed());
    desktop.permissions().setAccessibilityTrusted(true);
    // Two scans read the bar at once: the one that finishes first takes the grant and starts the
    // placement, the other finishes while the placement is under way.
    QCoro::Task<> grantScan = engine->refresh();
    QCoro::Task<> nextScan = engine->refresh();
    drive(std::move(grantScan));
    drive(std::move(nextScan));
    run(300.0);

    const SectionLayout &layout = engine->storedLayout();
    EXPECT_TRUE(layout.ids(Section::alwaysHidden).isEmpty());
    EXPECT_FALSE(layout.ids(Section::hidden).isEmpty());
    EXPECT_FALSE(layout.ids(Section::shown).isEmpty());
    for (const QJsonObject &adoption : records(u"reconcile-log.jsonl"_s, u"adopt"_s)) {
        EXPECT_NE(adoption.value(u"lane"_s), u"alwaysHidden"_s)
            << adoption.value(u"item"_s).toString().toStdString();
    }
    EXPECT_TRUE(entry(zorvItem(BarItems::zorvIconName)).visible);
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    for (const MenuBarItem &item : engine->lastItems()) {
        if (item.section == Section::hidden && ClassicEngine::isOnTheBar(item)) {
            EXPECT_LT(item.frame.right(), 0.0) << "hidden items are out of sight";
        }
    }
}

// An item asked for right after a late grant, while the grant's placement lays the bar out and
// tucks it again, is opened at the placement's first pause: once the bar has laid Zorv's new items
// out, not once the whole placement has ended.
TEST_F(CrowdedLaunchTest, opensAnItemAskedForRightAfterTheGrantWithinTwoSeconds) {
    furnishCrowdedBar(44, 420.0);
    desktop.permissions().setAccessibilityTrusted(false);
    keepItemsInSight();
    makeEngine();
    startEngine();
    run(10.0);
    desktop.permissions().setAccessibilityTrusted(true);
    runUntilTheGrantIsTaken();
    const qsizetype index = apps.size() - 1;
    const MenuBarItemID asked{u"com.example.app%1"_s.arg(index), u"item%1"_s.arg(index),
                              std::nullopt, 0};
    const qsizetype before = desktop.readout().clicks().size();
    QCoro::Task<> activation = engine->activate(asked, ClickKind::left);
    run(2.0);
    const QList<DeliveredClick> clicks = desktop.readout().clicks();
    ASSERT_EQ(clicks.size(), before + 1) << "not opened within 2 s of the ask";
    EXPECT_EQ(clicks.last().itemId, apps.at(index));
    drive(std::move(activation));
}

// The user hides the icon before granting the permission, then reveals: the tuck that follows
// hides nothing, as the engine has not seen what it would hide. Once granted, the items are placed
// in reach and hiding works without the icon.
TEST_F(CrowdedLaunchTest, hidesNothingWithTheIconHiddenBeforeTheGrant) {
    furnishCrowdedBar(44, 420.0);
    desktop.permissions().setAccessibilityTrusted(false);
    rememberZorvPositions = false;
    makeEngine();
    startEngine();
    run(5.0);
    engine->setIconVisible(false);
    drive(engine->toggleRevealed(false));
    run(30.0);
    ASSERT_EQ(reasons(u"tuck"_s).count(u"auto-rehide"_s), 1);
    for (const QString &separator :
         {BarItems::zorvHiddenSeparatorName, BarItems::zorvAlwaysHiddenSeparatorName}) {
        EXPECT_EQ(entry(zorvItem(separator)).length, SeparatorController::collapsedLength)
            << "nothing is hidden";
    }

    desktop.permissions().setAccessibilityTrusted(true);
    run(5.0);
    const QList<QJsonObject> placements = records(u"events.jsonl"_s, u"launch-placement"_s);
    ASSERT_EQ(placements.size(), 2);
    EXPECT_TRUE(placements.last().value(u"placed"_s).toBool());
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    EXPECT_FALSE(engine->isRevealed());
    EXPECT_GT(entry(zorvItem(BarItems::zorvHiddenSeparatorName)).length,
              SeparatorController::collapsedLength);
}

// The icon is out of reach (kept at the left end of a crowded bar, where the system also puts it
// back whenever Zorv creates it anew): the self-heal runs fail, and the watchdog's fruitless
// reveals come further and further apart. Another application in front starts them over.
// Self-healing is tried again when an application quits and when the bar moves to a wide
// display, where hiding then works.
TEST_F(CrowdedLaunchTest, retriesSelfHealWhenTheBarMovesAndBacksTheWatchdogOff) {
    furnishCrowdedBar(44, 420.0);
    AppDescription other;
    other.bundleIdentifier = u"com.example.other"_s;
    other.activationPolicy = ActivationPolicy::Regular;
    other.menusWidth = 380.0;
    const qint32 otherProcess = desktop.applications().launch(other);
    makeEngine();
    engine->setOnIconReplaced([this](StatusItemButton *) {
        ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    });
    engine->setReorderEnabled(true);
    startEngine();
    run(600.0);
    ASSERT_FALSE(entry(zorvItem(BarItems::zorvIconName)).onScreen);
    EXPECT_EQ(engine->hidingBlocked(), HidingBlockedReason::iconMisseated);
    const qsizetype selfHealRuns = records(u"reconcile-log.jsonl"_s).size();
    EXPECT_GE(selfHealRuns, 1);
    EXPECT_LE(selfHealRuns, 2);
    // Reveals 0, 1.6, 4.8, 11.2, 24, 49.6, 100.8, 203.2 and 408 s after the first: nine, not 375.
    EXPECT_EQ(watchdogReveals(), 9);
    const qsizetype seats = records(u"events.jsonl"_s, u"icon-seated"_s).size();
    desktop.applications().activate(otherProcess);
    run(2.0);
    EXPECT_EQ(watchdogReveals(), 10);
    EXPECT_EQ(records(u"events.jsonl"_s, u"icon-seated"_s).size(), seats + 1);

    // An application quitting frees too little room, but self-healing is tried again (at most
    // twice per change).
    desktop.applications().quit(entry(apps.front()).processId);
    run(5.0);
    EXPECT_GE(records(u"reconcile-log.jsonl"_s).size(), selfHealRuns + 1);
    EXPECT_LE(records(u"reconcile-log.jsonl"_s).size(), selfHealRuns + 2);
    EXPECT_EQ(engine->hidingBlocked(), HidingBlockedReason::iconMisseated);

    ScreenDescription wide;
    wide.size = {7680.0, 2160.0};
    desktop.arrangement().setMainScreen(desktop.arrangement().add(wide));
    run(30.0);
    EXPECT_TRUE(entry(zorvItem(BarItems::zorvIconName)).visible);
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    EXPECT_GT(records(u"reconcile-log.jsonl"_s).size(), selfHealRuns);
}

// What takes the icon out of sight once the engine runs with it in sight, if anything.
enum class ThenLost {
    // It is out of sight from the launch.
    fromTheStart,
    // Another application comes to the front with the menus of the case.
    menusComeToTheFront,
    // So too, as the Accessibility permission goes.
    menusComeAsThePermissionGoes,
};

struct LostIconCase {
    const char *name;
    // How far short of the rightmost slot's right edge the front application's menus end; none
    // for Finder's, far left of it.
    std::optional<double> menusShortOfTheRightEnd;
    bool seated;
    // Where on the bar the engine's items stand, in order: left of the first item starting this
    // far right; at the left end, off screen, when none.
    std::optional<double> keptNear = std::nullopt;
    ThenLost then = ThenLost::fromTheStart;

    friend void PrintTo(const LostIconCase &c, std::ostream *out) { *out << c.name; }
};

class LostIconTest : public CrowdedLaunchTest,
                     public ::testing::WithParamInterface<LostIconCase> {};

// The engine's items kept at the left end of the crowded bar, in order, as a first launch under
// menus too long to place them left them: no reveal brings an icon right of both separators back.
// Within two watchdog ticks the icon is created again alone at the right end, in sight, and the
// bar is tucked again. So too when the icon stands on screen but under the front
// application's menus or behind the camera housing. Where the menus cover part of the rightmost
// slot the icon would not be in sight there either, and nothing is created again. The same when
// an application whose menus cover the icon comes to the front later, though no scan reads the bar
// meanwhile, and when the permission goes with it: the menus cannot be read then, but an icon
// anywhere but in the rightmost slot may be under them.
TEST_P(LostIconTest, seatsAnIconLostRightOfBothSeparatorsInSight) {
    const LostIconCase &c = GetParam();
    furnishCrowdedBar(44, 420.0);
    makeEngine();
    qsizetype at = 0;
    if (c.keptNear) {
        const QList<quint64> bar = barOrder();
        while (at < bar.size() && entry(bar.at(at)).frame.left() < *c.keptNear) {
            ++at;
        }
    }
    desktop.items().moveToIndex(zorvItem(BarItems::zorvAlwaysHiddenSeparatorName), at);
    desktop.items().moveToIndex(zorvItem(BarItems::zorvHiddenSeparatorName), at + 1);
    desktop.items().moveToIndex(zorvItem(BarItems::zorvIconName), at + 2);
    double rightEnd = 0.0;
    for (const quint64 item : std::as_const(apps)) {
        rightEnd = std::max(rightEnd, entry(item).frame.right());
    }
    // The menus skip the camera housing, 200 points wide.
    const double menusWidth = rightEnd - c.menusShortOfTheRightEnd.value_or(rightEnd) - 200.0;
    std::optional<qint32> later;
    if (c.then != ThenLost::fromTheStart) {
        // Launched long before it comes to the front: no scan follows that.
        AppDescription editor;
        editor.bundleIdentifier = u"com.example.editor"_s;
        editor.activationPolicy = ActivationPolicy::Regular;
        editor.menusWidth = menusWidth;
        later = desktop.applications().launch(editor);
    } else if (c.menusShortOfTheRightEnd) {
        ASSERT_TRUE(desktop.applications().setMenusWidth(
            desktop.applications().frontmostProcessId().value_or(0), menusWidth));
    }
    startEngine();
    if (later) {
        run(5.0);
        ASSERT_TRUE(entry(zorvItem(BarItems::zorvIconName)).visible);
        desktop.permissions().setAccessibilityTrusted(c.then !=
                                                      ThenLost::menusComeAsThePermissionGoes);
        desktop.applications().activate(*later);
    }
    const BarEntry lost = entry(zorvItem(BarItems::zorvIconName));
    ASSERT_FALSE(lost.visible);
    ASSERT_EQ(lost.onScreen, c.keptNear.has_value()) << lost.frame.left();

    run(1.7);
    const BarEntry icon = entry(zorvItem(BarItems::zorvIconName));
    EXPECT_EQ(icon.visible, c.seated) << icon.frame.left();
    ASSERT_EQ(records(u"events.jsonl"_s, u"icon-seated"_s).size(), c.seated ? 1 : 0);
    if (!c.seated) {
        return;
    }
    run(60.0);
    EXPECT_TRUE(entry(zorvItem(BarItems::zorvIconName)).visible);
    EXPECT_FALSE(engine->isRevealed());
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    EXPECT_EQ(records(u"events.jsonl"_s, u"icon-seated"_s).size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Menus, LostIconTest,
    ::testing::Values(LostIconCase{"Short", std::nullopt, true},
                      LostIconCase{"OverTheRightSlotsLeftPart", 10.0, false},
                      LostIconCase{"IconUnderThem", std::nullopt, true, 200.0},
                      LostIconCase{"IconBehindTheHousing", std::nullopt, true, 740.0},
                      LostIconCase{"UnderMenusThatComeToTheFront", 60.0, true, 1100.0,
                                   ThenLost::menusComeToTheFront},
                      LostIconCase{"UnderMenusThatComeWithoutThePermission", 60.0, true, 1100.0,
                                   ThenLost::menusComeAsThePermissionGoes}),
    [](const auto &info) { return info.param.name; });

// A shown item shrinks while tucked: the hidden separator no longer reaches past the screen's
// edge, and the tuck is repaired within a second, long before the next scan.
TEST_F(EngineTest, tucksAgainWithinASecondWhenAShownItemShrinks) {
    addLaptop();
    furnishSections(400.0);
    startEngine();
    run(5.0);
    ASSERT_FALSE(onScreen(hidden));
    desktop.items().setLength(shown, 30.0);
    settle();
    ASSERT_TRUE(onScreen(hidden)) << "the shrink does not uncover the hidden item";
    run(1.0);
    EXPECT_FALSE(onScreen(hidden));
    EXPECT_FALSE(onScreen(always));
    EXPECT_EQ(reasons(u"tuck"_s), (QStringList{u"launch"_s, u"peeking"_s}));
    run(60.0);
    EXPECT_EQ(reasons(u"tuck"_s).size(), 2);
}

} // namespace
} // namespace zorv::testing
