#include "accessibility/axelementtable.h"
#include "enginetest.h"

#include <QCoroTask>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

using Published = QList<std::optional<HidingBlockedReason>>;

struct ScreenCase {
    const char *name;
    // Bottom-left origin of a second screen that holds the active bar; none for one screen.
    std::optional<QPointF> barScreenOrigin;
    QSizeF size;
    double housing;
};

class LaunchTuckTest : public EngineTest, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(LaunchTuckTest, hidesBothSectionsAndKeepsTheIconInView) {
    const ScreenCase &screens = GetParam();
    ScreenDescription display;
    display.size = screens.size;
    display.origin = screens.barScreenOrigin;
    display.cameraHousingWidth = screens.housing;
    display.menuBarHeight = screens.housing > 0 ? 37.0 : 24.0;
    if (screens.barScreenOrigin) {
        addLaptop();
    }
    desktop.arrangement().setMainScreen(desktop.arrangement().add(display));
    // A wide shown item carries the one left of it under the camera housing.
    furnishSections(screens.housing > 0 ? 640.0 : 30.0);
    const quint64 notched = addItem(toolsProcess, 30.0, u"notched"_s);
    arrangeSections({notched});
    startEngine();

    EXPECT_EQ((QList<bool>{onScreen(always), onScreen(hidden), onScreen(shown),
                           onScreen(zorvItem(BarItems::zorvIconName))}),
              (QList<bool>{false, false, true, true}));
    EXPECT_EQ(reasons(u"tuck"_s), QStringList{u"launch"_s});
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    QList<std::tuple<QString, Section, bool>> sections;
    for (const MenuBarItem &item : engine->lastItems()) {
        sections.append(
            {item.id.axIdentifier.value_or(QString()), item.section, item.isNotchObscured});
    }
    EXPECT_EQ(sections, (QList<std::tuple<QString, Section, bool>>{
                            {u"always"_s, Section::alwaysHidden, false},
                            {u"hidden"_s, Section::hidden, false},
                            {u"notched"_s, Section::shown, screens.housing > 0},
                            {u"shown"_s, Section::shown, false}}));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, LaunchTuckTest,
    ::testing::Values(ScreenCase{"OneLaptop", std::nullopt, {1512, 982}, 0.0},
                      ScreenCase{"BarRightOfMain", QPointF(1512, -98), {1920, 1080}, 0.0},
                      ScreenCase{"BarLeftOfMain", QPointF(-1920, -98), {1920, 1080}, 0.0},
                      ScreenCase{"Wide7680", std::nullopt, {7680, 2160}, 0.0},
                      ScreenCase{"CameraHousing", std::nullopt, {1512, 982}, 200.0}),
    [](const auto &info) { return info.param.name; });

struct RevealCase {
    const char *name;
    bool includingAlwaysHidden;
    bool holdOpen;
    double autoRehideSetting;
    // Seconds after the reveal when it is tucked again; none when it stays.
    std::optional<double> tuckedAfter;
    // The user opens the hidden item's menu a second after the reveal and closes it with a click
    // elsewhere this long after the reveal.
    std::optional<double> menuClosedAfter = std::nullopt;
    // This long after the reveal the user moves the mouse and a run is asked for: it waits for
    // the input to go quiet, and its closing tuck is the one the reveal ends with.
    std::optional<double> runAskedAfter = std::nullopt;
    // The menu the user opens is Zorv's own status menu, which holds no tuck.
    bool zorvsOwnMenu = false;
    // Just before closing the menu the user toggles the lanes away themselves: not held.
    bool toggledUnderTheMenu = false;

    friend void PrintTo(const RevealCase &c, std::ostream *out) { *out << c.name; }
};

class RevealTest : public EngineTest, public ::testing::WithParamInterface<RevealCase> {};

