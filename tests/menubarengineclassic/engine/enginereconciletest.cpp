#include "enginetest.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

// Items of the tools application right of both separators, in a given order, the icon rightmost;
// reordering on.
class ReconcileTest : public EngineTest {
protected:
    void furnish(const QStringList &leftToRight,
                 DragAcceptance acceptance = DragAcceptance::Always) {
        addLaptop();
        toolsProcess = launch(tools);
        for (const QString &name : leftToRight) {
            items.insert(name, addItem(toolsProcess, 30.0, name));
        }
        desktop.applications().setDragAcceptance(toolsProcess, acceptance);
        makeEngine();
        engine->setReorderEnabled(true);
        QList<quint64> bar{zorvItem(BarItems::zorvAlwaysHiddenSeparatorName),
                           zorvItem(BarItems::zorvHiddenSeparatorName)};
        for (const QString &name : leftToRight) {
            bar.append(items.value(name));
        }
        bar.append(zorvItem(BarItems::zorvIconName));
        arrange(bar);
        startEngine();
        run(3.0);
    }

    // The user arranges the shown section in this order.
    void want(const QStringList &shownOrder) {
        QList<MenuBarItemID> ids;
        for (const QString &name : shownOrder) {
            ids.append(idOf(name));
        }
        drive(engine->apply(layoutOf(ids, {}, {})));
    }

    void reconcile(const QString &trigger = u"user-move"_s) {
        drive(engine->reconcileMenuBar(trigger), 600.0);
    }

    // The tools items as they stand on the bar, left to right.
    [[nodiscard]] QStringList shownOrder() {
        QStringList names;
        for (quint64 id : barOrder()) {
            const QString name = items.key(id);
            if (!name.isEmpty()) {
                names.append(name);
            }
        }
        return names;
    }

    [[nodiscard]] QStringList wantedOrder() const {
        QStringList names;
        for (const MenuBarItemID &id : engine->storedLayout().ids(Section::shown)) {
            names.append(id.axIdentifier.value_or(QString()));
        }
        return names;
    }

    // Every line of "reconcile-log.jsonl".
    [[nodiscard]] QList<QJsonObject> logLines() const {
        QList<QJsonObject> lines;
        QFile file(folder.filePath(u"reconcile-log.jsonl"_s));
        if (file.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : file.readAll().split('\n')) {
                if (!line.isEmpty()) {
                    lines.append(QJsonDocument::fromJson(line).object());
                }
            }
        }
        return lines;
    }

    // The end-of-run lines of the log.
    [[nodiscard]] QList<QJsonObject> runLines() const {
        QList<QJsonObject> runs;
        for (const QJsonObject &line : logLines()) {
            if (line.contains(u"passes"_s)) {
                runs.append(line);
            }
        }
        return runs;
    }

    [[nodiscard]] QJsonObject lastRun() const { return readFile(u"last-reconcile.json"_s); }

    [[nodiscard]] static QStringList gestures(const QJsonObject &run) {
        QStringList found;
        for (const QJsonValue &move : run.value(u"moves"_s).toArray()) {
            found.append(move.toObject().value(u"gesture"_s).toString());
        }
        return found;
    }

    // The cursor is the user's again: shown, attached and where it was before the run.
    void expectCursorGivenBack(QPointF before) {
        const CursorState cursor = desktop.readout().cursor();
        for (int hides : cursor.hideCounts) {
            EXPECT_EQ(hides, 0);
        }
        EXPECT_TRUE(cursor.mouseAssociated);
        EXPECT_EQ(cursor.location, before);
        EXPECT_FALSE(engine->cursor().session().has_value());
    }

    QHash<QString, quint64> items;
};

struct OrderCase {
    const char *name;
    QStringList bar;
    QStringList wanted;
    DragAcceptance acceptance;
    // End-of-run lines in the log, follow-ups included.
    qsizetype runs;
    // The gestures of the first run's drags, in order; empty for no drag.
    QStringList firstRunGestures;
    // The bar at the end, which is also the wanted order then.
    QStringList finalBar;
    // The highest count of runs in a row in which an item's order drags failed.
    int strikes;
};

class ReconcileOrderTest : public ReconcileTest, public ::testing::WithParamInterface<OrderCase> {};

// A run settles the bar or queues a follow-up while it gets somewhere; an item that never moves
// is left alone after three runs, and only then is the bar's order taken as the wanted one.
TEST_P(ReconcileOrderTest, bringsTheBarIntoTheWantedOrder) {
    const OrderCase &c = GetParam();
    furnish(c.bar, c.acceptance);
    want(c.wanted);
    const QPointF cursorBefore(700.0, 400.0);
    desktop.userInput().moveMouse(cursorBefore);
    reconcile();
    const QList<QJsonObject> runs = runLines();
    ASSERT_EQ(runs.size(), c.runs);
    EXPECT_EQ(gestures(runs.first()), c.firstRunGestures);
    EXPECT_TRUE(runs.last().value(u"settled"_s).toBool());
    EXPECT_EQ(shownOrder(), c.finalBar);
    EXPECT_EQ(wantedOrder(), c.finalBar);
    EXPECT_FALSE(engine->orderDirty());
    int strikes = 0;
    for (int count : engine->stubbornOrder()) {
        strikes = std::max(strikes, count);
    }
    EXPECT_EQ(strikes, c.strikes);
    expectCursorGivenBack(cursorBefore);
}

const QStringList kTwo{u"a"_s, u"b"_s};
const QStringList kTwoSwapped{u"b"_s, u"a"_s};
const QStringList kFive{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s};
const QStringList kFiveReversed{u"e"_s, u"d"_s, u"c"_s, u"b"_s, u"a"_s};

INSTANTIATE_TEST_SUITE_P(
    Bars, ReconcileOrderTest,
    ::testing::Values(
        OrderCase{"AlreadyOrdered", kTwo, kTwo, DragAcceptance::Always, 1, {}, kTwo, 0},
        OrderCase{
            "OneSwap", kTwoSwapped, kTwo, DragAcceptance::Always, 1, {u"standard"_s}, kTwo, 0},
        // Two plans per attempt key (one application's items share it) and run: the rest waits
        // for the follow-up run instead of the bar's half-sorted order becoming the wanted one.
        OrderCase{"MoreThanOneRunCanDo",
                  kFiveReversed,
                  kFive,
                  DragAcceptance::Always,
                  2,
                  {u"standard"_s, u"commandKey"_s},
                  kFive,
                  0},
        OrderCase{"SlowGestureOnly",
                  kTwoSwapped,
                  kTwo,
                  DragAcceptance::SlowGestureOnly,
                  1,
                  {u"standard"_s, u"commandKey"_s},
                  kTwo,
                  0},
        // Each item gets three runs before it counts as stubborn.
        OrderCase{"NeverMoves",
                  kTwoSwapped,
                  kTwo,
                  DragAcceptance::Never,
                  6,
                  {u"standard"_s, u"commandKey"_s},
                  kTwoSwapped,
                  3}),
    [](const auto &info) { return info.param.name; });

} // namespace
} // namespace zorv::testing
