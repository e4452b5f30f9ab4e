#include "engine/classicengine.h"
#include "manualclock.h"
#include "simulateddesktop.h"
#include "simulatedengineplatform.h"
#include "workerclockdriver.h"
#include "workspace/simworkspace.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <memory>
#include <random>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The sections from left to right on the bar: always hidden, hidden, shown.
constexpr std::array<Section, 3> kLeftToRight{Section::alwaysHidden, Section::hidden,
                                              Section::shown};

// The display the bar is on and the items' width and spacing, in points.
struct BarDisplay {
    const char *name = "Built-in Retina Display";
    double width = 1512.0;
    double itemLength = 22.0;
    double spacing = 16.0;
};

// The 14-inch laptop; a wide display (7680 points) with items of the usual width and tighter
// spacing; the same with items narrow enough that 400 fit, yet spaced wide enough that each sits
// clear of the planner's 14-point tolerance beside a separator.
constexpr BarDisplay kLaptop{};
constexpr BarDisplay kWide{"Wide Display", 7680.0, 22.0, 12.0};
constexpr BarDisplay kWideNarrowItems{"Wide Display", 7680.0, 6.0, 12.0};

// How the wanted layout orders each section before items change sections.
enum class SectionOrder { Shuffled, Reversed, Kept };

// A wanted layout: `sizes` items per section (in kLeftToRight order), each section's order
// shuffled, reversed or kept, and `crossMoves` items sent to another section at a random place.
struct ReconcileCase {
    std::array<int, 3> sizes;
    int crossMoves;
    unsigned seed;
    SectionOrder order = SectionOrder::Shuffled;
    BarDisplay display = kLaptop;
};

using Arrangement = std::array<QList<int>, 3>;

// Length of the longest run of `order` already in increasing order, not necessarily adjacent.
qsizetype longestOrderedRun(const QList<int> &order) {
    QList<int> tails;
    for (int value : order) {
        const auto at = std::lower_bound(tails.begin(), tails.end(), value);
        if (at == tails.end()) {
            tails.append(value);
        } else {
            *at = value;
        }
    }
    return tails.size();
}

// One drag per item in the wrong section, and one per item staying in its section but outside
// the longest run of such items already in the wanted order.
qsizetype fewestDrags(const Arrangement &bar, const Arrangement &wanted) {
    qsizetype drags = 0;
    for (std::size_t s = 0; s < bar.size(); ++s) {
        QList<int> wantedPlaces;
        for (int item : bar[s]) {
            const qsizetype place = wanted[s].indexOf(item);
            if (place < 0) {
                ++drags;
            } else {
                wantedPlaces.append(int(place));
            }
        }
        drags += wantedPlaces.size() - longestOrderedRun(wantedPlaces);
    }
    return drags;
}

Arrangement wantedArrangement(const Arrangement &bar, const ReconcileCase &c) {
    std::mt19937 random(c.seed);
    Arrangement wanted = bar;
    for (QList<int> &section : wanted) {
        if (c.order == SectionOrder::Shuffled) {
            std::shuffle(section.begin(), section.end(), random);
        } else if (c.order == SectionOrder::Reversed) {
            std::reverse(section.begin(), section.end());
        }
    }
    for (int move = 0; move < c.crossMoves; ++move) {
        std::uniform_int_distribution<std::size_t> pickSection(0, wanted.size() - 1);
        const std::size_t from = pickSection(random);
        if (wanted[from].size() <= 1) {
            continue;
        }
        std::size_t to = pickSection(random);
        while (to == from) {
            to = pickSection(random);
        }
        std::uniform_int_distribution<qsizetype> pickItem(0, wanted[from].size() - 1);
        const int item = wanted[from].takeAt(pickItem(random));
        std::uniform_int_distribution<qsizetype> pickPlace(0, wanted[to].size());
        wanted[to].insert(pickPlace(random), item);
    }
    return wanted;
}