TEST_P(RevealTest, revealsTheAskedSectionsUntilTheClampedAutoHide) {
    const RevealCase &reveal = GetParam();
    addLaptop();
    furnishSections();
    engine->setAutoRehideSeconds(reveal.autoRehideSetting);
    startEngine();
    drive(engine->setHiddenRevealed(true, reveal.includingAlwaysHidden, reveal.holdOpen));
    run(1.0);
    EXPECT_TRUE(onScreen(hidden));
    EXPECT_EQ(onScreen(always), reveal.includingAlwaysHidden);
    EXPECT_EQ(reasons(u"reveal"_s),
              QStringList{reveal.holdOpen ? u"automation-hold"_s : u"request"_s});
    double at = 1.0;
    if (reveal.menuClosedAfter) {
        if (reveal.zorvsOwnMenu) {
            StatusItemButton &icon = *engine->separatorController().icon().button();
            MenuItem quit;
            quit.title = u"Quit Zorv"_s;
            desktop.menus().popUp(std::make_shared<const Menu>(Menu{u"Zorv"_s, {}, {quit}}), icon,
                                  {0, 30});
        } else {
            desktop.userInput().click(entry(hidden).frame.center());
        }
        run(*reveal.menuClosedAfter - at);
        at = *reveal.menuClosedAfter;
        ASSERT_TRUE(reveal.zorvsOwnMenu ? desktop.menus().isTracking()
                                        : desktop.readout().openItemMenu().has_value());
        if (reveal.toggledUnderTheMenu) {
            drive(engine->toggleRevealed(false));
        }
        // Tucked by now only by the toggle or an auto-hide that came due with Zorv's own menu
        // open; a tuck held for another application's menu comes as it closes.
        EXPECT_EQ(engine->isRevealed(), !reveal.toggledUnderTheMenu &&
                                            (!reveal.tuckedAfter || *reveal.tuckedAfter >= at));
        desktop.userInput().click(kUserSpot);
    }
    std::optional<QCoro::Task<>> pass;
    if (reveal.runAskedAfter) {
        run(*reveal.runAskedAfter - at);
        at = *reveal.runAskedAfter;
        engine->setReorderEnabled(true);
        desktop.userInput().moveMouse(kUserSpot + QPointF(10.0, 0.0));
        pass = engine->reconcileMenuBar(u"user-move"_s);
    }

    const double due = reveal.tuckedAfter.value_or(4000.0);
    if (due - 0.5 > at) {
        run(due - 0.5 - at);
        at = due - 0.5;
        EXPECT_TRUE(engine->isRevealed());
        // A run asked for meanwhile is still in flight, past when the auto-hide came due.
        EXPECT_EQ(engine->reconcileInFlight(), reveal.runAskedAfter.has_value());
    }
    run(std::max(0.0, due + 0.5 - at));
    if (pass) {
        drive(std::move(*pass));
    }
    EXPECT_EQ(engine->isRevealed(), !reveal.tuckedAfter);
    EXPECT_EQ(onScreen(hidden), !reveal.tuckedAfter);
    QStringList tucks{u"launch"_s};
    if (reveal.tuckedAfter) {
        tucks.append(reveal.runAskedAfter         ? u"reconcile"_s
                     : reveal.toggledUnderTheMenu ? u"toggle"_s
                                                  : u"auto-rehide"_s);
    }
    EXPECT_EQ(reasons(u"tuck"_s), tucks);
}

