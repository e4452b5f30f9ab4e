#include "enginetest.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

const QString kTools = u"com.example.tools"_s;
const QString kNotes = u"com.example.notes"_s;

// Items A and B of one application, shown, right of the separators; the icon rightmost.
class ScanTest : public EngineTest {
protected:
    void furnish(const SectionLayout &layout) {
        addLaptop();
        tools = launch(kTools);
        a = addItem(tools, 30.0, u"a"_s);
        b = addItem(tools, 30.0, u"b"_s);
        makeEngine(layout);
        engine->setOnLayoutChanged([this](const SectionLayout &reported) {
            reportedLayouts.append(reported);
        });
        arrange({zorvItem(BarItems::zorvAlwaysHiddenSeparatorName),
                 zorvItem(BarItems::zorvHiddenSeparatorName), a, b,
                 zorvItem(BarItems::zorvIconName)});
    }

    [[nodiscard]] qsizetype published() { return engine->itemsStream().queued(); }

    [[nodiscard]] bool knows(const QString &bundle) const {
        for (const MenuBarItem &item : engine->lastItems()) {
            if (item.id.bundleID == bundle && !item.isDormant) {
                return true;
            }
        }
        return false;
    }

    qint32 tools = 0;
    quint64 a = 0;
    quint64 b = 0;
    QList<SectionLayout> reportedLayouts;
};

enum class Change { launch, quit, screen };

struct RescanCase {
    const char *name;
    Change change;
};

class RescanTest : public ScanTest, public ::testing::WithParamInterface<RescanCase> {};

