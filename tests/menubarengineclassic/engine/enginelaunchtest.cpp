#include "crowdedlaunchtest.h"

#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

struct LaunchCase {
    const char *name;
    int applications;
    // The front application's menus; none: Finder's are in front.
    std::optional<double> menus;
    std::optional<QPointF> external;
    // Finder's menus; none: Finder does not run.
    std::optional<double> finderMenus = std::nullopt;
    // Seconds after the launch the Accessibility permission comes; 0: it is there at the launch.
    double grantedAfter = 0.0;
    // As the application does, the stored layout is handed over before the launch.
    bool layoutAppliedFirst = false;

    // The menus that judge what is in view: Finder's, else the front application's.
    [[nodiscard]] double deskMenus() const { return finderMenus.value_or(menus.value_or(0.0)); }

    friend void PrintTo(const LaunchCase &c, std::ostream *out) { *out << c.name; }
};

class FirstLaunchTest : public CrowdedLaunchTest,
                        public ::testing::WithParamInterface<LaunchCase> {};

// No position is kept for the engine's items: they come up in reach, beside what was in view at
// the desktop, with what was out of sight there hidden, and stay so for an hour without the
// watchdog stepping in. Which application is in front makes no difference to what is hidden: with
// Finder running, its menus judge what is in view, so the hidden lane ends where a drag reaches it
// while they are in front. Nor does it matter whether the permission comes at the launch or later.
TEST_P(FirstLaunchTest, comesUpInReachAndHidesNothingThatWasInView) {
    const LaunchCase &c = GetParam();
    furnishCrowdedBar(c.applications, c.menus, c.external, c.finderMenus);
    const QSet<quint64> before = inView(c.deskMenus());
    ASSERT_LT(before.size(), apps.size()) << "the bar is not crowded";
    // What has room beside the desktop's menus for the icon and the separator, each with the bar's
    // spacing of 16 points, stays shown.
    const double room =
        desktop.model().read([](const DesktopState &state) { return state.thickness; }) +
        SeparatorController::collapsedLength + 2 * 16.0;
    QSet<quint64> roomy;
    for (const quint64 item : before) {
        if (entry(item).frame.left() >= c.deskMenus() + room) {
            roomy.insert(item);
        }
    }
    rememberZorvPositions = false;
    desktop.permissions().setAccessibilityTrusted(c.grantedAfter == 0.0);
    makeEngine();
    if (c.layoutAppliedFirst) {
        drive(engine->apply(engine->storedLayout()));
    }
    startEngine();
    if (c.grantedAfter == 0.0) {
        // Whoever takes items in from the first list takes them into the lanes the bar has.
        const QHash<quint64, Section> published = lanesFirstPublished();
        const QHash<quint64, Section> onBar = lanesOnBar();
        int elsewhere = 0;
        for (const quint64 item : std::as_const(apps)) {
            elsewhere += published.value(item, Section::shown) != onBar.value(item) ? 1 : 0;
        }
        EXPECT_EQ(elsewhere, 0) << "items the first list puts in another lane than the bar";
    }
    if (c.grantedAfter > 0.0) {
        run(c.grantedAfter);
        desktop.permissions().setAccessibilityTrusted(true);
        // A scan notices the grant within a second, and the tuck recovery, which looks for it
        // every second, tucks 0.7 s after it does.
        run(1.0);
    }
    run(2.0);

    const BarEntry icon = entry(zorvItem(BarItems::zorvIconName));
    EXPECT_TRUE(icon.visible) << icon.frame.left();
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    EXPECT_FALSE(engine->isRevealed());
    const QList<QJsonObject> placements = records(u"events.jsonl"_s, u"launch-placement"_s);
    ASSERT_EQ(placements.size(), c.grantedAfter == 0.0 ? 1 : 2);
    EXPECT_TRUE(placements.last().value(u"placed"_s).toBool());
    // Inserting the icon and its separator pushes what stands right beside the screen's left edge,
    // the desktop's menus or the housing out of view; nothing else in view moves.
    EXPECT_LE((before - inView(c.deskMenus())).size(), 4);
    const QHash<quint64, Section> lanes = lanesOnBar();
    for (const quint64 item : std::as_const(roomy)) {
        EXPECT_EQ(rawValue(lanes.value(item)).toStdString(), "shown") << entry(item).frame.left();
    }
    const double hiddenSepRight = entry(zorvItem(BarItems::zorvHiddenSeparatorName)).frame.right();
    EXPECT_GT(hiddenSepRight, c.deskMenus()) << "the hidden lane ends under the desktop's menus";
    for (const quint64 item : std::as_const(apps)) {
        const BarEntry seen = entry(item);
        if (!before.contains(item) && !seen.underHousing) {
            EXPECT_FALSE(seen.onScreen) << seen.frame.left();
            EXPECT_LT(seen.frame.right(), hiddenSepRight);
        }
    }

    run(3600.0);
    EXPECT_TRUE(entry(zorvItem(BarItems::zorvIconName)).visible);
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    EXPECT_EQ(watchdogReveals(), 0);
    EXPECT_EQ(reasons(u"tuck"_s).count(u"launch"_s), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, FirstLaunchTest,
    ::testing::Values(
        LaunchCase{"FortyFourItems", 44, 420.0, std::nullopt},
        LaunchCase{"FortyFourItemsFinderInFront", 44, std::nullopt, std::nullopt, 420.0},
        LaunchCase{"FortyFourItemsWithTheLayoutAppliedFirst", 44, 420.0, std::nullopt, std::nullopt,
                   0.0, true},
        LaunchCase{"FortyFourItemsUnderLongMenusFinderRunning", 44, 1100.0, std::nullopt, 420.0},
        LaunchCase{"FortyFourItemsUnderShortMenusFinderRunning", 44, 300.0, std::nullopt, 420.0},
        LaunchCase{"SeventeenAppsAndAnExternalDisplay", 17, 560.0, QPointF(-1920.0, -98.0)},
        LaunchCase{"FortyFourItemsFinderInFrontGrantedLate", 44, std::nullopt, std::nullopt, 420.0,
                   300.0},
        LaunchCase{"FortyFourItemsUnderLongerMenusFinderRunningGrantedLate", 44, 560.0,
                   std::nullopt, 420.0, 300.0}),
    [](const auto &info) { return info.param.name; });

// A new user launches the engine before granting the Accessibility permission: nothing can be
// measured, so the icon comes up in sight at the right end of the crowded bar, the separators
// left of it, and stays there while an application with menus past the housing is in front;
// hiding is refused, waiting for the permission, and recovery waits instead of retrying. A few
// minutes later the user grants the permission: the engine places its items in reach as at a first
// launch with the permission, and hiding works within seconds. Revoked and granted back, it holds.
TEST_F(CrowdedLaunchTest, placesItsItemsInReachOnceAccessibilityIsGrantedLate) {
    furnishCrowdedBar(44, 420.0);
    desktop.permissions().setAccessibilityTrusted(false);
    rememberZorvPositions = false;
    makeEngine();
    engine->setReorderEnabled(true);
    startEngine();
    run(2.0);
    EXPECT_TRUE(entry(zorvItem(BarItems::zorvIconName)).visible);
    AppDescription longMenus;
    longMenus.bundleIdentifier = u"com.example.longmenus"_s;
    longMenus.activationPolicy = ActivationPolicy::Regular;
    longMenus.menusWidth = 1000.0;
    const qint32 longMenusProcess = desktop.applications().launch(longMenus);
    desktop.applications().activate(longMenusProcess);
    run(240.0);
    const BarEntry inSight = entry(zorvItem(BarItems::zorvIconName));
    EXPECT_TRUE(inSight.visible) << inSight.frame.left();
    // Hiding waits for the permission, and says so rather than blaming the icon.
    EXPECT_TRUE(engine->waitingForAccessibility());
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    EXPECT_EQ(watchdogReveals(), 0);
    for (const QString &separator :
         {BarItems::zorvHiddenSeparatorName, BarItems::zorvAlwaysHiddenSeparatorName}) {
        EXPECT_EQ(entry(zorvItem(separator)).length, SeparatorController::collapsedLength)
            << "nothing is hidden";
    }
    const qsizetype waitingAttempts = records(u"events.jsonl"_s, u"tuck-recovery"_s).size();
    EXPECT_LE(waitingAttempts, 2) << "recovery waits for the permission";
    // Menus that long leave no room to place the items in reach.
    desktop.applications().quit(longMenusProcess);

    desktop.permissions().setAccessibilityTrusted(true);
    run(5.0);
    const qsizetype revealsAfterGrant = watchdogReveals();
    const BarEntry icon = entry(zorvItem(BarItems::zorvIconName));
    EXPECT_TRUE(icon.visible) << icon.frame.left();
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    EXPECT_FALSE(engine->isRevealed());
    const QList<QJsonObject> placements = records(u"events.jsonl"_s, u"launch-placement"_s);
    ASSERT_EQ(placements.size(), 2);
    EXPECT_FALSE(placements.first().value(u"placed"_s).toBool());
    EXPECT_TRUE(placements.last().value(u"placed"_s).toBool());

    desktop.permissions().setAccessibilityTrusted(false);
    run(120.0);
    desktop.permissions().setAccessibilityTrusted(true);
    run(5.0);
    run(3600.0);
    EXPECT_TRUE(entry(zorvItem(BarItems::zorvIconName)).visible);
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    EXPECT_FALSE(engine->isRevealed());
    EXPECT_EQ(records(u"events.jsonl"_s, u"launch-placement"_s).size(), 2)
        << "the items stayed in reach: nothing to place again";
    EXPECT_EQ(watchdogReveals(), revealsAfterGrant);
}

// Launched again before the permission came, the engine finds its items kept where the first
// launch without it put them: the icon in sight, the separators out of order, hiding refused. The
// grant then places them in reach as at a first launch, and hiding works.
TEST_F(CrowdedLaunchTest, placesItemsKeptInSightInReachOnceAccessibilityIsGranted) {
    furnishCrowdedBar(44, 420.0);
    desktop.permissions().setAccessibilityTrusted(false);
    keepItemsInSight();
    makeEngine();
    startEngine();
    run(60.0);
    EXPECT_TRUE(entry(zorvItem(BarItems::zorvIconName)).visible);
    // Hiding waits for the permission, and says so rather than blaming the icon.
    EXPECT_TRUE(engine->waitingForAccessibility());
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    EXPECT_TRUE(records(u"events.jsonl"_s, u"launch-placement"_s).isEmpty());

    desktop.permissions().setAccessibilityTrusted(true);
    run(5.0);
    const QList<QJsonObject> placements = records(u"events.jsonl"_s, u"launch-placement"_s);
    ASSERT_EQ(placements.size(), 1);
    EXPECT_TRUE(placements.first().value(u"placed"_s).toBool());
    EXPECT_TRUE(entry(zorvItem(BarItems::zorvIconName)).visible);
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    EXPECT_FALSE(engine->isRevealed());
}

// The user opens an item the moment the permission is granted back, while the icon stands out of
// order: the placement that follows re-creates the icon, which lays the bar out again, and the
// item is clicked where it stands after that, not where the icon then stands.
TEST_F(CrowdedLaunchTest, opensAnItemAskedForAsAccessibilityIsGrantedWhereThePlacementLeftIt) {
    furnishCrowdedBar(44, 420.0);
    rememberZorvPositions = false;
    const UsersLayout users = usersLayout();
    makeEngine(users.layout);
    startEngine();
    run(60.0);
    desktop.permissions().setAccessibilityTrusted(false);
    run(120.0);
    desktop.items().moveZorvIconLeftOfSeparators();
    run(5.0);

    desktop.permissions().setAccessibilityTrusted(true);
    drive(engine->activate(users.layout.ids(Section::shown).last(), ClickKind::left));
    const QList<DeliveredClick> clicks = desktop.readout().clicks();
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.first().itemId, users.leftToRight.last());
}