INSTANTIATE_TEST_SUITE_P(
    Reveals, RevealTest,
    ::testing::Values(RevealCase{"HiddenOnly", false, false, 10.0, 10.0},
                      RevealCase{"WithAlwaysHidden", true, false, 10.0, 10.0},
                      RevealCase{"HeldOpen", false, true, 10.0, std::nullopt},
                      RevealCase{"AutoHideOff", false, false, 0.0, std::nullopt},
                      RevealCase{"NegativeDelayIsOff", false, false, -5.0, std::nullopt},
                      RevealCase{"NaNDelayMeansDefault", false, false, std::nan(""), 10.0},
                      RevealCase{"InfiniteDelayMeansDefault", false, false, INFINITY, 10.0},
                      RevealCase{"HugeDelayIsCappedAtAnHour", false, false, 1e300, 3600.0},
                      RevealCase{"MenuOpenPastTheDelay", false, false, 10.0, 20.0, 20.0},
                      RevealCase{"MenuClosedWithinTheDelay", false, false, 10.0, 10.0, 5.0},
                      RevealCase{"RunInFlightAsTheDelayEnds", false, false, 10.0, 11.0,
                                 std::nullopt, 9.5},
                      RevealCase{"ZorvsOwnMenuOpenPastTheDelay", false, false, 10.0, 10.0, 20.0,
                                 std::nullopt, true},
                      RevealCase{"ToggledAwayUnderAnOpenMenu", false, false, 10.0, 5.0, 5.0,
                                 std::nullopt, false, true}),
    [](const auto &info) { return info.param.name; });

TEST_F(EngineTest, aSecondRevealRestartsTheDelayAndTogglesFlipTheState) {
    addLaptop();
    furnishSections();
    startEngine();
    drive(engine->setHiddenRevealed(true, false));
    run(6.0);
    drive(engine->setHiddenRevealed(true, false));
    run(9.5);
    EXPECT_TRUE(engine->isRevealed());
    run(1.0);
    EXPECT_FALSE(engine->isRevealed());
    drive(engine->toggleRevealed(false));
    EXPECT_TRUE(engine->isRevealed());
    drive(engine->toggleRevealed(false));
    EXPECT_FALSE(engine->isRevealed());
    EXPECT_EQ(reasons(u"reveal"_s), (QStringList{u"request"_s, u"request"_s, u"toggle"_s}));
    EXPECT_EQ(reasons(u"tuck"_s), (QStringList{u"launch"_s, u"auto-rehide"_s, u"toggle"_s}));
}

// A system that puts Zorv's icon back left of its separators each time Zorv creates the icon
// anew: seating it again does not help, and recovery backs off.
TEST_F(EngineTest, aRefusedTuckRecoversWithBackOffAndPublishesWhyHidingIsBlocked) {
    addLaptop();
    furnishSections();
    Published published;
    engine->setOnHidingBlockedChanged(
        [&published](std::optional<HidingBlockedReason> reason) { published.append(reason); });
    int refusals = 0;
    engine->setOnTuckRefused([&refusals] { ++refusals; });
    bool systemPushesTheIcon = true;
    int seated = 0;
    engine->setOnIconReplaced([this, &systemPushesTheIcon, &seated](StatusItemButton *) {
        ++seated;
        if (systemPushesTheIcon) {
            ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
        }
    });
    startEngine();
    drive(engine->setHiddenRevealed(true, false));
    ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    settle();
    drive(engine->setHiddenRevealed(false, false));
    EXPECT_EQ(refusals, 1);
    EXPECT_EQ(engine->hidingBlocked(), HidingBlockedReason::iconMisseated);
    EXPECT_TRUE(onScreen(always));

    // Attempts 0.7 s after each pause of 2, 4, 8, 16, 16 s: at 0.7, 3.4, 8.1, 16.8, 33.5, 50.2 s.
    run(50.0);
    EXPECT_EQ(records(u"events.jsonl"_s, u"tuck-recovery"_s).size(), 5);
    run(1.0);
    EXPECT_EQ(records(u"events.jsonl"_s, u"tuck-recovery"_s).size(), 6);
    EXPECT_EQ(seated, 6) << "every attempt seats the icon again";

    systemPushesTheIcon = false;
    run(17.0);
    EXPECT_FALSE(onScreen(hidden));
    EXPECT_TRUE(reasons(u"tuck"_s).contains(u"tuck-recovery"_s));
    EXPECT_EQ(published,
              (Published{std::nullopt, HidingBlockedReason::iconMisseated, std::nullopt}));
}

