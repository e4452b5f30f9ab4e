#include "appmodelharness.h"
#include "reconcilescheduler.h"
#include "search/stablekey.h"
#include "storage/wholefile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <functional>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace zorv {
namespace {

class AppModelOperationsTest : public ::testing::Test {
protected:
    AppModel &model() { return mac.model(); }
    GatedEngine &engine() { return mac.engine(); }
    MenuBarItemID itemAt(int index) { return engine().mock().items().at(index).id; }
    // The engine calls made since the last look.
    QStringList newCalls() {
        QStringList calls = mac.fakes.log.mid(m_seen);
        m_seen = mac.fakes.log.size();
        calls.removeIf([](const QString &call) { return !call.startsWith(u"engine."_s); });
        return calls;
    }

    // Hidden items wanted in the opposite of their bar order.
    void SetUp() override {
        SectionLayout layout;
        for (const MenuBarItem &item : MockMenuBarEngine::fixtures()) {
            layout.sections[item.section].prepend(item.id);
        }
        mac.build().layoutStore().replaceAndFlush(layout.normalized());
        mac.started();
        mac.advance(1);
        newCalls();
    }

    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock, cloud};
    qsizetype m_seen = 0;
};

TEST_F(AppModelOperationsTest, EachOperationMakesItsOneEngineCall) {
    const struct {
        const char *name;
        std::function<void(AppModel &)> operation;
        QStringList calls;
    } cases[] = {
        {"toggle", [](AppModel &m) { m.toggleReveal(); }, {u"engine.toggleRevealed(0)"_s}},
        {"reveal", [](AppModel &m) { m.revealHidden(); }, {u"engine.setHiddenRevealed(1,0,0)"_s}},
        {"hide", [](AppModel &m) { m.hideHidden(); }, {u"engine.setHiddenRevealed(0,0,0)"_s}},
        {"retry", [](AppModel &m) { m.retryHiding(); }, {u"engine.retryHiding"_s}},
        {"refresh", [](AppModel &m) { m.refresh(); }, {u"engine.refresh"_s}},
        {"activate",
         [this](AppModel &m) { m.activate(itemAt(0), ClickKind::right); },
         {u"engine.activate"_s}},
    };
    for (const auto &c : cases) {
        c.operation(model());
        clock.settle();
        EXPECT_EQ(newCalls(), c.calls) << c.name;
    }
    ASSERT_EQ(engine().mock().activations().size(), 1);
    EXPECT_EQ(engine().mock().activations().front().click, ClickKind::right);
}

TEST_F(AppModelOperationsTest, RefreshReadsTheAccessibilityPermissionAgain) {
    mac.desktop().permissions().setAccessibilityTrusted(false);
    model().refresh();
    EXPECT_TRUE(model().needsAccessibility());
    mac.desktop().permissions().setAccessibilityTrusted(true);
    model().refresh();
    EXPECT_FALSE(model().needsAccessibility());
}

TEST_F(AppModelOperationsTest, OnlyAFailedActivationIsWrittenToTheHotkeyLog) {
    const QString logPath = QDir(mac.dataFolder()).filePath(u"hotkey-log.txt"_s);
    model().activate(itemAt(0), ClickKind::left);
    clock.settle();
    EXPECT_FALSE(QFile::exists(logPath));

    engine().failActivations(EngineError::itemNotFound);
    model().activate(itemAt(1), ClickKind::left);
    model().activate(itemAt(2), ClickKind::left);
    clock.settle();
    const QStringList lines = QString::fromUtf8(readWholeFile(logPath).value_or(QByteArray()))
                                  .split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.front(), u"2026-12-01T09:00:01Z key=%1 activate FAILED: itemNotFound"_s.arg(
                                 stableKey(itemAt(1))));
}

TEST_F(AppModelOperationsTest, QuickMovesMakeOneReconcileAndAMoveDuringItWaitsForItsEnd) {
    const SectionLayout layout = model().layoutOrder();
    const QList<MenuBarItemID> hidden = layout.ids(Section::hidden);
    ASSERT_GE(hidden.size(), 2);
    for (int i = 0; i < 3; ++i) {
        model().move(hidden.front(), Section::hidden, hidden.back());
        mac.advance(0.2);
    }
    ASSERT_EQ(engine().moves().size(), 3);
    EXPECT_EQ(engine().moves().front().second.index, 0);
    mac.advance(0.44);
    EXPECT_TRUE(engine().reconciles().isEmpty());
    mac.advance(0.02);
    EXPECT_EQ(engine().reconciles(), QList<QString>{u"user-move"_s});

    engine().holdReconciles(seconds(3));
    model().move(hidden.back(), Section::shown);
    mac.advance(0.7); // the pass starts and holds for 3 s
    ASSERT_EQ(engine().reconciles().size(), 2);
    mac.advance(1);
    model().move(hidden.back(), Section::hidden);
    mac.advance(1); // its debounce ends during the pass, 2.35 s after the first move
    EXPECT_EQ(engine().reconciles().size(), 2) << "no second pass beside the running one";
    mac.advance(1); // the running pass ends (3.65 s) and the queued one starts behind it
    EXPECT_EQ(engine().reconciles().size(), 3);
}

