#include "engine/classicengine.h"
#include "itemicons.h"
#include "manualclock.h"
#include "simulateddesktop.h"
#include "simulatedengineplatform.h"
#include "workerclockdriver.h"
#include "workspace/simworkspace.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// CPU time the calling thread has used.
double threadCpuSeconds() {
    timespec spent{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &spent);
    return double(spent.tv_sec) + double(spent.tv_nsec) / 1e9;
}

// A generated bar of `count` status items, two per application, on a simulated laptop with the
// engine started over it. Every application is installed in a bundle on disk with an icon of its
// own; every fourth ships a menu-bar glyph. The icon refresh works on the engine's pool, which
// the clock driver waits for.
class GeneratedBar {
public:
    explicit GeneratedBar(int count)
        : m_desktop(m_clock,
                    AppDescription{u"app.zorv.Zorv"_s, u"Zorv"_s, ActivationPolicy::Accessory, 0.0,
                                   DragAcceptance::Always}),
          m_workspace(m_desktop.model()) {
        m_pool.setMaxThreadCount(2);
        m_desktop.arrangement().add(ScreenDescription{});
        QImage glyph(18, 18, QImage::Format_ARGB32);
        glyph.fill(Qt::black);
        for (int app = 0; app * 2 < count; ++app) {
            const QString bundleID = u"com.example.app%1"_s.arg(app);
            const QString path = m_bundles.filePath(bundleID + u".app"_s);
            QDir().mkpath(path + u"/Contents/Resources"_s);
            if (app % 4 == 0) {
                glyph.save(path + u"/Contents/Resources/MenuBarIcon.png"_s);
            }
            m_workspace.install(
                {bundleID, path,
                 ApplicationIcon{QColor::fromHsv(app * 37 % 360, 200, 200), u"A"_s}});
            const qint32 process =
                m_desktop.applications().launch(AppDescription{bundleID, u"App %1"_s.arg(app)});
            for (int item = 0; item < 2 && app * 2 + item < count; ++item) {
                ItemDescription description;
                description.length = 22.0;
                description.identifier = u"item%1"_s.arg(item);
                description.glyph = ItemGlyph{ItemGlyph::Shape::Circle, QColor(20, 20, 20)};
                (void)m_desktop.items().add(process, description);
            }
        }
        EnginePlatform platform =
            simulatedEnginePlatform(m_clock, m_desktop, m_workspace, work(), m_data.path());
        m_engine = std::make_unique<ClassicEngine>(std::move(platform), SectionLayout{});
        m_driver.drive(m_engine->start(), seconds(30.0));
        m_driver.drain();
    }

    ~GeneratedBar() {
        m_engine.reset();
        m_driver.drain();
    }

    // A fresh icon refresh over a fresh data folder, as at the first launch.
    [[nodiscard]] std::unique_ptr<ItemIcons> icons(QString folder) {
        return std::make_unique<ItemIcons>(std::move(folder), m_workspace, work(),
                                           [this](QList<MenuBarItem> items) {
                                               m_published = std::move(items);
                                               ++m_publications;
                                           });
    }

    void scan() { m_driver.drive(m_engine->refresh(), seconds(30.0)); }
    // Lets the icon jobs in flight end and their results come back.
    void drain() { m_driver.drain(); }

    [[nodiscard]] const QList<MenuBarItem> &items() const { return m_engine->lastItems(); }
    [[nodiscard]] int publications() const { return m_publications; }

private:
    WorkRunner work() { return WorkRunner(WorkRunner::Mode::ThreadPool, &m_pool); }

    ManualClock m_clock;
    SimulatedDesktop m_desktop;
    SimWorkspace m_workspace;
    QThreadPool m_pool;
    WorkerClockDriver m_driver{m_clock};
    QTemporaryDir m_data;
    QTemporaryDir m_bundles;
    std::unique_ptr<ClassicEngine> m_engine;
    QList<MenuBarItem> m_published;
    int m_publications = 0;
};

// The app model's icon refresh for one scan's items, in main-thread CPU time ("main_thread_ms"):
// at the first launch (empty data folder; the file work runs on the pool), and in the steady
// state, where nothing changed since the last scan.
void modelShareOfScan(benchmark::State &state, bool first) {
    const int count = int(state.range(0));
    GeneratedBar bar(count);
    bar.scan();
    const QList<MenuBarItem> items = bar.items();
    QTemporaryDir data;
    std::unique_ptr<ItemIcons> icons = bar.icons(data.path());
    icons->hydrateIcons(items);
    bar.drain();
    double mainThread = 0.0;
    int run = 0;
    for (auto _ : state) {
        if (first) {
            state.PauseTiming();
            icons = bar.icons(data.filePath(QString::number(++run)));
            state.ResumeTiming();
        }
        const int before = bar.publications();
        const double start = threadCpuSeconds();
        icons->hydrateIcons(items);
        bar.drain();
        mainThread += threadCpuSeconds() - start;
        if (bar.publications() != before + 1) {
            state.SkipWithError("the items were not handed on");
            break;
        }
    }
    state.counters["main_thread_ms"] =
        benchmark::Counter(mainThread * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["items"] = double(items.size());
}
BENCHMARK_CAPTURE(modelShareOfScan, steady, false)
    ->Arg(10)
    ->Arg(50)
    ->Arg(100)
    ->Arg(200)
    ->Arg(400)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(modelShareOfScan, first, true)
    ->Arg(10)
    ->Arg(50)
    ->Arg(100)
    ->Arg(200)
    ->Arg(400)
    ->Iterations(5)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// One engine scan and the model's icon refresh of its items in the steady state, in main-thread
// CPU time per scan ("main_thread_ms").
void scanWithModel(benchmark::State &state) {
    GeneratedBar bar(int(state.range(0)));
    QTemporaryDir data;
    std::unique_ptr<ItemIcons> icons = bar.icons(data.path());
    bar.scan();
    icons->hydrateIcons(bar.items());
    bar.drain();
    double mainThread = 0.0;
    for (auto _ : state) {
        const double start = threadCpuSeconds();
        bar.scan();
        icons->hydrateIcons(bar.items());
        bar.drain();
        mainThread += threadCpuSeconds() - start;
    }
    state.counters["main_thread_ms"] =
        benchmark::Counter(mainThread * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["items"] = double(bar.items().size());
}
BENCHMARK(scanWithModel)
    ->Arg(10)
    ->Arg(50)
    ->Arg(100)
    ->Arg(200)
    ->Arg(400)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zorv