// The recovery of a refused tuck lays the bar out again only once a run in flight has ended: its
// second attempt, due 2.7 s on, waits for a run asked for at 1 s while the user moves the mouse.
// The system puts the icon back left of the separators each time it is seated: every attempt fails.
TEST_F(EngineTest, aTuckRecoveryWaitsForARunInFlight) {
    addLaptop();
    furnishSections();
    engine->setOnIconReplaced([this](StatusItemButton *) {
        ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    });
    startEngine();
    drive(engine->setHiddenRevealed(true, false));
    ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    settle();
    drive(engine->setHiddenRevealed(false, false));
    run(1.0);
    ASSERT_EQ(records(u"events.jsonl"_s, u"tuck-recovery"_s).size(), 1);

    engine->setReorderEnabled(true);
    QCoro::Task<> pass = engine->reconcileMenuBar(u"user-move"_s);
    for (int step = 0; step < 6; ++step) {
        desktop.userInput().moveMouse(kUserSpot + QPointF(step, 0.0));
        run(0.5);
    }
    run(1.0);
    ASSERT_TRUE(engine->reconcileInFlight());
    EXPECT_EQ(records(u"events.jsonl"_s, u"tuck-recovery"_s).size(), 1);
    drive(std::move(pass));
    run(2.0);
    EXPECT_EQ(records(u"events.jsonl"_s, u"tuck-recovery"_s).size(), 2);
}

// "Try Again Now" with the icon still left of the separators seats it again before the tuck.
TEST_F(EngineTest, aRetrySeatsAMisplacedIconAndTucks) {
    addLaptop();
    furnishSections();
    startEngine();
    ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    settle();
    drive(engine->setHiddenRevealed(false, false));
    ASSERT_EQ(engine->hidingBlocked(), HidingBlockedReason::iconMisseated);
    engine->forceShowEverything();
    drive(engine->retryHiding());
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    EXPECT_FALSE(engine->isRevealed());
    EXPECT_FALSE(onScreen(hidden));
    EXPECT_TRUE(onScreen(shown));
    EXPECT_TRUE(reasons(u"tuck"_s).contains(u"retry-hiding"_s));
}

TEST_F(EngineTest, theEmergencyRevealStopsRecoveryAndARetryTucksAgain) {
    addLaptop();
    furnishSections();
    startEngine();
    ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    settle();
    drive(engine->setHiddenRevealed(false, false));
    ASSERT_EQ(engine->hidingBlocked(), HidingBlockedReason::iconMisseated);
    engine->forceShowEverything();
    EXPECT_TRUE(engine->isRevealed());
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    run(20.0);
    EXPECT_TRUE(records(u"events.jsonl"_s, u"tuck-recovery"_s).isEmpty());
    EXPECT_TRUE(reasons(u"reveal"_s).isEmpty());

    arrangeSections();
    drive(engine->retryHiding());
    const QList<QJsonObject> retries = records(u"events.jsonl"_s, u"tuck-recovery"_s);
    ASSERT_EQ(retries.size(), 1);
    EXPECT_EQ(retries.first().value(u"attempt"_s).toInt(), 0);
    EXPECT_EQ(retries.first().value(u"reason"_s).toString(), u"asked for"_s);
    EXPECT_EQ(reasons(u"tuck"_s).last(), u"retry-hiding"_s);
    EXPECT_FALSE(engine->isRevealed());
    EXPECT_FALSE(onScreen(hidden));
}

TEST_F(EngineTest, theWatchdogRevealsOnTheSecondTickWithTheIconOffScreen) {
    addLaptop();
    furnishSections();
    startEngine();
    run(4.0);
    ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    run(0.8);
    EXPECT_TRUE(records(u"events.jsonl"_s, u"watchdog-miss"_s).isEmpty());
    run(0.8);
    EXPECT_EQ(records(u"events.jsonl"_s, u"watchdog-miss"_s).size(), 1);
    EXPECT_EQ(reasons(u"reveal"_s), QStringList{u"watchdog: icon off-screen"_s});
}

