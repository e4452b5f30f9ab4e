#include "enginetest.h"

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

// The engine launched again on a bar where it has run before.
class RelaunchTest : public EngineTest {
protected:
    [[nodiscard]] double leftOf(quint64 itemId) { return entry(itemId).frame.left(); }
    [[nodiscard]] quint64 alwaysSeparator() {
        return zorvItem(BarItems::zorvAlwaysHiddenSeparatorName);
    }
    [[nodiscard]] quint64 hiddenSeparator() { return zorvItem(BarItems::zorvHiddenSeparatorName); }
    [[nodiscard]] qsizetype placements() const {
        return records(u"events.jsonl"_s, u"separators-placed"_s).size();
    }
    [[nodiscard]] qsizetype runs() const {
        qsizetype count = 0;
        for (const QJsonObject &line : records(u"reconcile-log.jsonl"_s)) {
            count += line.contains(u"passes"_s) ? 1 : 0;
        }
        return count;
    }
};

// What the system remembered for the always-hidden separator at the last quit counted the hidden
// separator's hiding length, so it came back at the left end with the always-hidden item on its
// right. Before any run it stands between the lanes again: nothing is dragged, the layout stays,
// and revealing the hidden items leaves the always-hidden one out of sight.
TEST_F(RelaunchTest, bringsTheAlwaysHiddenSeparatorBackBetweenTheLanes) {
    addLaptop();
    furnishSections();
    arrange({alwaysSeparator(), always, hidden, hiddenSeparator(), shown,
             zorvItem(BarItems::zorvIconName)});
    const SectionLayout wanted = engine->storedLayout();
    engine->setReorderEnabled(true);
    startEngine();

    EXPECT_EQ(placements(), 1);
    EXPECT_LT(leftOf(always), leftOf(alwaysSeparator()));
    EXPECT_LT(leftOf(alwaysSeparator()), leftOf(hidden));
    EXPECT_LT(leftOf(hidden), leftOf(hiddenSeparator()));
    EXPECT_LT(leftOf(hiddenSeparator()), leftOf(shown));
    EXPECT_LT(leftOf(shown), leftOf(zorvItem(BarItems::zorvIconName)));
    EXPECT_FALSE(onScreen(hidden)) << "tucked again";

    run(300.0);
    EXPECT_EQ(engine->storedLayout(), wanted);
    EXPECT_EQ(runs(), 0);
    drive(engine->setHiddenRevealed(true, false, false));
    run(1.0);
    EXPECT_TRUE(onScreen(hidden));
    EXPECT_FALSE(onScreen(always));
}

// The same bar met by a launch without the permission, with the layout handed over meanwhile and
// items the system will not let be dragged. At the grant the separators go between the lanes
// before any run drags: the hidden item comes out on a reveal and the always-hidden one stays out
// of sight.
TEST_F(RelaunchTest, bringsTheAlwaysHiddenSeparatorBackBetweenTheLanesAtTheGrant) {
    addLaptop();
    furnishSections();
    desktop.applications().setDragAcceptance(toolsProcess, DragAcceptance::Never);
    arrange({alwaysSeparator(), always, hidden, hiddenSeparator(), shown,
             zorvItem(BarItems::zorvIconName)});
    desktop.permissions().setAccessibilityTrusted(false);
    engine->setReorderEnabled(true);
    drive(engine->apply(engine->storedLayout()));
    startEngine();
    run(60.0);
    ASSERT_EQ(placements(), 0);

    desktop.permissions().setAccessibilityTrusted(true);
    run(60.0);
    ASSERT_EQ(placements(), 1);
    QStringList kinds;
    for (const QJsonObject &record : records(u"events.jsonl"_s)) {
        kinds.append(record.value(u"kind"_s).toString());
    }
    EXPECT_FALSE(kinds.first(kinds.indexOf(u"separators-placed"_s)).contains(u"cursor-borrowed"_s))
        << "no drag before the separators stand between the lanes";
    EXPECT_LT(leftOf(always), leftOf(alwaysSeparator()));
    EXPECT_LT(leftOf(alwaysSeparator()), leftOf(hidden));
    EXPECT_LT(leftOf(hidden), leftOf(hiddenSeparator()));
    EXPECT_LT(leftOf(hiddenSeparator()), leftOf(shown));
    drive(engine->setHiddenRevealed(true, false, false));
    run(1.0);
    EXPECT_TRUE(onScreen(hidden));
    EXPECT_FALSE(onScreen(always));
}

// Separators where the lanes meet are left alone: the engine's items are not created again.
TEST_F(RelaunchTest, leavesSeparatorsThatStandBetweenTheLanes) {
    addLaptop();
    furnishSections();
    startEngine();
    EXPECT_EQ(placements(), 0);
}

// An item out of its lane that no move of the separators would put in: a run drags it, and the
// separators stay where they are.
TEST_F(RelaunchTest, leavesTheSeparatorsForAStrayItem) {
    addLaptop();
    furnishSections();
    arrange({shown, always, alwaysSeparator(), hidden, hiddenSeparator(),
             zorvItem(BarItems::zorvIconName)});
    engine->setReorderEnabled(true);
    startEngine();
    EXPECT_EQ(placements(), 0);
    run(120.0);
    EXPECT_GT(leftOf(shown), leftOf(hiddenSeparator()));
    EXPECT_LT(leftOf(always), leftOf(alwaysSeparator()));
}

} // namespace
} // namespace zorv::testing
