#include "coroutinetest.h"
#include "input/syntheticdrag.h"
#include "manualclock.h"
#include "realclock.h"
#include "simulateddesktop.h"
#include "workrunner.h"

#include <gtest/gtest.h>

namespace zorv::testing {
namespace {

using namespace std::chrono_literals;

// A drag posted from a worker thread while the main loop runs the desktop, as the engine's drag
// task does, on either clock.
struct WorkerDrag {
    explicit WorkerDrag(Clock &clock)
        : desktop(clock, AppDescription{QStringLiteral("app.zorv.Zorv"), QStringLiteral("Zorv"),
                                        ActivationPolicy::Accessory, 0.0, DragAcceptance::Always}) {
        desktop.arrangement().add(ScreenDescription{});
        const qint32 app = desktop.applications().launch(
            AppDescription{QStringLiteral("com.example.tools"), QStringLiteral("Tools"),
                           ActivationPolicy::Accessory, 0.0, DragAcceptance::Always});
        for (int index = 0; index < 3; ++index) {
            items.prepend(desktop.items().add(app, ItemDescription{}).value());
        }
    }

    QList<quint64> order() {
        QList<quint64> ids;
        for (const BarEntry &found : desktop.readout().bar()) {
            ids.append(found.itemId);
        }
        return ids;
    }

    struct Outcome {
        bool moved = false;
        Duration dragTook{0};
        int waitsAfterTheDrag = 0; // 1 ms sleeps until the bar showed the new order
    };

    // Waits for the first layout pass, drags the leftmost item past the rightmost on a worker
    // thread, and waits until the bar shows the new order.
    QCoro::Task<Outcome> run(Clock &clock, DragPacing pacing) {
        co_await firstLayout(clock);
        const QPointF from = desktop.readout().entry(items[0])->frame.center();
        const QPointF to(desktop.readout().entry(items[2])->frame.right() + 2, from.y());
        WorkRunner runner(WorkRunner::Mode::ThreadPool);
        InputEvents &input = desktop.inputEvents();
        auto drag = [&input, &clock, from, to, pacing] {
            postCommandDrag(input, clock, from, to, pacing);
        };
        Outcome outcome;
        const MonotonicTime start = clock.now();
        co_await runner.run(std::move(drag));
        outcome.dragTook = clock.now() - start;
        for (; outcome.waitsAfterTheDrag < 200 && order() != moved(); ++outcome.waitsAfterTheDrag) {
            co_await clock.sleep(1ms);
        }
        outcome.moved = order() == moved();
        co_return outcome;
    }

    // Posts the same drag from a worker, sleeps `after` on it there and reads the bar back from
    // the worker, as a drag task that checks its own result does.
    QCoro::Task<QList<quint64>> dragAndReadBack(Clock &clock, Duration after) {
        co_await firstLayout(clock);
        const QPointF from = desktop.readout().entry(items[0])->frame.center();
        const QPointF to(desktop.readout().entry(items[2])->frame.right() + 2, from.y());
        WorkRunner runner(WorkRunner::Mode::ThreadPool);
        auto dragAndRead = [this, &clock, from, to, after] {
            postCommandDrag(desktop.inputEvents(), clock, from, to, DragPacing::brisk());
            clock.blockingSleep(after);
            return order();
        };
        co_return co_await runner.run(std::move(dragAndRead));
    }

    QCoro::Task<> firstLayout(Clock &clock) {
        while (order() != items) {
            co_await clock.sleep(1ms);
        }
    }

    [[nodiscard]] QList<quint64> moved() const { return {items[1], items[2], items[0]}; }

    SimulatedDesktop desktop;
    QList<quint64> items; // left to right
};

TEST(WorkerCommandDragTest, MovesTheItemOnTheRealClock) {
    RealClock clock;
    WorkerDrag drag(clock);
    EXPECT_TRUE(runTask(drag.run(clock, DragPacing::brisk())).moved);
}

TEST(WorkerCommandDragTest, TakesExactlyItsSleepsOnTheManualClock) {
    for (const bool fastForward : {false, true}) {
        SCOPED_TRACE(fastForward ? "fast-forward" : "manual");
        ManualClock clock;
        clock.setFastForward(fastForward);
        WorkerDrag drag(clock);
        clock.settle(); // the first layout pass
        const WorkerDrag::Outcome outcome = runTask(drag.run(clock, DragPacing::slow()));
        EXPECT_TRUE(outcome.moved);
        // The slow gesture waits 45 + 45 + 130 + 20 × 8 + 45 + 45 ms = 470 ms of simulated time,
        // and its last wait lets the layout pass after the drop run before the worker ends.
        EXPECT_EQ(outcome.dragTook, 470ms);
        EXPECT_EQ(outcome.waitsAfterTheDrag, 0);
    }
}

// The bar is laid out on the main thread a delay after the drop: a worker that sleeps that long
// after posting reads the new order back, on the manual clock as on the real one, and one that
// wakes a moment earlier still reads the old order.
TEST(WorkerCommandDragTest, AWorkerSleepingPastTheLayoutDelayReadsTheNewLayoutBack) {
    struct Case {
        const char *name;
        bool realClock;
        Duration layoutDelay;
        Duration sleepAfterTheDrop;
        bool seesTheNewOrder;
    };
    const Case cases[] = {
        {"RealClock", true, 1ms, 50ms, true},
        {"ManualClockAtTheDelay", false, 40ms, 40ms, true},
        {"ManualClockLongAfter", false, 40ms, 10s, true},
        {"ManualClockJustBefore", false, 40ms, 40ms - 1ns, false},
    };
    for (const Case &row : cases) {
        SCOPED_TRACE(row.name);
        RealClock realClock;
        ManualClock manualClock;
        Clock &clock = row.realClock ? static_cast<Clock &>(realClock) : manualClock;
        WorkerDrag drag(clock);
        manualClock.settle(); // the first layout pass on the manual clock
        drag.desktop.settings().setLayoutPassDelay(row.layoutDelay);
        const QList<quint64> seen = runTask(drag.dragAndReadBack(clock, row.sleepAfterTheDrop));
        EXPECT_EQ(seen, row.seesTheNewOrder ? drag.moved() : drag.items);
    }
}

} // namespace
} // namespace zorv::testing