TEST_F(EngineTest, aDisplayThatDoesNotHideIsReportedAfterThirtySeconds) {
    ScreenDescription display;
    display.notHiding = true;
    desktop.arrangement().add(display);
    furnishSections();
    Published published;
    engine->setOnHidingBlockedChanged(
        [&published](std::optional<HidingBlockedReason> reason) { published.append(reason); });
    startEngine();
    // Nothing hidden is first seen on the stable scan at 30 s; the watchdog publishes at 60.8 s.
    run(59.0);
    EXPECT_EQ(published, Published{std::nullopt});
    run(3.0);
    EXPECT_EQ(published, (Published{std::nullopt, HidingBlockedReason::displayNotHiding}));
    EXPECT_FALSE(records(u"reconcile-log.jsonl"_s, u"nothing-hidden"_s).isEmpty());
}

// A run stopped by a menu the user left open holds its closing tuck: the lanes it revealed stay
// in view until the menu closes. That says nothing of the display: no retuck is asked meanwhile,
// hiding is not reported blocked, and the held tuck hides the lanes once the menu closes.
TEST_F(EngineTest, aTuckHeldForAMenuIsNotTakenForADisplayThatDoesNotHide) {
    addLaptop();
    toolsProcess = launch(tools);
    always = addItem(toolsProcess, 30.0, u"always"_s);
    hidden = addItem(toolsProcess, 30.0, u"hidden"_s);
    const quint64 other = addItem(toolsProcess, 30.0, u"other"_s);
    shown = addItem(toolsProcess, 30.0, u"shown"_s);
    makeEngine(
        layoutOf({idOf(u"shown"_s), idOf(u"other"_s)}, {idOf(u"hidden"_s)}, {idOf(u"always"_s)}));
    arrangeSections({other});
    engine->setReorderEnabled(true);
    startEngine();
    run(5.0);
    QCoro::Task<> reconciling = engine->reconcileMenuBar(u"user-move"_s);
    const auto revealedForTheRun = [this] {
        return entry(zorvItem(BarItems::zorvHiddenSeparatorName)).length ==
               SeparatorController::collapsedLength;
    };
    ASSERT_NO_FATAL_FAILURE(runUntil(revealedForTheRun));
    ASSERT_EQ(desktop.accessibility().performAction(AXElementTable::item(hidden), u"AXPress"_s),
              AXError::Success);
    drive(std::move(reconciling), 700.0);
    ASSERT_TRUE(desktop.readout().openItemMenu().has_value());
    run(120.0);
    EXPECT_TRUE(onScreen(hidden));
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    EXPECT_TRUE(records(u"reconcile-log.jsonl"_s, u"nothing-hidden"_s).isEmpty());

    desktop.userInput().pressKey(KeyCode::escape);
    run(1.0);
    EXPECT_FALSE(onScreen(hidden));
    EXPECT_EQ(reasons(u"tuck"_s), (QStringList{u"launch"_s, u"reconcile"_s}));
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
}

struct IconMovedCase {
    const char *name;
    // The reveal standing when the system moves the icon; none while tucked.
    std::optional<bool> revealedWithAlwaysHidden;
    bool holdOpen;
    // Items of another application at the left end of the bar, in no lane of the layout: many
    // crowd it so that a reveal leaves the icon at the left end out of sight.
    int crowding = 0;
    // How far the front application's menus reach.
    double menusWidth = 0.0;
    // The Accessibility permission goes, and a scan finds it gone, before the system moves it.
    bool permissionGone = false;
    // A run is under way, waiting while the user moves the mouse for four seconds from then on.
    bool runWaitsForTheUser = false;
    // The front application's menus end just left of the icon in its seat, as a scan reads them:
    // the slot it goes back to is clear, the one left of it is not.
    bool menusEndBesideTheIcon = false;
    // A run is under way, waiting to tell whether its drag of an item the user put in the wrong
    // lane took: the item's application hangs as the drag ends, so no scan reads it moved.
    bool runJudgesADragOfAHungApplication = false;
    // The hidden lane wider than the screen: revealed, it leaves the always-hidden separator off
    // screen, so that the bar reads as laid out only after the engine has waited for it.
    bool hiddenLaneOverflows = false;
    // Seconds after the icon is back in sight when the system moves it to the left end again:
    // none when it moves it once.
    std::optional<double> movedAgainAfter = std::nullopt;
    // The permission, gone, is granted back once the system has moved the icon: the grant's
    // placement creates the items anew, then waits seconds for the bar to settle.
    bool grantedBackAsItIsMoved = false;

