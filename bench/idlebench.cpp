#include "appmodel.h"
#include "appmodelfakes.h"
#include "countingclock.h"
#include "engine/classicengine.h"
#include "manualclock.h"
#include "realclock.h"
#include "scenario/scenarioloader.h"
#include "simulatedengineplatform.h"
#include "simulatedplatform.h"
#include "storage/zorvpaths.h"
#include "workerclockdriver.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QThreadPool>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// Zorv's engine and app model on the crowded bar, both on a clock that counts their timers; the
// simulated Mac runs on the plain clock, as the other processes of a real Mac would.
class ModelOnCrowdedBar {
public:
    explicit ModelOnCrowdedBar(Clock &clock)
        : m_counting(clock), m_platform(clock, ScenarioLoader::load(u"crowded-bar"_s), false) {
        m_platform.start();
        SimulatedDesktop &desktop = m_platform.desktop();
        EnginePlatform engineServices =
            simulatedEnginePlatform(m_counting, desktop, m_platform.workspace(),
                                    WorkRunner(WorkRunner::Mode::ThreadPool, &m_pool),
                                    ZorvPaths::root());
        auto engine = std::make_unique<ClassicEngine>(std::move(engineServices), SectionLayout{});
        m_engine = engine.get();
        AppModelServices services{m_counting,
                                  m_platform.systemLog(),
                                  desktop.accessibility(),
                                  m_platform.workspace(),
                                  m_platform.preferences(),
                                  m_platform.processTable(),
                                  m_platform.cloudStore(),
                                  m_platform.loginItems(),
                                  ZorvPaths::root(),
                                  m_platform.cloudStore().deviceName(),
                                  &m_flushPool,
                                  WorkRunner(WorkRunner::Mode::ThreadPool, &m_pool)};
        m_model =
            std::make_unique<AppModel>(std::move(engine), std::move(services), m_fakes.shell());
    }
    ~ModelOnCrowdedBar() {
        m_model.reset();
        m_pool.waitForDone();
        QCoreApplication::processEvents();
    }
    ModelOnCrowdedBar(const ModelOnCrowdedBar &) = delete;
    ModelOnCrowdedBar &operator=(const ModelOnCrowdedBar &) = delete;

    [[nodiscard]] AppModel &model() { return *m_model; }
    [[nodiscard]] ClassicEngine &engine() { return *m_engine; }
    [[nodiscard]] const CountingClock &counting() const { return m_counting; }

private:
    CountingClock m_counting;
    SimulatedPlatform m_platform;
    QThreadPool m_pool;
    QThreadPool m_flushPool;
    ShellFakes m_fakes;
    ClassicEngine *m_engine = nullptr;
    std::unique_ptr<AppModel> m_model;
};

void reportLengths(benchmark::State &state, const QMap<qint64, int> &byLength) {
    for (auto length = byLength.cbegin(); length != byLength.cend(); ++length) {
        state.counters["every_" + std::to_string(length.key()) + "ms"] = double(length.value());
    }
}

// The timers of Zorv's engine and app model that fire in one idle minute on the crowded bar with
// hiding working, on the manual clock (after the launch has settled and before the scenario's
// first event at two minutes), by their length. Goal: only the watchdog (75 a minute) and the
// polls.
void idleModelTimersPerMinute(benchmark::State &state) {
    const Scenario scenario = ScenarioLoader::load(u"crowded-bar"_s);
    ManualClock clock(*scenario.start);
    WorkerClockDriver driver(clock);
    ModelOnCrowdedBar setup(clock);
    if (!driver.drive(setup.model().start(), seconds(60.0))) {
        state.SkipWithError("the model did not start");
        return;
    }
    driver.run(seconds(30.0));
    for (auto _ : state) {
        const QMap<qint64, int> before = setup.counting().elapsedByLength();
        const int sleepsBefore = setup.counting().elapsedSleeps();
        driver.run(seconds(60.0));
        QMap<qint64, int> during = setup.counting().elapsedByLength();
        for (auto length = before.cbegin(); length != before.cend(); ++length) {
            during[length.key()] -= length.value();
        }
        during.removeIf([](const auto &entry) { return entry.value() == 0; });
        state.SetIterationTime(60.0);
        state.counters["wakeups_per_idle_minute"] =
            double(setup.counting().elapsedSleeps() - sleepsBefore);
        reportLengths(state, during);
    }
    state.counters["hiding_blocked"] = setup.engine().hidingBlocked() ? 1.0 : 0.0;
    state.counters["items"] = double(setup.engine().lastItems().size());
}
BENCHMARK(idleModelTimersPerMinute)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// Counts the main thread's event-loop wake-ups, and the timer events by the class of the object
// they go to (Qt timers that do not go through the clock show up here).
class WakeUpCounter : public QObject {
public:
    WakeUpCounter() {
        m_awake = QObject::connect(QAbstractEventDispatcher::instance(),
                                   &QAbstractEventDispatcher::awake, [this] { ++m_wakeUps; });
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~WakeUpCounter() override {
        QCoreApplication::instance()->removeEventFilter(this);
        QObject::disconnect(m_awake);
    }
    WakeUpCounter(const WakeUpCounter &) = delete;
    WakeUpCounter &operator=(const WakeUpCounter &) = delete;

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Timer) {
            ++m_timers[QString::fromLatin1(watched->metaObject()->className())];
        }
        return false;
    }

    [[nodiscard]] int wakeUps() const { return m_wakeUps; }
    [[nodiscard]] const QHash<QString, int> &timersByReceiver() const { return m_timers; }

private:
    QMetaObject::Connection m_awake;
    int m_wakeUps = 0;
    QHash<QString, int> m_timers;
};

void runEventLoopFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The same idle minute on the real clock: every wake-up of the main thread's event loop (the
// timers through the clock, Qt's own timers, and the hand-overs from the worker threads), with
// the timer events by the class of their receiver. Takes a minute and ten seconds.
void idleWakeUpsInRealTime(benchmark::State &state) {
    RealClock clock;
    ModelOnCrowdedBar setup(clock);
    bool started = false;
    [](AppModel &model, bool &done) -> QCoro::Task<> {
        co_await model.start();
        done = true;
    }(setup.model(), started);
    runEventLoopFor(10000);
    if (!started) {
        state.SkipWithError("the model did not start in ten seconds");
        return;
    }
    for (auto _ : state) {
        const int sleepsBefore = setup.counting().elapsedSleeps();
        const WakeUpCounter counter;
        runEventLoopFor(60000);
        state.counters["event_loop_wakeups"] = double(counter.wakeUps());
        state.counters["clock_timers"] = double(setup.counting().elapsedSleeps() - sleepsBefore);
        for (auto receiver = counter.timersByReceiver().cbegin();
             receiver != counter.timersByReceiver().cend(); ++receiver) {
            state.counters["timer_" + receiver.key().toStdString()] = double(receiver.value());
        }
    }
    state.counters["hiding_blocked"] = setup.engine().hidingBlocked() ? 1.0 : 0.0;
}
BENCHMARK(idleWakeUpsInRealTime)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace zorv
