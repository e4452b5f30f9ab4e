#include "cloud/simcloud.h"
#include "countingclock.h"
#include "engine/classicengine.h"
#include "manualclock.h"
#include "preferences/simglobalpreferences.h"
#include "scenario/scenarioloader.h"
#include "scenario/scenariorunner.h"
#include "simulateddesktop.h"
#include "simulatedengineplatform.h"
#include "workspace/simworkspace.h"

#include <QTemporaryDir>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

AppDescription thisProcess() {
    AppDescription description;
    description.bundleIdentifier = u"app.zorv.Zorv"_s;
    description.localizedName = u"Zorv"_s;
    description.activationPolicy = ActivationPolicy::Accessory;
    return description;
}

// CPU time the calling thread has used.
double threadCpuSeconds() {
    timespec spent{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &spent);
    return double(spent.tv_sec) + double(spent.tv_nsec) / 1e9;
}

QCoro::Task<> watch(QCoro::Task<> task, std::shared_ptr<bool> done) {
    co_await task;
    *done = true;
}

// A shipped scenario on a manual clock with the engine started over it. Virtual time moves only
// between worker jobs, so a scan's wall time is the machine's, never a sleep's.
class EngineOnScenario {
public:
    explicit EngineOnScenario(const QString &scenario)
        : m_desktop(m_clock, thisProcess()), m_workspace(m_desktop.model()),
          m_runner(ScenarioLoader::load(scenario), m_desktop, m_workspace, m_preferences, m_cloud),
          m_engineClock(m_clock) {
        m_pool.setMaxThreadCount(2);
        m_runner.start();
        m_clock.settle();
        EnginePlatform platform = simulatedEnginePlatform(
            m_engineClock, m_desktop, m_workspace,
            WorkRunner(WorkRunner::Mode::ThreadPool, &m_pool), m_folder.path());
        m_engine = std::make_unique<ClassicEngine>(std::move(platform), SectionLayout{});
        drive(m_engine->start());
    }

    ~EngineOnScenario() {
        m_engine.reset();
        drain();
    }

    [[nodiscard]] ClassicEngine &engine() { return *m_engine; }
    void answerEverything() {
        for (const AppRecord &application : m_desktop.applications().applications()) {
            m_desktop.applications().setHung(application.processId, false);
        }
    }
    [[nodiscard]] const CountingClock &engineClock() const { return m_engineClock; }

    void drive(QCoro::Task<> task) {
        auto done = std::make_shared<bool>(false);
        watch(std::move(task), done);
        drain();
        while (!*done) {
            run(0.01);
        }
    }

    // Moves virtual time on, letting each sleeper and worker job due on the way finish.
    void run(double seconds) {
        const MonotonicTime target = deadlineAfter(m_clock.now(), zorv::seconds(seconds));
        drain();
        for (MonotonicTime next = m_clock.nextDeadline();
             next >= MonotonicTime::zero() && next <= target; next = m_clock.nextDeadline()) {
            m_clock.advance(next - m_clock.now());
            drain();
        }
        m_clock.advance(target - m_clock.now());
        drain();
    }

private:
    void drain() {
        for (int pass = 0; pass < 50; ++pass) {
            m_clock.settle();
            if (m_pool.activeThreadCount() == 0) {
                m_clock.settle();
                if (m_pool.activeThreadCount() == 0) {
                    return;
                }
            }
            m_pool.waitForDone();
        }
    }

    ManualClock m_clock;
    SimulatedDesktop m_desktop;
    SimWorkspace m_workspace;
    SimGlobalPreferences m_preferences;
    SimCloud m_cloud;
    ScenarioRunner m_runner;
    CountingClock m_engineClock;
    QThreadPool m_pool;
    QTemporaryDir m_folder;
    std::unique_ptr<ClassicEngine> m_engine;
};

// One scan pass on the crowded bar: wall time per pass, and the main thread's CPU time per pass
// ("main_thread"), which is what the user interface loses to it. Every application answers: a
// hung one adds its quarter-second time-out to the wall time on the worker, which on the manual
// clock would only measure how long the workers wait before stepping time themselves.
void scanPassOnCrowdedBar(benchmark::State &state) {
    EngineOnScenario setup(u"crowded-bar"_s);
    setup.answerEverything();
    double mainThread = 0.0;
    for (auto _ : state) {
        const double before = threadCpuSeconds();
        setup.drive(setup.engine().refresh());
        mainThread += threadCpuSeconds() - before;
    }
    state.counters["main_thread_ms"] =
        benchmark::Counter(mainThread * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["items"] = double(setup.engine().lastItems().size());
}
BENCHMARK(scanPassOnCrowdedBar)->UseRealTime()->Unit(benchmark::kMillisecond);

// Timer wake-ups of the main thread in one idle minute with the engine running on the crowded
// bar (after its launch has settled and before the scenario's first event at two minutes).
void idleWakeUpsPerMinute(benchmark::State &state) {
    EngineOnScenario setup(u"crowded-bar"_s);
    setup.run(30.0);
    int wakeUps = 0;
    for (auto _ : state) {
        const int before = setup.engineClock().elapsedSleeps();
        setup.run(60.0);
        wakeUps = setup.engineClock().elapsedSleeps() - before;
        state.SetIterationTime(60.0);
    }
    state.counters["wakeups_per_idle_minute"] = double(wakeUps);
}
BENCHMARK(idleWakeUpsPerMinute)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
} // namespace zorv
