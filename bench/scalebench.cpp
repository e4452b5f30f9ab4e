#include "desktopapp.h"
#include "generatedbar.h"
#include "manualclock.h"
#include "scenario/scenarioloader.h"
#include "simoptions.h"
#include "simulatedplatform.h"
#include "workerclockdriver.h"

#include <QTemporaryDir>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

double processCpuSeconds() {
    timespec spent{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &spent);
    return double(spent.tv_sec) + double(spent.tv_nsec) / 1e9;
}

enum class Measured { Engine, Application };

// Plays the hour second by second on the manual clock: the engine alone over the simulated Mac,
// or the whole application as `zorv --sim-time fast` runs it (window, model and engine). False
// when it did not start.
bool playOneHour(SimulatedPlatform &platform, ManualClock &clock, Measured measured) {
    WorkerClockDriver driver(clock);
    if (measured == Measured::Engine) {
        QThreadPool pool;
        platform.start();
        std::unique_ptr<ClassicEngine> engine = DesktopApp::createEngine(platform, pool);
        if (!driver.drive(engine->start(), seconds(30.0))) {
            return false;
        }
        for (int second = 0; second < 3600; ++second) {
            driver.run(seconds(1.0));
        }
        engine.reset();
        driver.drain();
        return true;
    }
    {
        DesktopApp app(platform, SimOptions{});
        if (!app.start()) {
            return false;
        }
        for (int second = 0; second < 3600; ++second) {
            driver.run(seconds(1.0));
        }
        (void)app.finish();
    }
    driver.drain();
    return true;
}

// CPU time of the whole process (main thread, workers, the simulated Mac) for one simulated hour
// on a generated bar of `count` items with a fresh data folder, the launch included; negative
// when it did not start.
double cpuOfOneHour(int count, Measured measured) {
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    const double before = processCpuSeconds();
    bool played = false;
    {
        const QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        ManualClock clock(QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC));
        SimulatedPlatform platform(
            clock, ScenarioLoader::parse(generatedBarWithEvents(count), u"generated"_s), false);
        played = playOneHour(platform, clock, measured);
    }
    qputenv("XDG_DATA_HOME", dataHome);
    return played ? processCpuSeconds() - before : -1.0;
}

// How the cost of an hour grows with the bar: CPU seconds on 40 items and on 400 (same events),
// and their ratio. Goal for the whole application: at most 4.
void hourOnGeneratedBars(benchmark::State &state, Measured measured) {
    for (auto _ : state) {
        const double small = cpuOfOneHour(40, measured);
        const double large = cpuOfOneHour(400, measured);
        if (small <= 0.0 || large <= 0.0) {
            state.SkipWithError("the hour did not start");
            break;
        }
        state.counters["cpu40_s"] = small;
        state.counters["cpu400_s"] = large;
        state.counters["ratio"] = large / small;
    }
}
BENCHMARK_CAPTURE(hourOnGeneratedBars, engine, Measured::Engine)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(hourOnGeneratedBars, application, Measured::Application)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace
} // namespace zorv
