#include "enginetest.h"

#include <QJsonDocument>

#include <QJsonArray>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

// A laptop with a camera housing and a crowded bar on the day the engine first runs.
class CrowdedLaunchTest : public EngineTest {
protected:
    // `applications` one-item applications after the fixed system items, the front application's
    // menus reaching `menus` (none: Finder in front); with `finderMenus`, Finder runs with menus
    // that long; with `external`, a 1920-point display at that origin besides the laptop, whose
    // bar holds the items.
    void furnishCrowdedBar(int applications, std::optional<double> menus,
                           std::optional<QPointF> external = std::nullopt,
                           std::optional<double> finderMenus = std::nullopt) {
        const DisplayId laptop = addLaptop(200.0);
        if (external) {
            ScreenDescription display;
            display.size = {1920.0, 1080.0};
            display.origin = external;
            desktop.arrangement().add(display);
        }
        desktop.arrangement().setMainScreen(laptop);
        addFixedClockAndControlCenter(90.0, 37.0);
        if (finderMenus) {
            desktop.applications().activate(launch(u"com.apple.finder"_s, *finderMenus));
        }
        if (menus) {
            bringToFrontWithMenus(*menus);
        }
        for (int i = 0; i < applications; ++i) {
            const qint32 process = launch(u"com.example.app%1"_s.arg(i));
            apps.append(addItem(process, 22.0 + (i % 4) * 5.0, u"item%1"_s.arg(i)));
        }
        settle();
    }

    // The lane each item stands in, by where it stands against Zorv's separators on the bar.
    [[nodiscard]] QHash<quint64, Section> lanesOnBar() {
        QHash<quint64, Section> lanes;
        Section lane = Section::alwaysHidden;
        for (const quint64 item : barOrder()) {
            if (item == zorvItem(BarItems::zorvAlwaysHiddenSeparatorName)) {
                lane = Section::hidden;
            } else if (item == zorvItem(BarItems::zorvHiddenSeparatorName)) {
                lane = Section::shown;
            } else {
                lanes.insert(item, lane);
            }
        }
        return lanes;
    }

    // The lane the first item list the engine hands out gives each application's item.
    [[nodiscard]] QHash<quint64, Section> lanesFirstPublished() {
        std::optional<QList<MenuBarItem>> first;
        drive([](ClassicEngine &from, std::optional<QList<MenuBarItem>> &into) -> QCoro::Task<> {
            into = co_await from.itemsStream().next();
        }(*engine, first));
        QHash<QString, Section> byApplication;
        for (const MenuBarItem &item : first.value_or(QList<MenuBarItem>{})) {
            byApplication.insert(item.id.bundleID, item.section);
        }
        QHash<quint64, Section> lanes;
        for (qsizetype i = 0; i < apps.size(); ++i) {
            const auto lane = byApplication.constFind(u"com.example.app%1"_s.arg(i));
            if (lane != byApplication.constEnd()) {
                lanes.insert(apps.at(i), *lane);
            }
        }
        return lanes;
    }

    // The items on screen clear of the camera housing and right of the desktop's menus: those
    // longer menus in front cover show as soon as the desktop's come back.
    [[nodiscard]] QSet<quint64> inView(double deskMenus) {
        QSet<quint64> visible;
        for (const quint64 item : std::as_const(apps)) {
            const BarEntry seen = entry(item);
            if (seen.onScreen && !seen.underHousing && seen.frame.left() >= deskMenus) {
                visible.insert(item);
            }
        }
        return visible;
    }

    // Zorv's items kept where a launch without the permission puts them: the icon in sight at the
    // right end, the separators left of it out of order.
    void keepItemsInSight() {
        rememberZorvPositions = false;
        const double iconLength =
            desktop.model().read([](const DesktopState &state) { return state.thickness; });
        const LaunchPlacement inSight =
            LaunchPlacement::inSight(iconLength, SeparatorController::collapsedLength);
        for (const auto &[name, distance] :
             {std::pair{BarItems::zorvIconName, inSight.icon},
              std::pair{BarItems::zorvHiddenSeparatorName, inSight.hiddenSeparator},
              std::pair{BarItems::zorvAlwaysHiddenSeparatorName, inSight.alwaysHiddenSeparator}}) {
            desktop.appPreferences().setValue(AppPreferences::preferredPositionKey(name), distance);
        }
    }

    // A layout the user brought along for the crowded bar: its ten leftmost applications' items
    // always hidden, the next ten hidden, the rest shown.
    struct UsersLayout {
        SectionLayout layout;
        // The applications' items as they stand on the bar, and each one's lane in the layout.
        QList<quint64> leftToRight;
        QHash<quint64, Section> wanted;
    };
    [[nodiscard]] UsersLayout usersLayout() {
        UsersLayout result;
        result.leftToRight = barOrder();
        result.leftToRight.removeIf([this](quint64 item) { return !apps.contains(item); });
        QList<MenuBarItemID> lanes[3];
        for (qsizetype i = 0; i < result.leftToRight.size(); ++i) {
            const Section lane = i < 10   ? Section::alwaysHidden
                                 : i < 20 ? Section::hidden
                                          : Section::shown;
            const qsizetype app = apps.indexOf(result.leftToRight.at(i));
            result.wanted.insert(result.leftToRight.at(i), lane);
            lanes[qsizetype(lane)].append(MenuBarItemID{u"com.example.app%1"_s.arg(app),
                                                        u"item%1"_s.arg(app), std::nullopt, 0});
        }
        result.layout = EngineTest::layoutOf(lanes[qsizetype(Section::shown)],
                                             lanes[qsizetype(Section::hidden)],
                                             lanes[qsizetype(Section::alwaysHidden)]);
        return result;
    }

    // Runs on, after a grant, until the engine has taken it: its placement is then under way.
    void runUntilTheGrantIsTaken() {
        for (int step = 0;
             step < 500 && records(u"events.jsonl"_s, u"accessibility-granted"_s).isEmpty();
             ++step) {
            run(0.01);
        }
        ASSERT_FALSE(records(u"events.jsonl"_s, u"accessibility-granted"_s).isEmpty());
    }

    // The separators placed once, the icon in sight, hiding working, and every item in its lane.
    void expectTheUsersLanes(const QHash<quint64, Section> &wanted) {
        EXPECT_EQ(records(u"events.jsonl"_s, u"separators-placed"_s).size(), 1);
        EXPECT_TRUE(entry(zorvItem(BarItems::zorvIconName)).visible);
        EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
        for (const auto [item, lane] : lanesOnBar().asKeyValueRange()) {
            if (wanted.contains(item)) {
                EXPECT_EQ(lane, wanted.value(item)) << entry(item).frame.left();
            }
        }
    }

    [[nodiscard]] qsizetype watchdogReveals() const {
        return reasons(u"reveal"_s).count(u"watchdog: icon off-screen"_s);
    }

    QList<quint64> apps;
};

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
        LaunchCase{"FortyFourItemsWithTheLayoutAppliedFirst", 44, 420.0, std::nullopt,
                   std::nullopt, 0.0, true},
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
