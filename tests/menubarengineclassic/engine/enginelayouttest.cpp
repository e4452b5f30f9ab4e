#include "enginetest.h"

#include <QJsonArray>

#include <functional>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

using Lanes = QMap<Section, QStringList>;

// Reads the bar and the engine's records by item name.
class LaneTest : public EngineTest {
protected:
    // The bar's lanes by item name, as the separators divide it.
    [[nodiscard]] Lanes onTheBar() {
        Lanes lanes{{Section::alwaysHidden, {}}, {Section::hidden, {}}, {Section::shown, {}}};
        Section lane = Section::alwaysHidden;
        for (const BarEntry &entry : desktop.readout().bar()) {
            if (entry.autosaveName == BarItems::zorvAlwaysHiddenSeparatorName) {
                lane = Section::hidden;
            } else if (entry.autosaveName == BarItems::zorvHiddenSeparatorName) {
                lane = Section::shown;
            } else if (const QString name = items.key(entry.itemId); !name.isEmpty()) {
                lanes[lane].append(name);
            }
        }
        return lanes;
    }

    // Reconcile runs that came to their end.
    [[nodiscard]] qsizetype runs() const {
        qsizetype count = 0;
        for (const QJsonObject &line : records(u"reconcile-log.jsonl"_s)) {
            count += line.contains(u"moves"_s);
        }
        return count;
    }

    QHash<QString, quint64> items;
};

class LayoutKeepingTest;

struct KeepingCase {
    const char *name;
    // What happens to the bar.
    void (LayoutKeepingTest::*act)();
    Lanes expected;
    qsizetype runs;

    friend void PrintTo(const KeepingCase &c, std::ostream *out) { *out << c.name; }
};

// One application per item, each item named by its identifier, on the bar as the layout wants
// them: [p] [always separator] [x y z] [hidden separator] [a b c] [icon]; reordering on.
class LayoutKeepingTest : public LaneTest, public ::testing::WithParamInterface<KeepingCase> {
public:
    static inline const Lanes kLanes{{Section::alwaysHidden, {u"p"_s}},
                                     {Section::hidden, {u"x"_s, u"y"_s, u"z"_s}},
                                     {Section::shown, {u"a"_s, u"b"_s, u"c"_s}}};

    void shownIntoHidden() {
        userDrags(u"b"_s, [this] { return (centreOf(u"x"_s) + centreOf(u"y"_s)) / 2.0; });
    }
    void hiddenToTheShownLeftEnd() {
        userDrags(u"z"_s, [this] { return centreOf(u"a"_s) - 1.0; });
    }
    void withinShown() {
        userDrags(u"c"_s, [this] { return centreOf(u"a"_s) - 1.0; });
    }
    // Where the first case's drag puts it, but not by the user's hand.
    void movedByTheSystem() { desktop.items().moveToIndex(items.value(u"b"_s), 3); }
    // A new application's item, which the layout takes in where the system put it.
    void newcomer() {
        items.insert(u"n"_s, addItem(launch(u"com.example.n"_s), 30.0, u"n"_s));
        desktop.items().moveToIndex(items.value(u"n"_s), 3);
    }
    // Quit while the bar is read for a while, then launched again: its item comes back where it
    // stood.
    void quitAndRelaunched() {
        desktop.applications().quit(processes.value(u"b"_s));
        run(90.0);
        EXPECT_EQ(stored(), kLanes);
        items.insert(u"b"_s, addItem(launch(u"com.example.b"_s), 30.0, u"b"_s));
    }

protected:
    static MenuBarItemID id(const QString &name) {
        return MenuBarItemID{u"com.example."_s + name, name, std::nullopt, 0};
    }

    void furnish() {
        addLaptop();
        QList<quint64> bar;
        SectionLayout layout;
        for (const Section lane : {Section::alwaysHidden, Section::hidden, Section::shown}) {
            for (const QString &name : kLanes.value(lane)) {
                // Installed, so that quitting does not make the layout forget it.
                workspace.install({u"com.example."_s + name, u"/Applications/"_s + name, {}});
                processes.insert(name, launch(u"com.example."_s + name));
                items.insert(name, addItem(processes.value(name), 30.0, name));
                bar.append(items.value(name));
                layout.sections[lane].append(id(name));
            }
        }
        makeEngine(layout.normalized());
        arrangeAndStart(bar, 1, 3);
    }