// When a request comes, against the grant: long before it, in the moment before the engine
// notices it, while the placement it starts is under way, or long before and once more as the
// placement ends, before the request kept is taken.
enum class AskedAt { longBefore, beforeTheEngineNotices, duringThePlacement, againAsItEnds };

struct SortCase {
    const char *name;
    AskedAt askedAt;
    // The permission was there at launch and taken away, and the layout was handed over
    // meanwhile: a scan of the bar, which nothing else blocks, would start a run towards it.
    bool revokedAfterLaunch = false;

    friend void PrintTo(const SortCase &c, std::ostream *out) { *out << c.name; }
};

class SortAtTheGrantTest : public CrowdedLaunchTest,
                           public ::testing::WithParamInterface<SortCase> {
protected:
    // Grants the permission; with AskedAt::duringThePlacement, runs on until the engine has
    // taken the grant and its placement is under way.
    void grant() {
        desktop.permissions().setAccessibilityTrusted(true);
        if (GetParam().askedAt == AskedAt::duringThePlacement) {
            runUntilTheGrantIsTaken();
        }
    }

    // Where in "events.jsonl" the first record of this kind stands; -1 when there is none.
    [[nodiscard]] qsizetype firstEvent(const QString &kind) const {
        const QList<QJsonObject> events = records(u"events.jsonl"_s);
        for (qsizetype i = 0; i < events.size(); ++i) {
            if (events.at(i).value(u"kind"_s) == kind) {
                return i;
            }
        }
        return -1;
    }
};

