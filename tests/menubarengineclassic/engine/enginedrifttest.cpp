#include "enginetest.h"

#include <QJsonArray>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

// Drift the scans repair on their own: the follow-up runs a scan starts, on the same two-sighting
// and spacing rules whatever the drift.
class DriftRepairTest : public EngineTest {
protected:
    [[nodiscard]] quint64 alwaysSeparator() {
        return zorvItem(BarItems::zorvAlwaysHiddenSeparatorName);
    }
    [[nodiscard]] quint64 hiddenSeparator() { return zorvItem(BarItems::zorvHiddenSeparatorName); }

    // An application with menus `menusWidth` points wide.
    qint32 launchWithMenus(const QString &bundleID, double menusWidth) {
        AppDescription application;
        application.bundleIdentifier = bundleID;
        application.activationPolicy = ActivationPolicy::Regular;
        application.menusWidth = menusWidth;
        return desktop.applications().launch(application);
    }
    void bringToFront(qint32 process) {
        desktop.applications().activate(process);
        settle();
    }
};

// The engine looks at the bar this often when nothing else makes it.
constexpr double kPollSeconds = 30.0;

// The tools application relaunches with its items in another order: the one the user wants
// always hidden comes up right of the always-hidden separator, the hidden one left of it. Both
// are still left of the hidden separator, yet a click on the icon would show the always-hidden
// one: the scans see drift, and a run puts both back; so does the next run when the swap comes
// back right after the first.
TEST_F(DriftRepairTest, repairsASwapAcrossTheAlwaysHiddenSeparator) {
    addLaptop();
    furnishSections();
    engine->setReorderEnabled(true);
    startEngine();
    run(60.0);
    ASSERT_TRUE(runTriggers().isEmpty());

    arrange({hidden, alwaysSeparator(), always, hiddenSeparator(), shown,
             zorvItem(BarItems::zorvIconName)});
    settle();
    ASSERT_GT(entry(always).frame.left(), entry(alwaysSeparator()).frame.left());
    for (int second = 0; second < 180 && runTriggers().isEmpty(); ++second) {
        run(1.0);
    }
    run(5.0);
    EXPECT_EQ(runTriggers(), QStringList{u"drift:com.example.tools,com.example.tools"_s});
    EXPECT_LT(entry(always).frame.left(), entry(alwaysSeparator()).frame.left());
    EXPECT_GT(entry(hidden).frame.left(), entry(alwaysSeparator()).frame.left());
    EXPECT_LT(entry(hidden).frame.left(), entry(hiddenSeparator()).frame.left());

    // The same swap again at once: the polls see it while the run just made holds the next one
    // back, and the run follows the second of them.
    arrange({hidden, alwaysSeparator(), always, hiddenSeparator(), shown,
             zorvItem(BarItems::zorvIconName)});
    settle();
    double waited = 0.0;
    for (; waited < 200.0 && runTriggers().size() < 2; waited += 1.0) {
        run(1.0);
    }
    EXPECT_LE(waited, 2 * kPollSeconds + 5.0);
    EXPECT_LT(entry(always).frame.left(), entry(alwaysSeparator()).frame.left());

    drive(engine->setHiddenRevealed(true, false, false));
    run(1.0);
    EXPECT_TRUE(onScreen(hidden));
    EXPECT_FALSE(onScreen(always));
}

// The same swap on a bar scanned every few seconds (applications coming and going), in an
// application that refuses drags: the runs the scans start for it stay spaced out, two of them
// before the items are left where they stand.
TEST_F(DriftRepairTest, runsForADriftStaySpacedOutHoweverOftenTheBarIsScanned) {
    addLaptop();
    furnishSections();
    desktop.applications().setDragAcceptance(toolsProcess, DragAcceptance::Never);
    engine->setReorderEnabled(true);
    startEngine();
    run(60.0);
    arrange({hidden, alwaysSeparator(), always, hiddenSeparator(), shown,
             zorvItem(BarItems::zorvIconName)});
    settle();
    for (int scan = 0; scan < 40; ++scan) {
        drive(engine->refresh());
        run(5.0);
    }
    QList<QDateTime> ends;
    for (const QJsonObject &line : records(u"reconcile-log.jsonl"_s)) {
        if (line.contains(u"passes"_s)) {
            ends.append(QDateTime::fromString(line.value(u"at"_s).toString(), Qt::ISODate));
        }
    }
    ASSERT_EQ(ends.size(), 2);
    EXPECT_GE(ends.first().secsTo(ends.last()), DriftMemory::runSpacingSeconds);
}

// An item the user wants hidden stands in the shown part under the long menus of the front
// application, between two shown items, so that the separators stand where they belong: three
// runs can do nothing about it and the drift is given up. Another application with short menus
// comes to the front, the item is within reach, and the scans' own run puts it where the user
// wants it.
TEST_F(DriftRepairTest, aFrontApplicationWithShortMenusLiftsTheWaitOfAGivenUpDrift) {
    addLaptop();
    toolsProcess = launch(tools);
    const quint64 alsoShown = addItem(toolsProcess, 24.0, u"also-shown"_s);
    const quint64 covered = addItem(toolsProcess, 30.0, u"covered"_s);
    shown = addItem(toolsProcess, 300.0, u"shown"_s);
    const qint32 longMenus = launchWithMenus(u"com.example.long"_s, 1300.0);
    const qint32 shortMenus = launchWithMenus(u"com.example.short"_s, 200.0);
    bringToFront(longMenus);
    makeEngine(layoutOf({idOf(u"also-shown"_s), idOf(u"shown"_s)}, {idOf(u"covered"_s)}, {}));
    arrange({alwaysSeparator(), hiddenSeparator(), alsoShown, covered, shown,
             zorvItem(BarItems::zorvIconName)});
    engine->setReorderEnabled(true);
    startEngine();
    run(60.0);
    ASSERT_FALSE(entry(covered).visible) << "under the menus";
    for (int i = 0; i < 3; ++i) {
        drive(engine->reconcileMenuBar(u"drift:com.example.tools"_s), 600.0);
    }
    ASSERT_EQ(records(u"reconcile-log.jsonl"_s, u"drift-given-up"_s).size(), 1);
    run(120.0);
    ASSERT_EQ(runTriggers().size(), 3) << "the drift waits";

    bringToFront(shortMenus);
    run(150.0);
    EXPECT_EQ(runTriggers().size(), 4);
    EXPECT_LT(entry(covered).frame.left(), entry(hiddenSeparator()).frame.left());
    EXPECT_FALSE(onScreen(covered));
}

} // namespace
} // namespace zorv::testing