TEST_P(RescanTest, scansOnceShortlyAfterTheChange) {
    furnish({});
    startEngine();
    run(1.0);
    const qsizetype before = published();
    switch (GetParam().change) {
    case Change::launch:
        addItem(launch(kNotes), 30.0, u"n"_s);
        break;
    case Change::quit:
        desktop.applications().quit(tools);
        break;
    case Change::screen:
        addLaptop();
        break;
    }
    run(0.25);
    EXPECT_EQ(published(), before);
    run(0.1);
    EXPECT_EQ(published(), before + 1);
    EXPECT_EQ(knows(kNotes), GetParam().change == Change::launch);
    EXPECT_EQ(knows(kTools), GetParam().change != Change::quit);
    EXPECT_EQ(records(u"events.jsonl"_s, u"display-change"_s).size(),
              GetParam().change == Change::screen ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Changes, RescanTest,
                         ::testing::Values(RescanCase{"Launch", Change::launch},
                                           RescanCase{"Quit", Change::quit},
                                           RescanCase{"ScreenChange", Change::screen}),
                         [](const auto &info) { return info.param.name; });

TEST_F(ScanTest, ordinalsStayWhileTitlesAndWidthsChangeAndRestartWithANewProcess) {
    addLaptop();
    const qint32 notes = launch(kNotes);
    QList<quint64> items;
    for (const QString &title : {u"one"_s, u"two"_s, u"three"_s}) {
        ItemDescription description;
        description.length = 30.0;
        description.title = title;
        items.append(desktop.items().add(notes, description).value());
    }
    makeEngine();
    startEngine();
    const auto ordinals = [this] {
        QList<int> found;
        for (const MenuBarItem &item : engine->lastItems()) {
            found.append(item.id.ordinal);
        }
        return found;
    };
    const QList<int> first = ordinals();
    ASSERT_EQ(first.size(), 3);

    desktop.items().setTitle(items.at(0), u"uno"_s);
    desktop.items().setLength(items.at(1), 44.0);
    run(31.0);
    EXPECT_EQ(ordinals(), first);

    desktop.applications().quit(notes);
    run(1.0);
    const qint32 again = launch(kNotes);
    for (const QString &title : {u"four"_s, u"five"_s}) {
        ItemDescription description;
        description.length = 30.0;
        description.title = title;
        desktop.items().add(again, description);
    }
    run(1.0);
    EXPECT_EQ(ordinals(), (QList<int>{0, 1}));
}

TEST_F(ScanTest, anUnplacedItemIsAdoptedWhereItSitsAfterTwoStableScans) {
    furnish({});
    startEngine();
    const MenuBarItemID idA = idFor(kTools, u"a"_s);
    EXPECT_FALSE(engine->storedLayout().sectionOf(idA));
    run(30.5);
    EXPECT_FALSE(engine->storedLayout().sectionOf(idA));
    run(30.0);
    EXPECT_EQ(engine->storedLayout().sectionOf(idA), Section::shown);
    ASSERT_FALSE(reportedLayouts.isEmpty());
    EXPECT_EQ(reportedLayouts.last().sectionOf(idA), Section::shown);
    const QList<QJsonObject> adopted = records(u"reconcile-log.jsonl"_s, u"adopt"_s);
    ASSERT_EQ(adopted.size(), 2);
    EXPECT_EQ(adopted.first().value(u"reason"_s).toString(),
              u"never assigned; recorded where macOS put it"_s);
}

// Its items stay listed as the last scan saw them: a hang says nothing about the bar.
TEST_F(ScanTest, aHungApplicationCostsOneTimeOutOffTheMainThread) {
    const qint32 hung = launch(kNotes);
    addItem(hung, 30.0, u"n"_s);
    furnish({});
    startEngine();
    desktop.applications().setHung(hung, true);
    const MonotonicTime before = clock.now();
    drive(engine->refresh());
    const double took = toSeconds(clock.now() - before);
    EXPECT_GE(took, 0.25);
    EXPECT_LT(took, 0.5);
    EXPECT_TRUE(knows(kTools));
    EXPECT_TRUE(knows(kNotes));
}

enum class Fate { stays, permissionRevoked, revokedWhileRunning, unreadable, quitInstalled, quitUninstalled };

struct PlacementCase {
    const char *name;
    Fate fate;
    bool kept;
    // Whether the engine still lists the application's items.
    bool listed;
};

class PlacementTest : public ScanTest, public ::testing::WithParamInterface<PlacementCase> {};

// The placements of an application unknown to the installed-application lookup.
TEST_P(PlacementTest, keepsPlacementsAndItemsUnlessTheApplicationIsGone) {
    const MenuBarItemID idA = idFor(kTools, u"a"_s);
    furnish(layoutOf({}, {idA}, {}));
    startEngine();
    switch (GetParam().fate) {
    case Fate::stays:
        break;
    case Fate::permissionRevoked:
        // Discovery then sees nothing, which says nothing about what is installed.
        desktop.permissions().setAccessibilityTrusted(false);
        desktop.applications().quit(tools);
        break;
    case Fate::revokedWhileRunning:
        desktop.permissions().setAccessibilityTrusted(false);
        break;
    case Fate::unreadable:
        desktop.applications().setExtrasBarFault(tools, AttributeFault::Missing);
        break;
    case Fate::quitInstalled:
        workspace.install({kTools, u"/Applications/Tools.app"_s, {}});
        desktop.applications().quit(tools);
        break;
    case Fate::quitUninstalled:
        desktop.applications().quit(tools);
        break;
    }
    drive(engine->refresh());
    EXPECT_EQ(engine->storedLayout().sectionOf(idA).has_value(), GetParam().kept);
    EXPECT_EQ(knows(kTools), GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(
    Applications, PlacementTest,
    ::testing::Values(PlacementCase{"OnTheBar", Fate::stays, true, true},
                      PlacementCase{"PermissionRevoked", Fate::permissionRevoked, true, false},
                      PlacementCase{"RevokedWhileRunning", Fate::revokedWhileRunning, true, true},
                      PlacementCase{"RunningButUnreadable", Fate::unreadable, true, false},
                      PlacementCase{"QuitButInstalled", Fate::quitInstalled, true, false},
                      PlacementCase{"QuitAndNotInstalled", Fate::quitUninstalled, false, false}),
    [](const auto &info) { return info.param.name; });

struct OrderCase {
    const char *name;
    // Applied after the first scan; the layout the engine starts with is [b, a] when it is none.
    std::function<QCoro::Task<>(ClassicEngine &)> request;
    QList<QString> shownAfterAScan;
};

class OrderTest : public ScanTest, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(OrderTest, aScanAdoptsTheBarsOrderOnlyWhileNoUserOrderWaits) {
    const MenuBarItemID idA = idFor(kTools, u"a"_s);
    const MenuBarItemID idB = idFor(kTools, u"b"_s);
    furnish(layoutOf({idB, idA}, {}, {}));
    startEngine();
    if (GetParam().request) {
        drive(GetParam().request(*engine));
    }
    run(31.0);
    QList<QString> shown;
    for (const MenuBarItemID &id : engine->storedLayout().ids(Section::shown)) {
        shown.append(id.axIdentifier.value_or(QString()));
    }
    EXPECT_EQ(shown, GetParam().shownAfterAScan);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, OrderTest,
    ::testing::Values(
        OrderCase{"StartingLayoutFollowsTheBar", nullptr, {u"a"_s, u"b"_s}},
        OrderCase{"AppliedLayoutKeepsItsOrder",
                  [](ClassicEngine &engine) {
                      return engine.apply(EngineTest::layoutOf({EngineTest::idFor(kTools, u"b"_s), EngineTest::idFor(kTools, u"a"_s)},
                                                   {}, {}));
                  },
                  {u"b"_s, u"a"_s}},
        OrderCase{"AppliedLayoutInTheBarsOrder",
                  [](ClassicEngine &engine) {
                      return engine.apply(EngineTest::layoutOf({EngineTest::idFor(kTools, u"a"_s), EngineTest::idFor(kTools, u"b"_s)},
                                                   {}, {}));
                  },
                  {u"a"_s, u"b"_s}},
        OrderCase{"MovedItemKeepsItsPlace",
                  [](ClassicEngine &engine) {
                      return engine.move(EngineTest::idFor(kTools, u"b"_s),
                                         SectionPlacement{Section::shown, 0});
                  },
                  {u"b"_s, u"a"_s}}),
    [](const auto &info) { return info.param.name; });

} // namespace
} // namespace zorv::testing