    // The wanted layout by item name.
    [[nodiscard]] Lanes stored() const {
        Lanes lanes{{Section::alwaysHidden, {}}, {Section::hidden, {}}, {Section::shown, {}}};
        for (const Section lane : allSections) {
            for (const MenuBarItemID &id : engine->storedLayout().ids(lane)) {
                lanes[lane].append(id.axIdentifier.value_or(QString()));
            }
        }
        return lanes;
    }

    // The user reveals everything and Command-drags the item to where `toX` says then; the bar
    // tucks again by itself.
    void userDrags(const QString &name, const std::function<double()> &toX) {
        drive(engine->setHiddenRevealed(true, true, false));
        run(1.0);
        ASSERT_TRUE(desktop.userInput().commandDragItem(items.value(name), toX()));
    }

    [[nodiscard]] double centreOf(const QString &name) {
        return entry(items.value(name)).frame.center().x();
    }

    QHash<QString, qint32> processes;
};

// The wanted layout changes only by the user's own drags, each item taken in between the
// neighbours it was dropped between, and by new items, taken in where they stand; a bar changed
// otherwise is put back, and an application that is not running keeps its items' places.
TEST_P(LayoutKeepingTest, theLayoutFollowsOnlyTheUsersDrags) {
    const KeepingCase &c = GetParam();
    furnish();
    (this->*c.act)();
    run(240.0);
    EXPECT_EQ(stored(), c.expected);
    EXPECT_EQ(onTheBar(), c.expected);
    EXPECT_EQ(runs(), c.runs);
}

INSTANTIATE_TEST_SUITE_P(
    Bar, LayoutKeepingTest,
    ::testing::Values(KeepingCase{"ShownIntoHiddenBetweenTwo",
                                  &LayoutKeepingTest::shownIntoHidden,
                                  {{Section::alwaysHidden, {u"p"_s}},
                                   {Section::hidden, {u"x"_s, u"b"_s, u"y"_s, u"z"_s}},
                                   {Section::shown, {u"a"_s, u"c"_s}}},
                                  0},
                      KeepingCase{"HiddenToTheShownLeftEnd",
                                  &LayoutKeepingTest::hiddenToTheShownLeftEnd,
                                  {{Section::alwaysHidden, {u"p"_s}},
                                   {Section::hidden, {u"x"_s, u"y"_s}},
                                   {Section::shown, {u"z"_s, u"a"_s, u"b"_s, u"c"_s}}},
                                  0},
                      KeepingCase{"WithinShown",
                                  &LayoutKeepingTest::withinShown,
                                  {{Section::alwaysHidden, {u"p"_s}},
                                   {Section::hidden, {u"x"_s, u"y"_s, u"z"_s}},
                                   {Section::shown, {u"c"_s, u"a"_s, u"b"_s}}},
                                  0},
                      KeepingCase{"NewcomerWhereItStands",
                                  &LayoutKeepingTest::newcomer,
                                  {{Section::alwaysHidden, {u"p"_s}},
                                   {Section::hidden, {u"x"_s, u"n"_s, u"y"_s, u"z"_s}},
                                   {Section::shown, {u"a"_s, u"b"_s, u"c"_s}}},
                                  0},
                      KeepingCase{"MovedByTheSystem", &LayoutKeepingTest::movedByTheSystem,
                                  LayoutKeepingTest::kLanes, 1},
                      KeepingCase{"QuitAndRelaunched", &LayoutKeepingTest::quitAndRelaunched,
                                  LayoutKeepingTest::kLanes, 0}),
    [](const auto &info) { return std::string(info.param.name); });

struct EarlyMoveCase {
    const char *name;
    QString item;
    SectionPlacement placement;
    Lanes expected;

    friend void PrintTo(const EarlyMoveCase &c, std::ostream *out) { *out << c.name; }
};

// The bar of LayoutKeepingTest before any of its items is taken into the layout, as on a first
// launch: a user's move lands where it was asked for among all the bar's items, and the others keep
// their lanes and order, in the layout and on the bar.
class EarlyMoveTest : public LaneTest, public ::testing::WithParamInterface<EarlyMoveCase> {};