// The engine with reordering on over a simulated laptop on the manual clock, one application per
// status item as on a real bar. Worker jobs run on a pool of its own, which the clock driver
// waits for before virtual time moves on, so each run is the same.
class ReconcileBench {
public:
    ReconcileBench(const Arrangement &bar, const BarDisplay &display)
        : m_desktop(m_clock,
                    AppDescription{u"app.zorv.Zorv"_s, u"Zorv"_s, ActivationPolicy::Accessory, 0.0,
                                   DragAcceptance::Always}),
          m_workspace(m_desktop.model()) {
        m_pool.setMaxThreadCount(2);
        ScreenDescription screen;
        screen.name = QString::fromLatin1(display.name);
        screen.size.setWidth(display.width);
        m_desktop.arrangement().add(screen);
        m_desktop.applications().setStatusItemSpacing(display.spacing);
        for (const QList<int> &section : bar) {
            for (int item : section) {
                AppDescription application;
                application.bundleIdentifier = bundleOf(item);
                application.localizedName = u"App %1"_s.arg(item);
                const qint32 process = m_desktop.applications().launch(application);
                ItemDescription description;
                description.length = display.itemLength;
                description.identifier = u"item"_s;
                description.glyph = ItemGlyph{ItemGlyph::Shape::Circle, QColor(20, 20, 20)};
                m_items.insert(item, m_desktop.items().add(process, description).value());
            }
        }
        // The bench arranges Zorv's items itself.
        keepZorvPositions(m_desktop, 100000.0);
        EnginePlatform platform = simulatedEnginePlatform(
            m_clock, m_desktop, m_workspace, WorkRunner(WorkRunner::Mode::ThreadPool, &m_pool),
            m_folder.path());
        m_engine = std::make_unique<ClassicEngine>(std::move(platform), layoutOf(bar));
        m_engine->setReorderEnabled(true);
        const QList<quint64> order = expectedBar(bar);
        for (qsizetype i = 0; i < order.size(); ++i) {
            m_desktop.items().moveToIndex(order.at(i), i);
        }
        m_driver.drive(m_engine->start(), seconds(30.0));
        m_driver.drain();
        m_driver.run(seconds(3.0));
    }

    ~ReconcileBench() {
        m_engine.reset();
        m_driver.drain();
    }

    // Hands the engine the wanted layout and lets its runs bring the bar there; false when they
    // did not end within `limit` of virtual time.
    bool reconcile(const Arrangement &wanted, Duration limit) {
        m_driver.drive(m_engine->apply(layoutOf(wanted)), seconds(30.0));
        const MonotonicTime deadline = deadlineAfter(m_clock.now(), limit);
        const bool ended = m_driver.drive(m_engine->reconcileMenuBar(u"user-move"_s), limit);
        while (m_engine->reconcileInFlight() && m_clock.now() < deadline) {
            m_driver.run(seconds(0.1));
        }
        return ended && !m_engine->reconcileInFlight();
    }

    [[nodiscard]] bool inOrder(const Arrangement &wanted) {
        const QList<quint64> expected = expectedBar(wanted);
        QList<quint64> found;
        for (const BarEntry &entry : m_desktop.readout().bar()) {
            if (expected.contains(entry.itemId)) {
                found.append(entry.itemId);
            }
        }
        return found == expected;
    }

    [[nodiscard]] MonotonicTime now() const { return m_clock.now(); }

    struct Totals {
        qsizetype runs = 0;
        double drags = 0.0;
        double borrowedMs = 0.0;
    };

    // The end-of-run lines of the reconcile log, added up.
    [[nodiscard]] Totals totals() const {
        Totals totals;
        QFile file(m_folder.filePath(u"reconcile-log.jsonl"_s));
        if (!file.open(QIODevice::ReadOnly)) {
            return totals;
        }
        for (const QByteArray &line : file.readAll().split('\n')) {
            const QJsonObject record = QJsonDocument::fromJson(line).object();
            if (!record.contains(u"passes"_s)) {
                continue;
            }
            const QJsonObject timing = record.value(u"timing"_s).toObject();
            ++totals.runs;
            totals.drags += timing.value(u"drags"_s).toDouble();
            totals.borrowedMs += timing.value(u"cursorBorrowMs"_s).toDouble();
        }
        return totals;
    }

private:
    static QString bundleOf(int item) { return u"com.example.app%1"_s.arg(item); }

    static SectionLayout layoutOf(const Arrangement &arrangement) {
        SectionLayout layout;
        for (std::size_t s = 0; s < kLeftToRight.size(); ++s) {
            QList<MenuBarItemID> ids;
            for (int item : arrangement[s]) {
                ids.append(MenuBarItemID{bundleOf(item), u"item"_s, std::nullopt, 0});
            }
            layout.sections.insert(kLeftToRight[s], ids);
        }
        return layout.normalized();
    }

    [[nodiscard]] quint64 zorvItem(const QString &autosaveName) {
        return m_desktop.items()
            .find(m_desktop.applications().currentProcessId(), autosaveName)
            .value_or(0);
    }