    friend void PrintTo(const IconMovedCase &c, std::ostream *out) { *out << c.name; }
};

class IconMovedToTheLeftEndTest : public EngineTest,
                                  public ::testing::WithParamInterface<IconMovedCase> {};

// The system puts the icon at the left end of the items, behind whichever separator is long at
// that moment: the watchdog brings it back within two ticks and hiding works again once the
// icon is back in its seat.
TEST_P(IconMovedToTheLeftEndTest, comesBackWithinTwoWatchdogTicksAndHidingWorksAgain) {
    const IconMovedCase &c = GetParam();
    addLaptop();
    // The clock and Control Center hold the right end, where a seated icon goes left of them.
    addFixedClockAndControlCenter(80.0, 24.0);
    bringToFrontWithMenus(c.menusWidth);
    furnishSections();
    const qint32 crowd = launch(u"com.example.crowd"_s);
    for (int i = 0; i < c.crowding; ++i) {
        addItem(crowd, 80.0, u"crowd%1"_s.arg(i));
    }
    if (c.hiddenLaneOverflows) {
        desktop.items().setLength(hidden, 1600.0);
    }
    settle();
    engine->setReorderEnabled(true);
    startEngine();
    run(4.0);
    if (c.revealedWithAlwaysHidden) {
        drive(engine->setHiddenRevealed(true, *c.revealedWithAlwaysHidden, c.holdOpen));
        run(1.0);
    }
    if (c.menusEndBesideTheIcon) {
        ASSERT_TRUE(desktop.applications().setMenusWidth(
            desktop.applications().frontmostProcessId().value_or(0),
            entry(zorvItem(BarItems::zorvIconName)).frame.left() - 4.0));
        drive(engine->refresh());
    }
    if (c.permissionGone) {
        desktop.permissions().setAccessibilityTrusted(false);
        drive(engine->refresh());
    }
    std::optional<QCoro::Task<>> pass;
    const QPointF userSpot(700.0, 500.0);
    if (c.runWaitsForTheUser) {
        desktop.userInput().moveMouse(userSpot);
        pass = engine->reconcileMenuBar(u"user-move"_s);
        ASSERT_TRUE(engine->reconcileInFlight());
    }
    if (c.runJudgesADragOfAHungApplication) {
        desktop.items().moveToIndex(shown, barOrder().indexOf(hidden) + 1);
        settle();
        pass = engine->reconcileMenuBar(u"user-move"_s);
        // Its drag back is under way 0.2 s on.
        run(0.2);
        desktop.applications().setHung(toolsProcess, true);
    }
    desktop.items().moveToIndex(zorvItem(BarItems::zorvIconName), 0);
    settle();
    ASSERT_EQ(barOrder().indexOf(zorvItem(BarItems::zorvIconName)), 0);
    if (c.grantedBackAsItIsMoved) {
        desktop.permissions().setAccessibilityTrusted(true);
        drive(engine->refresh());
    }
    // Seated again, the icon is an item of its own.
    const auto iconSeen = [this] { return entry(zorvItem(BarItems::zorvIconName)).visible; };
    double longestOff = 0.0;
    double off = 0.0;
    std::optional<int> backAt;
    for (int step = 0; step < 100; ++step) {
        if (c.runWaitsForTheUser && step < 40) {
            desktop.userInput().moveMouse(userSpot + QPointF(step, 0.0));
        }
        if (c.movedAgainAfter && backAt && step == *backAt + qRound(*c.movedAgainAfter * 10.0)) {
            desktop.items().moveToIndex(zorvItem(BarItems::zorvIconName), 0);
        }
        run(0.1);
        off = iconSeen() ? 0.0 : off + 0.1;
        longestOff = std::max(longestOff, off);
        if (!backAt && iconSeen()) {
            backAt = step;
        }
    }
    EXPECT_LE(longestOff, 2 * 0.8 + 0.05);
    EXPECT_TRUE(iconSeen());

    if (pass) {
        drive(std::move(*pass));
    }
    // The run could not tell where the item went: the seat moved it over meanwhile. It read the
    // bar again and ended; asked again, it brings the item back.
    if (c.runJudgesADragOfAHungApplication) {
        const QJsonObject last = engine->lastReconcile();
        EXPECT_LT(last[u"passes"_s].toInt(), 5);
        ASSERT_FALSE(last[u"moves"_s].toArray().isEmpty());
        EXPECT_FALSE(last[u"moves"_s][0].toObject().contains(u"took"_s));
        desktop.applications().setHung(toolsProcess, false);
        drive(engine->reconcileMenuBar(u"user-move"_s));
    }
    if (c.holdOpen) {
        EXPECT_TRUE(engine->isRevealed());
        drive(engine->setHiddenRevealed(false, false));
    }
    run(10.0);
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    EXPECT_FALSE(engine->isRevealed());
    const quint64 icon = zorvItem(BarItems::zorvIconName);
    const QList<quint64> bar = barOrder();
    EXPECT_GT(bar.indexOf(icon), bar.indexOf(zorvItem(BarItems::zorvHiddenSeparatorName)));
    EXPECT_EQ((QList<bool>{onScreen(always), onScreen(hidden), onScreen(shown), iconSeen()}),
              (QList<bool>{false, false, true, true}));
}