TEST_P(EarlyMoveTest, landsAmongTheItemsNotTakenInYet) {
    const EarlyMoveCase &c = GetParam();
    addLaptop();
    QList<quint64> bar;
    for (const Section lane : {Section::alwaysHidden, Section::hidden, Section::shown}) {
        for (const QString &name : LayoutKeepingTest::kLanes.value(lane)) {
            items.insert(name, addItem(launch(u"com.example."_s + name), 30.0, name));
            bar.append(items.value(name));
        }
    }
    makeEngine(SectionLayout().normalized());
    arrangeAndStart(bar, 1, 3);
    run(5.0);
    ASSERT_EQ(onTheBar(), LayoutKeepingTest::kLanes);

    drive(engine->move(MenuBarItemID{u"com.example."_s + c.item, c.item, std::nullopt, 0},
                       c.placement));
    Lanes stored{{Section::alwaysHidden, {}}, {Section::hidden, {}}, {Section::shown, {}}};
    for (const Section lane : allSections) {
        for (const MenuBarItemID &id : engine->storedLayout().ids(lane)) {
            stored[lane].append(id.axIdentifier.value_or(QString()));
        }
    }
    EXPECT_EQ(stored, c.expected);
    drive(engine->reconcileMenuBar(u"user-move"_s), 120.0);
    run(240.0);
    EXPECT_EQ(onTheBar(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bar, EarlyMoveTest,
    ::testing::Values(EarlyMoveCase{"ToTheEndOfShown",
                                    u"y"_s,
                                    {Section::shown, std::nullopt},
                                    {{Section::alwaysHidden, {u"p"_s}},
                                     {Section::hidden, {u"x"_s, u"z"_s}},
                                     {Section::shown, {u"a"_s, u"b"_s, u"c"_s, u"y"_s}}}},
                      EarlyMoveCase{"FirstInAlwaysHidden",
                                    u"b"_s,
                                    {Section::alwaysHidden, 0},
                                    {{Section::alwaysHidden, {u"b"_s, u"p"_s}},
                                     {Section::hidden, {u"x"_s, u"y"_s, u"z"_s}},
                                     {Section::shown, {u"a"_s, u"c"_s}}}},
                      EarlyMoveCase{"WithinHidden",
                                    u"x"_s,
                                    {Section::hidden, 2},
                                    {{Section::alwaysHidden, {u"p"_s}},
                                     {Section::hidden, {u"y"_s, u"z"_s, u"x"_s}},
                                     {Section::shown, {u"a"_s, u"b"_s, u"c"_s}}}}),
    [](const auto &info) { return std::string(info.param.name); });

class SiblingTest : public LaneTest {};

// Four items of one application that nothing tells apart, all shown; the user hides the second and
// the fourth. One run takes two of them into the hidden lane, the scans name them after the layout
// from then on, and the rest of the hour needs no run.
TEST_F(SiblingTest, oneRunSettlesInterchangeableItems) {
    addLaptop();
    const QString quad = u"com.example.quad"_s;
    const qint32 process = launch(quad);
    QList<quint64> bar;
    QList<MenuBarItemID> ids;
    for (int i = 0; i < 4; ++i) {
        ItemDescription description;
        description.length = 30.0;
        description.glyph = ItemGlyph{ItemGlyph::Shape::Circle, QColor(20, 20, 20)};
        items.insert(u"q%1"_s.arg(i), desktop.items().add(process, description).value());
        bar.append(items.value(u"q%1"_s.arg(i)));
        ids.append(MenuBarItemID{quad, std::nullopt, std::nullopt, i});
    }
    makeEngine(layoutOf(ids, {}, {}));
    arrangeAndStart(bar, 0, 0);
    drive(engine->move(ids[1], {Section::hidden, std::nullopt}));
    drive(engine->move(ids[3], {Section::hidden, std::nullopt}));
    drive(engine->reconcileMenuBar(u"user-move"_s), 120.0);
    run(3600.0);
    const Lanes lanes = onTheBar();
    EXPECT_EQ(
        std::tuple(runs(), lanes.value(Section::hidden).size(), lanes.value(Section::shown).size()),
        std::tuple(1, 2, 2));
    EXPECT_EQ(engine->storedLayout(), layoutOf({ids[0], ids[2]}, {ids[1], ids[3]}, {}));
}

} // namespace
} // namespace zorv::testing