    // The movable items left to right when the bar shows `arrangement`, Zorv's icon excluded.
    [[nodiscard]] QList<quint64> expectedBar(const Arrangement &arrangement) {
        const std::array<QString, 2> separators{BarItems::zorvAlwaysHiddenSeparatorName,
                                                BarItems::zorvHiddenSeparatorName};
        QList<quint64> order;
        for (std::size_t s = 0; s < arrangement.size(); ++s) {
            for (int item : arrangement[s]) {
                order.append(m_items.value(item));
            }
            if (s < separators.size()) {
                order.append(zorvItem(separators.at(s)));
            }
        }
        return order;
    }

    ManualClock m_clock;
    SimulatedDesktop m_desktop;
    SimWorkspace m_workspace;
    QThreadPool m_pool;
    WorkerClockDriver m_driver{m_clock};
    QTemporaryDir m_folder;
    QHash<int, quint64> m_items;
    std::unique_ptr<ClassicEngine> m_engine;
};

// Drags the engine makes to bring a bar to a random wanted layout, against the fewest that can
// do it ("ratio", the goal being 1), with its runs, the virtual time they take and the time the
// cursor is borrowed; "in_order" is 1 when the bar ended in the wanted layout.
void reconcileToRandomLayout(benchmark::State &state, ReconcileCase c) {
    Arrangement bar;
    int next = 0;
    for (std::size_t s = 0; s < bar.size(); ++s) {
        for (int i = 0; i < c.sizes.at(s); ++i) {
            bar[s].append(next++);
        }
    }
    const Arrangement wanted = wantedArrangement(bar, c);
    const qsizetype fewest = fewestDrags(bar, wanted);
    for (auto _ : state) {
        ReconcileBench setup(bar, c.display);
        const MonotonicTime start = setup.now();
        const bool ended = setup.reconcile(wanted, seconds(3600.0));
        const double simulated = toSeconds(setup.now() - start);
        const ReconcileBench::Totals totals = setup.totals();
        state.SetIterationTime(simulated);
        state.counters["min_drags"] = double(fewest);
        state.counters["drags"] = totals.drags;
        state.counters["ratio"] = fewest > 0 ? totals.drags / double(fewest) : 1.0 + totals.drags;
        state.counters["runs"] = double(totals.runs);
        state.counters["simulated_s"] = simulated;
        state.counters["borrowed_s"] = totals.borrowedMs / 1e3;
        state.counters["in_order"] = ended && setup.inOrder(wanted) ? 1.0 : 0.0;
    }
}

BENCHMARK_CAPTURE(reconcileToRandomLayout, shown4, ReconcileCase{{0, 0, 4}, 0, 4})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(reconcileToRandomLayout, shown8, ReconcileCase{{0, 0, 8}, 0, 8})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(reconcileToRandomLayout, shown12, ReconcileCase{{0, 0, 12}, 0, 12})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(reconcileToRandomLayout, shown16, ReconcileCase{{0, 0, 16}, 0, 16})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(reconcileToRandomLayout, shown20, ReconcileCase{{0, 0, 20}, 0, 20})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(reconcileToRandomLayout, shown20_again, ReconcileCase{{0, 0, 20}, 0, 2020})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(reconcileToRandomLayout, sections4_6_8_moves3, ReconcileCase{{4, 6, 8}, 3, 468})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(reconcileToRandomLayout, sections6_10_12_moves5,
                  ReconcileCase{{6, 10, 12}, 5, 61012})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(reconcileToRandomLayout, sections8_8_8_moves8, ReconcileCase{{8, 8, 8}, 8, 888})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
// Large reorders, each over as many runs as it takes: one lane of 36 reversed on the laptop; ten
// items sent to other sections on a wide display, each section's order kept; 200 and 400 items
// in a random wanted layout on the wide display.
BENCHMARK_CAPTURE(reconcileToRandomLayout, shown36_reversed,
                  ReconcileCase{{0, 0, 36}, 0, 36, SectionOrder::Reversed})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(reconcileToRandomLayout, wide_sections20_30_50_moves10,
                  ReconcileCase{{20, 30, 50}, 10, 100, SectionOrder::Kept, kWide})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(reconcileToRandomLayout, wide_items200_moves20,
                  ReconcileCase{{40, 60, 100}, 20, 200, SectionOrder::Shuffled, kWide})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(reconcileToRandomLayout, wide_items400_moves40,
                  ReconcileCase{{80, 120, 200}, 40, 400, SectionOrder::Shuffled, kWideNarrowItems})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

} // namespace
} // namespace zorv