INSTANTIATE_TEST_SUITE_P(
    Reveals, IconMovedToTheLeftEndTest,
    ::testing::Values(
        IconMovedCase{"Tucked", std::nullopt, false}, IconMovedCase{"HiddenRevealed", false, false},
        IconMovedCase{"HiddenRevealedHeldOpen", false, true},
        IconMovedCase{"EverythingRevealed", true, false},
        IconMovedCase{"CrowdedTucked", std::nullopt, false, 18},
        IconMovedCase{"CrowdedHiddenRevealed", false, false, 18},
        IconMovedCase{"RevealedUnderLongMenus", false, false, 8, 400.0},
        IconMovedCase{"CrowdedWithoutThePermission", std::nullopt, false, 18, 0.0, true},
        IconMovedCase{"WhileARunWaitsForTheUser", std::nullopt, false, 18, 0.0, false, true},
        IconMovedCase{"CrowdedUnderMenusEndingBesideIt", std::nullopt, false, 18, 0.0, false, false,
                      true},
        IconMovedCase{"WhileARunJudgesADragOfAHungApplication", std::nullopt, false, 18, 0.0, false,
                      false, false, true},
        IconMovedCase{"OverflowingRevealedMovedAgainAsItIsSeated", false, false, 18, 0.0, false,
                      false, false, false, true, 1.0},
        IconMovedCase{"OverflowingTuckedMovedAgainAsItIsSeated", std::nullopt, false, 18, 0.0,
                      false, false, false, false, true, 1.0},
        IconMovedCase{"OverflowingGrantedBackMovedAgainAsItsPlacementSettles", std::nullopt, false,
                      18, 0.0, true, false, false, false, true, 0.3, true}),
    [](const auto &info) { return info.param.name; });

} // namespace
} // namespace zorv::testing
