#include "coroutinetest.h"
#include "input/syntheticdrag.h"
#include "manualclock.h"
#include "realclock.h"
#include "simulateddesktop.h"
#include "workrunner.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

using namespace std::chrono_literals;

// Three items that a worker thread Command-drags while the main loop runs the desktop, as the
// engine's drag task does, on either clock.
struct WorkerDrag {
    explicit WorkerDrag(Clock &clock)
        : desktop(clock, AppDescription{u"app.zorv.Zorv"_s, u"Zorv"_s, ActivationPolicy::Accessory,
                                        0.0, DragAcceptance::Always}) {
        desktop.arrangement().add(ScreenDescription{});
        const qint32 app = desktop.applications().launch(
            AppDescription{u"com.example.tools"_s, u"Tools"_s, ActivationPolicy::Accessory, 0.0,
                           DragAcceptance::Always});
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
        Duration dragTook{0};
        QList<quint64> orderAfter;
    };

    // Waits for the first layout pass, then on a worker thread drags the leftmost item past the
    // rightmost, sleeps `after` there and reads the bar back, as a drag task that checks its own
    // result does.
    QCoro::Task<Outcome> run(Clock &clock, DragPacing pacing, Duration after) {
        while (order() != items) {
            co_await clock.sleep(1ms);
        }
        const QPointF from = desktop.readout().entry(items[0])->frame.center();
        const QPointF to(desktop.readout().entry(items[2])->frame.right() + 2, from.y());
        WorkRunner runner(WorkRunner::Mode::ThreadPool);
        auto dragAndRead = [this, &clock, from, to, pacing, after] {
            const MonotonicTime start = clock.now();
            postCommandDrag(desktop.inputEvents(), clock, from, to, pacing);
            const Duration took = clock.now() - start;
            clock.blockingSleep(after);
            return Outcome{took, order()};
        };
        co_return co_await runner.run(std::move(dragAndRead));
    }

    SimulatedDesktop desktop;
    QList<quint64> items; // left to right
};

// The bar is laid out on the main thread a delay after the drop: a worker that sleeps that long
// after posting reads the new order back, on the manual clock (also fast-forwarding) as on the
// real one, and one that wakes a moment earlier still reads the old order. On the manual clock a
// drag takes exactly its sleeps: the slow gesture waits 45 + 45 + 130 + 20 × 8 + 45 + 45 ms, and
// its last wait lets the layout pass after the drop run before the worker reads the bar.
TEST(WorkerCommandDragTest, AWorkerSleepingPastTheLayoutDelayReadsTheNewLayoutBack) {
    enum class ClockKind { Real, Manual, FastForward };
    const struct {
        const char *name;
        ClockKind clock;
        DragPacing pacing;
        Duration layoutDelay;
        Duration sleepAfterTheDrop;
        bool seesTheNewOrder;
        std::optional<Duration> dragTakes;
    } cases[] = {
        {"RealClock", ClockKind::Real, DragPacing::brisk(), 1ms, 50ms, true, {}},
        {"ManualClockSlowGesture", ClockKind::Manual, DragPacing::slow(), 0ms, 0ms, true, 470ms},
        {"FastForwardSlowGesture", ClockKind::FastForward, DragPacing::slow(), 0ms, 0ms, true,
         470ms},
        {"ManualClockAtTheDelay", ClockKind::Manual, DragPacing::brisk(), 40ms, 40ms, true, {}},
        {"ManualClockLongAfter", ClockKind::Manual, DragPacing::brisk(), 40ms, 10s, true, {}},
        {"ManualClockJustBefore",
         ClockKind::Manual,
         DragPacing::brisk(),
         40ms,
         40ms - 1ns,
         false,
         {}},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        RealClock realClock;
        ManualClock manualClock;
        manualClock.setFastForward(row.clock == ClockKind::FastForward);
        Clock &clock = row.clock == ClockKind::Real ? static_cast<Clock &>(realClock) : manualClock;
        WorkerDrag drag(clock);
        manualClock.settle(); // the first layout pass on the manual clock
        drag.desktop.settings().setLayoutPassDelay(row.layoutDelay);
        const WorkerDrag::Outcome outcome =
            runTask(drag.run(clock, row.pacing, row.sleepAfterTheDrop));
        const QList<quint64> moved = {drag.items[1], drag.items[2], drag.items[0]};
        EXPECT_EQ(outcome.orderAfter, row.seesTheNewOrder ? moved : drag.items);
        if (row.dragTakes) {
            EXPECT_EQ(outcome.dragTook, *row.dragTakes);
        }
    }
}

} // namespace
} // namespace zorv::testing