// Sort My Bar, asked for twice without the permission while arranging is otherwise off: nothing
// is dragged before the grant, and no run starts from a scan while its placement is under way.
// The separators go between the user's lanes first; then the newest request is carried out, once,
// and the bar stands in the order and lanes asked for, the hidden items out of sight.
TEST_P(SortAtTheGrantTest, sortsOnceAfterTheGrantsPlacement) {
    furnishCrowdedBar(44, 420.0);
    const bool revoked = GetParam().revokedAfterLaunch;
    desktop.permissions().setAccessibilityTrusted(revoked);
    rememberZorvPositions = false;
    const UsersLayout users = usersLayout();
    // The user wants the two rightmost shown items the other way round.
    QList<MenuBarItemID> shown = users.layout.ids(Section::shown);
    shown.swapItemsAt(shown.size() - 2, shown.size() - 1);
    const SectionLayout wanted =
        layoutOf(shown, users.layout.ids(Section::hidden), users.layout.ids(Section::alwaysHidden));
    // Launched with the permission but no layout, the separators go where the bar is measured:
    // the layout handed over later puts the lanes elsewhere, and the grant's placement has them
    // to move.
    makeEngine(revoked ? SectionLayout{} : wanted);
    startEngine();
    run(60.0);
    if (revoked) {
        desktop.permissions().setAccessibilityTrusted(false);
        run(120.0);
        drive(engine->apply(wanted));
    }

    // As the sort does, arranging is on while its requests wait.
    engine->setReorderEnabled(true);
    const bool again = GetParam().askedAt == AskedAt::againAsItEnds;
    const bool longBefore = GetParam().askedAt == AskedAt::longBefore || again;
    // What the launch's first scans took in.
    const qsizetype loggedAtLaunch = records(u"reconcile-log.jsonl"_s).size();
    if (!longBefore) {
        grant();
    }
    if (GetParam().askedAt == AskedAt::duringThePlacement) {
        drive(engine->refresh());
        EXPECT_FALSE(engine->reconcileInFlight()) << "a scan started a run during the placement";
        EXPECT_EQ(records(u"reconcile-log.jsonl"_s).size(), loggedAtLaunch)
            << "a scan asked for a run during the placement";
    }
    QCoro::Task<> older = engine->reconcileMenuBar(u"sort-my-bar"_s);
    QCoro::Task<> newer = engine->reconcileMenuBar(u"sort-my-bar"_s);
    EXPECT_FALSE(engine->reconcileInFlight());
    if (longBefore) {
        run(24.0);
        EXPECT_TRUE(records(u"events.jsonl"_s, u"cursor-borrowed"_s).isEmpty());
        grant();
    }
    if (again) {
        // The placement ends with its tuck once the separators are placed.
        const auto placed = [this] {
            const QJsonObject last = records(u"events.jsonl"_s).last();
            return firstEvent(u"separators-placed"_s) >= 0 && last[u"kind"_s] == u"tuck"_s &&
                   last[u"reason"_s] == u"launch"_s;
        };
        for (int step = 0; step < 1000 && !placed(); ++step) {
            run(0.01);
        }
        ASSERT_FALSE(engine->reconcileInFlight()) << "the request kept was taken already";
        // It takes the place of the one kept: one run, not two.
        drive(engine->reconcileMenuBar(u"sort-my-bar"_s), 120.0);
    }
    drive(std::move(newer), 120.0);
    drive(std::move(older));
    engine->setReorderEnabled(false);
    run(30.0);

    EXPECT_EQ(runTriggers(), QStringList{u"sort-my-bar"_s});
    const qsizetype placed = firstEvent(u"separators-placed"_s);
    EXPECT_GE(placed, 0);
    EXPECT_GT(firstEvent(u"cursor-borrowed"_s), placed) << "the run drags after the placement";
    // The recovery the grant woke lays the bar out again only once the run has tucked.
    const QList<QJsonObject> events = records(u"events.jsonl"_s);
    bool running = false;
    for (const QJsonObject &event : events) {
        const QString kind = event[u"kind"_s].toString();
        running = (running || kind == u"cursor-borrowed"_s) &&
                  !(kind == u"tuck"_s && event[u"reason"_s] == u"reconcile"_s);
        EXPECT_FALSE(running &&
                     (kind == u"tuck-recovery"_s || event[u"reason"_s] == u"tuck-recovery"_s))
            << QJsonDocument(event).toJson().toStdString();
    }
    const quint64 wantedLeft = users.leftToRight.last();
    const quint64 wantedRight = users.leftToRight.at(users.leftToRight.size() - 2);
    EXPECT_LT(entry(wantedLeft).frame.left(), entry(wantedRight).frame.left());
    for (const auto [item, lane] : lanesOnBar().asKeyValueRange()) {
        if (users.wanted.contains(item)) {
            EXPECT_EQ(lane, users.wanted.value(item)) << entry(item).frame.left();
            if (lane != Section::shown) {
                EXPECT_FALSE(entry(item).visible) << entry(item).frame.left();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Timing, SortAtTheGrantTest,
    ::testing::Values(
        SortCase{"AskedLongBefore", AskedAt::longBefore},
        SortCase{"AskedTheMomentBeforeTheEngineNotices", AskedAt::beforeTheEngineNotices},
        SortCase{"AskedWhileThePlacementIsUnderWay", AskedAt::duringThePlacement},
        SortCase{"AskedWhileThePlacementAfterARevokeIsUnderWay", AskedAt::duringThePlacement, true},
        SortCase{"AskedLongBeforeAndAgainAsThePlacementEnds", AskedAt::againAsItEnds}),
    [](const auto &info) { return info.param.name; });

// A sort asked for through the drag-test hook just before the grant is taken by no scan until the
// grant's placement is over, as any run waits for it: the scan that sees the grant would otherwise
// wait for the sort, which waits for the placement that scan starts. The separators go between the
// lanes first, then the sort is carried out once.
TEST_F(CrowdedLaunchTest, sortsFromTheTestHookOnceTheGrantsPlacementIsOver) {
    furnishCrowdedBar(44, 420.0);
    desktop.permissions().setAccessibilityTrusted(false);
    rememberZorvPositions = false;
    const UsersLayout users = usersLayout();
    // The user wants the two rightmost shown items the other way round: the sort drags.
    QList<MenuBarItemID> shown = users.layout.ids(Section::shown);
    shown.swapItemsAt(shown.size() - 2, shown.size() - 1);
    makeEngine(layoutOf(shown, users.layout.ids(Section::hidden),
                        users.layout.ids(Section::alwaysHidden)));
    startEngine();
    run(60.0);
    engine->setReorderEnabled(true);
    QFile request(folder.filePath(u"drag-test.json"_s));
    ASSERT_TRUE(request.open(QIODevice::WriteOnly));
    request.write(R"({"command": "sort"})");
    request.close();
    desktop.permissions().setAccessibilityTrusted(true);
    run(60.0);

    EXPECT_EQ(runTriggers(), QStringList{u"sort-test"_s});
    QStringList kinds;
    for (const QJsonObject &event : records(u"events.jsonl"_s)) {
        kinds.append(event.value(u"kind"_s).toString());
    }
    ASSERT_TRUE(kinds.contains(u"separators-placed"_s));
    EXPECT_GT(kinds.indexOf(u"cursor-borrowed"_s), kinds.indexOf(u"separators-placed"_s));
}

// A first launch without the permission on a Mac whose user brought a layout along: the leftmost
// items, far out of reach, always hidden, the next ones hidden. At the grant the separators go
// between those lanes, re-created rather than dragged, with the icon in sight.

} // namespace
} // namespace zorv::testing
