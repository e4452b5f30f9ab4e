#include "enginetest.h"

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

const QString kNotes = u"com.example.notes"_s;

// Items "a" and "b" of the tools application, right of both separators; the icon rightmost.
class ScanTest : public EngineTest {
protected:
    void furnish(const SectionLayout &layout) {
        addLaptop();
        toolsProcess = launch(tools);
        itemA = addItem(toolsProcess, 30.0, u"a"_s);
        itemB = addItem(toolsProcess, 30.0, u"b"_s);
        makeEngine(layout);
        engine->setOnLayoutChanged(
            [this](const SectionLayout &reported) { lastReported = reported; });
        arrange({zorvItem(BarItems::zorvAlwaysHiddenSeparatorName),
                 zorvItem(BarItems::zorvHiddenSeparatorName), itemA, itemB,
                 zorvItem(BarItems::zorvIconName)});
    }

    [[nodiscard]] qsizetype published() { return engine->itemsStream().queued(); }

    [[nodiscard]] bool knows(const QString &bundle) const {
        const QList<MenuBarItem> &items = engine->lastItems();
        return std::any_of(items.cbegin(), items.cend(), [&bundle](const MenuBarItem &item) {
            return item.id.bundleID == bundle && !item.isDormant;
        });
    }

    SectionLayout lastReported;
    quint64 itemA = 0;
    quint64 itemB = 0;
};

enum class Change { launch, quit, quitWithNothingOnTheBar, screen };

struct RescanCase {
    const char *name;
    Change change;
    // The rescan judges the bar settled: it takes in the items the poll before first saw.
    bool settled;
};

class RescanTest : public ScanTest, public ::testing::WithParamInterface<RescanCase> {};

TEST_P(RescanTest, scansOnceShortlyAfterTheChange) {
    furnish({});
    const qint32 itemless = launch(u"com.example.itemless"_s);
    startEngine();
    // Past the first poll, which sees the items for the first time.
    run(30.5);
    ASSERT_FALSE(engine->storedLayout().sectionOf(idOf(u"a"_s)));
    const qsizetype before = published();
    const Change change = GetParam().change;
    if (change == Change::launch) {
        addItem(launch(kNotes), 30.0, u"n"_s);
    } else if (change == Change::quit) {
        desktop.applications().quit(toolsProcess);
    } else if (change == Change::quitWithNothingOnTheBar) {
        desktop.applications().quit(itemless);
    } else {
        addLaptop();
    }
    run(0.25);
    EXPECT_EQ(published(), before);
    run(0.1);
    EXPECT_EQ(published(), before + 1);
    EXPECT_EQ(knows(kNotes), change == Change::launch);
    EXPECT_EQ(knows(tools), change != Change::quit);
    EXPECT_EQ(engine->storedLayout().sectionOf(idOf(u"a"_s)).has_value(), GetParam().settled);
    EXPECT_EQ(records(u"events.jsonl"_s, u"display-change"_s).size(), change == Change::screen);
    // A screen change also re-applies the reveal state 1 s later, once the separators are
    // readable or 3 s have passed (while tucked, the always-hidden one lies off screen).
    run(4.0);
    EXPECT_EQ(reasons(u"tuck"_s).contains(u"display-change"_s), change == Change::screen);
}

INSTANTIATE_TEST_SUITE_P(Changes, RescanTest,
                         ::testing::Values(RescanCase{"Launch", Change::launch, false},
                                           RescanCase{"Quit", Change::quit, false},
                                           RescanCase{"QuitWithNothingOnTheBar",
                                                      Change::quitWithNothingOnTheBar, true},
                                           RescanCase{"ScreenChange", Change::screen, false}),
                         [](const auto &info) { return info.param.name; });

TEST_F(ScanTest, anUnplacedItemIsAdoptedWhereItSitsAfterTwoStableScans) {
    furnish({});
    startEngine();
    run(30.5);
    EXPECT_FALSE(engine->storedLayout().sectionOf(idOf(u"a"_s)));
    run(30.0);
    EXPECT_EQ(engine->storedLayout().sectionOf(idOf(u"a"_s)), Section::shown);
    EXPECT_EQ(lastReported.sectionOf(idOf(u"a"_s)), Section::shown);
    const QList<QJsonObject> adopted = records(u"reconcile-log.jsonl"_s, u"adopt"_s);
    ASSERT_EQ(adopted.size(), 2);
    EXPECT_EQ(adopted.first().value(u"reason"_s).toString(),
              u"never assigned; recorded where macOS put it"_s);
}

// With its icon hidden the engine leaves separators that stand out of order where they are: no
// item is taken in off that bar, where what stands left of the hidden separator would read as
// always hidden.
TEST_F(ScanTest, takesNoItemInOffSeparatorsOutOfOrder) {
    furnish({});
    engine->setIconVisible(false);
    arrange({itemA, zorvItem(BarItems::zorvHiddenSeparatorName), itemB,
             zorvItem(BarItems::zorvAlwaysHiddenSeparatorName), zorvItem(BarItems::zorvIconName)});
    startEngine();
    run(90.0);
    EXPECT_TRUE(records(u"reconcile-log.jsonl"_s, u"adopt"_s).isEmpty());
    EXPECT_FALSE(engine->storedLayout().sectionOf(idOf(u"a"_s)));
}

