#include "coroutinetest.h"
#include "input/syntheticdrag.h"
#include "manualclock.h"
#include "realclock.h"
#include "simulateddesktop.h"
#include "workrunner.h"

#include <QElapsedTimer>

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

    // Waits for the first layout pass, drags the leftmost item past the rightmost on a worker
    // thread, and waits until the bar shows the new order.
    QCoro::Task<bool> run(Clock &clock, DragPacing pacing) {
        while (order() != items) {
            co_await clock.sleep(1ms);
        }
        const QPointF from = desktop.readout().entry(items[0])->frame.center();
        const QPointF to(desktop.readout().entry(items[2])->frame.right() + 2, from.y());
        WorkRunner runner(WorkRunner::Mode::ThreadPool);
        InputEvents &input = desktop.inputEvents();
        auto drag = [&input, &clock, from, to, pacing] {
            postCommandDrag(input, clock, from, to, pacing);
        };
        co_await runner.run(std::move(drag));
        const QList<quint64> wanted = {items[1], items[2], items[0]};
        for (int attempt = 0; attempt < 200 && order() != wanted; ++attempt) {
            co_await clock.sleep(1ms);
        }
        co_return order() == wanted;
    }

    SimulatedDesktop desktop;
    QList<quint64> items; // left to right
};

TEST(WorkerCommandDragTest, MovesTheItemOnTheRealClock) {
    RealClock clock;
    WorkerDrag drag(clock);
    EXPECT_TRUE(runTask(drag.run(clock, DragPacing::brisk())));
}

TEST(WorkerCommandDragTest, WaitsCostNoWallTimeOnTheManualClock) {
    ManualClock clock;
    clock.setFastForward(true);
    WorkerDrag drag(clock);
    const MonotonicTime start = clock.now();
    QElapsedTimer wall;
    wall.start();
    EXPECT_TRUE(runTask(drag.run(clock, DragPacing::slow())));
    // The slow gesture waits 45 + 45 + 130 + 20 × 8 + 45 + 45 ms = 470 ms of simulated time.
    EXPECT_GE(clock.now() - start, 470ms);
    EXPECT_LT(wall.elapsed(), 200);
}

} // namespace
} // namespace zorv::testing