// Before the bar's items are taken into the layout, a drop before an item the layout does not
// place yet hands the engine that item's place among all the section's items, as the pane shows
// them, not the end of the few the layout holds.
TEST_F(AppModelOperationsTest, ADropBeforeAnItemNotTakenInYetCountsItsPlace) {
    const auto fixture = [](const QString &bundleID) {
        return MenuBarItemID{bundleID, std::nullopt, std::nullopt, 0};
    };
    const MenuBarItemID dropbox = fixture(u"com.getdropbox.dropbox"_s); // hidden, leftmost
    const MenuBarItemID textExpander = fixture(u"com.smilesoftware.TextExpander"_s);
    const MenuBarItemID alfred = fixture(u"com.runningwithcrayons.Alfred"_s); // always hidden
    engine().apply(SectionLayout{{{Section::hidden, {textExpander}}}});
    mac.advance(1);
    ASSERT_EQ(model().layoutOrder().sectionOf(dropbox), std::nullopt);
    QList<MenuBarItemID> lane;
    for (const MenuBarItem &item : model().itemsIn(Section::hidden)) {
        lane.append(item.id);
    }
    ASSERT_EQ(lane, (QList<MenuBarItemID>{textExpander, dropbox}));

    model().move(alfred, Section::hidden, dropbox);
    mac.advance(0);
    ASSERT_FALSE(engine().moves().isEmpty());
    EXPECT_EQ(engine().moves().last().second, (SectionPlacement{Section::hidden, 1}));
}

// Passes that take `passLength` on the clock, each recording when it began and ended.
struct PassRecorder {
    ManualClock &clock;
    Duration passLength;
    QList<std::pair<Duration, Duration>> passes;

    static QCoro::Task<> run(PassRecorder *self) {
        const Duration began = self->clock.now();
        (void)co_await self->clock.sleep(self->passLength);
        self->passes.append({began, self->clock.now()});
    }
};

TEST(ReconcileSchedulerTest, RunsOnePassPerQuietBurstAndNeverCancelsARunningPass) {
    using ms = std::chrono::milliseconds;
    const struct {
        const char *name;
        QList<int> requests; // in milliseconds from the start, as are the passes' starts
        int passLength;
        QList<int> passStarts;
    } cases[] = {
        {"ThreeQuickMovesMakeOnePass", {0, 200, 400}, 0, {1050}},
        {"MovesFurtherApartMakeTwoPasses", {0, 1000}, 0, {650, 1650}},
        // A move 1 s into a 3 s pass: its debounce ends while the pass runs, so it runs right
        // after the pass, which is never cancelled.
        {"AMoveDuringAPassQueuesBehindIt", {0, 1650}, 3000, {650, 3650}},
        // Several moves during one pass still make a single pass after it.
        {"SeveralMovesDuringAPassMakeOneMore", {0, 1000, 1700, 2400}, 5000, {650, 5650}},
        // A debounce that ends after the pass is an ordinary later pass.
        {"AMoveLateInAPassWaitsItsOwnDebounce", {0, 1500}, 1000, {650, 2150}},
    };
    for (const auto &c : cases) {
        ManualClock clock;
        PassRecorder recorder{clock, ms(c.passLength), {}};
        const Duration origin = clock.now();
        {
            ReconcileScheduler scheduler(clock, 650ms, [&recorder]() -> QCoro::Task<> {
                return PassRecorder::run(&recorder);
            });
            for (int request : c.requests) {
                clock.advance(ms(request) - (clock.now() - origin));
                scheduler.schedule();
            }
            clock.advance(60s);
            EXPECT_FALSE(scheduler.isRunning()) << c.name;
        }
        QList<int> starts;
        for (const auto &[began, ended] : recorder.passes) {
            starts.append(int(std::chrono::duration_cast<ms>(began - origin).count()));
            EXPECT_EQ(ended - began, recorder.passLength) << c.name << ": a pass was cut short";
        }
        EXPECT_EQ(starts, c.passStarts) << c.name;
    }
}

TEST_F(AppModelOperationsTest,
       SortingArrangesOnceEvenWhileLiveArrangingIsOffAndAsksForThePermission) {
    for (const bool live : {false, true}) {
        model().setLiveLayout(live);
        engine().holdReconciles(seconds(1));
        model().sortMyBar();
        mac.advance(0.5);
        EXPECT_TRUE(engine().reorderEnabled()) << live;
        mac.advance(1);
        EXPECT_EQ(engine().reorderEnabled(), live);
    }
    EXPECT_EQ(engine().reconciles(), (QList<QString>{u"sort-my-bar"_s, u"sort-my-bar"_s}));
    EXPECT_FALSE(mac.desktop().permissions().trustPromptShown());

    // Without the permission the system asks for it, and the sort is still handed over to wait.
    mac.desktop().permissions().setAccessibilityTrusted(false);
    model().sortMyBar();
    mac.advance(2);
    EXPECT_TRUE(mac.desktop().permissions().trustPromptShown());
    EXPECT_TRUE(model().needsAccessibility());
    EXPECT_EQ(engine().reconciles().size(), 3);
}

TEST_F(AppModelOperationsTest, ShowsTheDefaultRevealKeysAndOpensTheAccessibilitySettings) {
    EXPECT_EQ(model().menuStatus().hotkey, u"⌥⌘S"_s);

    model().openAccessibilitySettings();
    EXPECT_EQ(mac.workspace().openedUrls(),
              QList<QUrl>{QUrl(u"x-apple.systempreferences:com.apple.preference.security"
                               u"?Privacy_Accessibility"_s)});
}

} // namespace
} // namespace zorv