// Pictures come only with capture on, only of items in view, trimmed to their glyphs.
TEST_F(EngineTest, capturedPicturesFollowTheCaptureSetting) {
    addLaptop();
    furnishSections();
    desktop.permissions().setScreenRecordingGranted(true);
    startEngine();
    EXPECT_EQ(engine->capabilities().rawValue(), 43);
    engine->setCaptureEnabled(true);
    EXPECT_EQ(engine->capabilities().rawValue(), 59);
    drive(engine->refresh());
    const std::optional<QImage> picture = engineItem(idOf(u"shown"_s))->capturedImage;
    ASSERT_TRUE(picture);
    // A 30-point item is 60 pixels wide at 2 pixels per point; its glyph is narrower.
    EXPECT_LT(picture->width(), 60);
    EXPECT_FALSE(engineItem(idOf(u"hidden"_s))->capturedImage);
    engine->setCaptureEnabled(false);
    EXPECT_EQ(engine->capabilities().rawValue(), 43);
    drive(engine->refresh());
    EXPECT_FALSE(engineItem(idOf(u"shown"_s))->capturedImage);
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
    EXPECT_TRUE(knows(tools));
    EXPECT_TRUE(knows(kNotes));
    // Kept items take the sections of a layout applied meanwhile.
    const MenuBarItemID notesItem{kNotes, u"n"_s, std::nullopt, 0};
    drive(engine->apply(layoutOf({}, {notesItem}, {})));
    ASSERT_TRUE(engineItem(notesItem));
    EXPECT_EQ(engineItem(notesItem)->section, Section::hidden);
}

enum class Fate { stays, revokedAndQuit, revoked, unreadable, quitInstalled, quitUninstalled };

struct PlacementCase {
    const char *name;
    Fate fate;
    bool kept;
    // Whether the engine still lists the application's items.
    bool listed;
};

class PlacementTest : public ScanTest, public ::testing::WithParamInterface<PlacementCase> {};

// The placements of an application that the installed-application lookup does not know.
TEST_P(PlacementTest, keepsPlacementsAndItemsUnlessTheApplicationIsGone) {
    furnish(layoutOf({}, {idOf(u"a"_s)}, {}));
    startEngine();
    const Fate fate = GetParam().fate;
    if (fate == Fate::revokedAndQuit || fate == Fate::revoked) {
        // Discovery then sees nothing, which says nothing about the bar or what is installed.
        desktop.permissions().setAccessibilityTrusted(false);
    }
    if (fate == Fate::unreadable) {
        desktop.applications().setExtrasBarFault(toolsProcess, AttributeFault::Missing);
    }
    if (fate == Fate::quitInstalled) {
        workspace.install({tools, u"/Applications/Tools.app"_s, {}});
    }
    if (fate == Fate::revokedAndQuit || fate == Fate::quitInstalled ||
        fate == Fate::quitUninstalled) {
        desktop.applications().quit(toolsProcess);
    }
    drive(engine->refresh());
    EXPECT_EQ(engine->storedLayout().sectionOf(idOf(u"a"_s)).has_value(), GetParam().kept);
    EXPECT_EQ(knows(tools), GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(
    Applications, PlacementTest,
    ::testing::Values(PlacementCase{"OnTheBar", Fate::stays, true, true},
                      PlacementCase{"PermissionRevoked", Fate::revoked, true, true},
                      PlacementCase{"RevokedAndQuit", Fate::revokedAndQuit, true, false},
                      PlacementCase{"RunningButUnreadable", Fate::unreadable, true, false},
                      PlacementCase{"QuitButInstalled", Fate::quitInstalled, true, false},
                      PlacementCase{"QuitAndNotInstalled", Fate::quitUninstalled, false, false}),
    [](const auto &info) { return info.param.name; });

enum class Request { none, applyReversed, applyBarOrder, moveToFront };

struct OrderCase {
    const char *name;
    Request request;
    QList<QString> shownAfterAScan;
};

class OrderTest : public ScanTest, public ::testing::WithParamInterface<OrderCase> {};

// The engine starts with [b, a] while the bar shows a, b: the scans never take the bar's order for
// the wanted one.
TEST_P(OrderTest, aScanKeepsTheWantedOrder) {
    furnish(layoutOf({idOf(u"b"_s), idOf(u"a"_s)}, {}, {}));
    startEngine();
    const Request request = GetParam().request;
    if (request == Request::applyReversed || request == Request::applyBarOrder) {
        const bool reversed = request == Request::applyReversed;
        drive(engine->apply(layoutOf(
            {idOf(reversed ? u"b"_s : u"a"_s), idOf(reversed ? u"a"_s : u"b"_s)}, {}, {})));
    } else if (request == Request::moveToFront) {
        drive(engine->move(idOf(u"b"_s), SectionPlacement{Section::shown, 0}));
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
        OrderCase{"StartingLayoutKeepsItsOrder", Request::none, {u"b"_s, u"a"_s}},
        OrderCase{"AppliedLayoutKeepsItsOrder", Request::applyReversed, {u"b"_s, u"a"_s}},
        OrderCase{"AppliedLayoutInTheBarsOrder", Request::applyBarOrder, {u"a"_s, u"b"_s}},
        OrderCase{"MovedItemKeepsItsPlace", Request::moveToFront, {u"b"_s, u"a"_s}}),
    [](const auto &info) { return info.param.name; });

} // namespace
} // namespace zorv::testing
