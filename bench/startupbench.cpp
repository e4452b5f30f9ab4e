#include "desktopapp.h"
#include "manualclock.h"
#include "realclock.h"
#include "scenario/scenarioloader.h"
#include "simoptions.h"
#include "simulatedplatform.h"
#include "workerclockdriver.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// Points the data folder (XDG_DATA_HOME) at a fresh temporary folder, as at a first launch.
class FreshDataFolder {
public:
    FreshDataFolder() : m_previous(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", m_home.path().toUtf8());
    }
    ~FreshDataFolder() { qputenv("XDG_DATA_HOME", m_previous); }
    FreshDataFolder(const FreshDataFolder &) = delete;
    FreshDataFolder &operator=(const FreshDataFolder &) = delete;

private:
    QByteArray m_previous;
    QTemporaryDir m_home;
};

bool scanned(const DesktopApp &app) {
    return app.engine() != nullptr && !app.engine()->lastItems().isEmpty();
}

// The whole application launched on the crowded bar, from start() to the engine's first finished
// scan: on the manual clock, the virtual time it takes ("virtual_ms": the launch's own waits) and
// the wall time the machine needs meanwhile.
void startUpToFirstScanOnManualClock(benchmark::State &state) {
    for (auto _ : state) {
        const FreshDataFolder folder;
        const Scenario scenario = ScenarioLoader::load(u"crowded-bar"_s);
        ManualClock clock(*scenario.start);
        SimulatedPlatform platform(clock, scenario, false);
        WorkerClockDriver driver(clock);
        {
            DesktopApp app(platform, SimOptions{});
            QElapsedTimer wall;
            wall.start();
            const MonotonicTime begun = clock.now();
            if (!app.start()) {
                state.SkipWithError("the desktop window did not load");
                return;
            }
            driver.drain();
            while (!scanned(app) && clock.now() - begun < seconds(60.0)) {
                driver.run(seconds(0.005));
            }
            const double virtualMs =
                std::chrono::duration<double, std::milli>(clock.now() - begun).count();
            state.SetIterationTime(double(wall.nsecsElapsed()) / 1e9);
            if (!scanned(app)) {
                state.SkipWithError("no scan finished in a minute");
                return;
            }
            state.counters["virtual_ms"] = virtualMs;
            state.counters["items"] = double(app.engine()->lastItems().size());
            (void)app.finish();
        }
        driver.drain();
    }
}
BENCHMARK(startUpToFirstScanOnManualClock)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The same launch on the real clock: wall time from start() to the first finished scan.
void startUpToFirstScanInWallTime(benchmark::State &state) {
    for (auto _ : state) {
        const FreshDataFolder folder;
        RealClock clock;
        SimulatedPlatform platform(clock, ScenarioLoader::load(u"crowded-bar"_s), false);
        DesktopApp app(platform, SimOptions{});
        QElapsedTimer wall;
        wall.start();
        if (!app.start()) {
            state.SkipWithError("the desktop window did not load");
            return;
        }
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (scanned(app) || wall.elapsed() > 60000) {
                loop.quit();
            }
        });
        poll.start(1);
        loop.exec();
        state.SetIterationTime(double(wall.nsecsElapsed()) / 1e9);
        if (!scanned(app)) {
            state.SkipWithError("no scan finished in a minute");
            return;
        }
        (void)app.finish();
    }
}
BENCHMARK(startUpToFirstScanInWallTime)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zorv
