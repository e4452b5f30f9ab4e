#pragma once

#include "enginetest.h"

#include <QFile>
#include <QJsonArray>
#include <QStringList>

namespace zorv::testing {

// Bars of two, three and five items, in order and reversed.
inline const QStringList kTwo{QStringLiteral("a"), QStringLiteral("b")};
inline const QStringList kTwoSwapped{QStringLiteral("b"), QStringLiteral("a")};
inline const QStringList kThree{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
inline const QStringList kThreeReversed{QStringLiteral("c"), QStringLiteral("b"),
                                        QStringLiteral("a")};
inline const QStringList kFive{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                               QStringLiteral("d"), QStringLiteral("e")};
inline const QStringList kFiveReversed{QStringLiteral("e"), QStringLiteral("d"),
                                       QStringLiteral("c"), QStringLiteral("b"),
                                       QStringLiteral("a")};

// Items of the tools application right of both separators, in a given order, the icon rightmost;
// reordering on, the user's cursor at kUserSpot.
class ReconcileTest : public EngineTest {
protected:
    void furnish(const QStringList &leftToRight, DragAcceptance acceptance = DragAcceptance::Always,
                 double itemLength = 30.0) {
        addLaptop();
        toolsProcess = launch(tools);
        for (const QString &name : leftToRight) {
            items.insert(name, addItem(toolsProcess, itemLength, name));
        }
        desktop.applications().setDragAcceptance(toolsProcess, acceptance);
        makeEngine();
        QList<quint64> bar;
        for (const QString &name : leftToRight) {
            bar.append(items.value(name));
        }
        arrangeAndStart(bar, 0, 0);
    }

    // The user arranges the shown section in this order.
    void want(const QStringList &shownOrder) {
        QList<MenuBarItemID> ids;
        for (const QString &name : shownOrder) {
            ids.append(idOf(name));
        }
        drive(engine->apply(layoutOf(ids, {}, {})));
    }

    void reconcile(const QString &trigger = QStringLiteral("user-move")) {
        drive(engine->reconcileMenuBar(trigger), 600.0);
    }

    // The tools items as they stand on the bar, left to right.
    [[nodiscard]] QStringList shownOrder() {
        QStringList names;
        for (quint64 id : barOrder()) {
            if (items.key(id).size() > 0) {
                names.append(items.key(id));
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

    // The end-of-run lines of the reconcile log.
    [[nodiscard]] QList<QJsonObject> runLines() const {
        QList<QJsonObject> runs = records(QStringLiteral("reconcile-log.jsonl"));
        runs.removeIf(
            [](const QJsonObject &line) { return !line.contains(QStringLiteral("passes")); });
        return runs;
    }

    [[nodiscard]] QJsonObject lastRun() const {
        return readFile(QStringLiteral("last-reconcile.json"));
    }

    // Leaves a request for the test hook and lets the next scan take it.
    void request(const QByteArray &json, double seconds) {
        QFile file(folder.filePath(QStringLiteral("drag-test.json")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(json);
        file.close();
        drive(engine->refresh());
        run(seconds);
    }

    // Cursor sessions opened, each given back; the cursor is the user's again: shown, attached
    // and where it was before the runs.
    void expectSessionsGivenBack(qsizetype count) {
        EXPECT_EQ(records(QStringLiteral("events.jsonl"), QStringLiteral("cursor-borrowed")).size(),
                  count);
        EXPECT_EQ(records(QStringLiteral("events.jsonl"), QStringLiteral("cursor-returned")).size(),
                  count);
        const CursorState cursor = desktop.readout().cursor();
        EXPECT_EQ(cursor.hideCounts.values(), QList<int>(cursor.hideCounts.size(), 0));
        EXPECT_TRUE(cursor.mouseAssociated);
        EXPECT_EQ(cursor.location, kUserSpot);
        EXPECT_FALSE(engine->cursor().session().has_value());
    }

    // Zorv's hidden separator stands at its hiding length, as a tuck leaves it: no run revealed.
    [[nodiscard]] bool hidingAsTucked() {
        return entry(zorvItem(BarItems::zorvHiddenSeparatorName)).length >
               SeparatorController::collapsedLength;
    }

    QHash<QString, quint64> items;
};

} // namespace zorv::testing
