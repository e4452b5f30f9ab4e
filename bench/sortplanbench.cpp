#include "reconcile/sortplanrecord.h"

#include <QJsonArray>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

enum class Wanted { Random, Reversed };

// Main-thread time of the sort-plan record a run builds, for one shown lane of `range(0)` items
// whose wanted order is a shuffle or the reverse of the bar's.
void sortPlanOfOneLane(benchmark::State &state, Wanted wanted) {
    const auto count = int(state.range(0));
    QList<MenuBarItem> items;
    QList<MenuBarItemID> ids;
    for (int i = 0; i < count; ++i) {
        const MenuBarItemID id{u"com.example.app%1"_s.arg(i), std::nullopt, u"item"_s, 0};
        items.append(MenuBarItem{id, i + 100, u"App %1"_s.arg(i),
                                 QRectF(100.0 + 28.0 * i, 0.0, 22.0 + i % 3, 24.0), std::nullopt,
                                 std::nullopt, Section::shown, false, false, false});
        ids.append(id);
    }
    if (wanted == Wanted::Reversed) {
        std::reverse(ids.begin(), ids.end());
    } else {
        std::mt19937 random{unsigned(count)};
        std::shuffle(ids.begin(), ids.end(), random);
    }
    const SectionLayout layout{
        {{Section::shown, ids}, {Section::hidden, {}}, {Section::alwaysHidden, {}}}};
    qint64 moves = 0;
    for (auto _ : state) {
        const SortPlanRecord record = SortPlanRecord::build(items, layout);
        moves = record.line[u"lanes"_s][0][u"moves"_s].toInteger();
        benchmark::DoNotOptimize(record.modeledMicros);
    }
    state.counters["moves"] = double(moves);
}

BENCHMARK_CAPTURE(sortPlanOfOneLane, random, Wanted::Random)
    ->Arg(50)
    ->Arg(125)
    ->Arg(200)
    ->Arg(400)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sortPlanOfOneLane, reversed, Wanted::Reversed)
    ->Arg(50)
    ->Arg(125)
    ->Arg(200)
    ->Arg(400)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zorv
