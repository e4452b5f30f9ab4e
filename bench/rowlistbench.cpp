#include "diagnostics/itempositionsmodel.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

enum class Reorder { Unchanged, Reversed, LastToFront };

// One screen's bar of `count` items laid out left to right in the order given.
ScreenSnapshot barOf(const QList<quint64> &order) {
    ScreenSnapshot screen;
    screen.screen.displayId = 1;
    screen.screen.name = u"Laptop"_s;
    double x = 100.0;
    for (const quint64 itemId : order) {
        BarEntry entry;
        entry.itemId = itemId;
        entry.displayId = 1;
        entry.processId = qint32(itemId / 2 + 100);
        entry.bundleIdentifier = u"com.example.app%1"_s.arg(itemId / 2);
        entry.applicationName = u"App %1"_s.arg(itemId / 2);
        entry.length = 22.0;
        entry.frame = QRectF(x, 0.0, 22.0, 24.0);
        entry.onScreen = entry.visible = true;
        screen.entries.append(entry);
        x += 22.0;
    }
    return screen;
}

// Main-thread time of one update of the desktop window's item positions, keyed rows following
// their items, from a bar of `range(0)` items to the same items unchanged, in reverse order, or
// with the last moved to the front (every item after it shifting right).
void followOfItemPositions(benchmark::State &state, Reorder reorder) {
    const auto count = int(state.range(0));
    QList<quint64> order;
    for (int i = 0; i < count; ++i) {
        order.append(quint64(i + 1));
    }
    QList<quint64> wanted = order;
    if (reorder == Reorder::Reversed) {
        std::reverse(wanted.begin(), wanted.end());
    } else if (reorder == Reorder::LastToFront) {
        wanted.prepend(wanted.takeLast());
    }
    const QList<ScreenSnapshot> before{barOf(order)};
    const QList<ScreenSnapshot> after{barOf(wanted)};
    for (auto _ : state) {
        state.PauseTiming();
        auto model = std::make_unique<ItemPositionsModel>();
        model->setScreens(before);
        state.ResumeTiming();
        model->setScreens(after);
        benchmark::DoNotOptimize(model->rowCount());
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
}

BENCHMARK_CAPTURE(followOfItemPositions, unchanged, Reorder::Unchanged)
    ->Arg(400)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(followOfItemPositions, reversed, Reorder::Reversed)
    ->Arg(400)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(followOfItemPositions, lastToFront, Reorder::LastToFront)
    ->Arg(400)
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace zorv
