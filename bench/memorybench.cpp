#include "appmodel.h"
#include "appmodelfakes.h"
#include "desktopapp.h"
#include "manualclock.h"
#include "processprobe.h"
#include "scenario/scenarioloader.h"
#include "simoptions.h"
#include "simulatedplatform.h"
#include "storage/zorvpaths.h"
#include "workerclockdriver.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace zorv {

qint64 residentKilobytes() {
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLongLong();
        }
    }
    return -1;
}

namespace {

void report(const char *name, double value) {
    std::printf("%s=%.3f\n", name, value);
    std::fflush(stdout);
}

// Ten simulated hours on the crowded bar, one second at a time on the manual clock, reporting
// the resident memory (in megabytes) after the launch, after the first hour and after the tenth.
void runTenHours(WorkerClockDriver &driver) {
    report("launched_MB", double(residentKilobytes()) / 1024.0);
    for (int hour = 1; hour <= 10; ++hour) {
        for (int second = 0; second < 3600; ++second) {
            driver.run(seconds(1.0));
        }
        if (hour == 1) {
            report("hour1_MB", double(residentKilobytes()) / 1024.0);
        }
    }
    report("hour10_MB", double(residentKilobytes()) / 1024.0);
}

Scenario crowdedBar() {
    return ScenarioLoader::load(u"crowded-bar"_s);
}

// Zorv without a window: its engine and app model over the simulated Mac, the shell's
// controllers standing idle (they draw nothing until a gesture or a rule asks them to).
int probeEngineAndModel() {
    const Scenario scenario = crowdedBar();
    ManualClock clock(*scenario.start);
    SimulatedPlatform platform(clock, scenario, false);
    WorkerClockDriver driver(clock);
    QThreadPool pool;
    QThreadPool flushPool;
    ShellFakes fakes;
    platform.start();
    {
        SimulatedDesktop &desktop = platform.desktop();
        AppModelServices services{clock,
                                  platform.systemLog(),
                                  desktop.accessibility(),
                                  platform.workspace(),
                                  platform.preferences(),
                                  platform.processTable(),
                                  platform.cloudStore(),
                                  platform.loginItems(),
                                  ZorvPaths::root(),
                                  platform.cloudStore().deviceName(),
                                  &flushPool,
                                  WorkRunner(WorkRunner::Mode::ThreadPool, &pool)};
        AppModel model(DesktopApp::createEngine(platform, pool), std::move(services),
                       fakes.shell());
        if (!driver.drive(model.start(), seconds(60.0))) {
            return 1;
        }
        runTenHours(driver);
    }
    driver.drain();
    return 0;
}

// The whole application as `zorv` runs it (the simulated Mac's window included), with Zorv's
// settings window open when `withSettings`.
int probeApplication(bool withSettings) {
    const Scenario scenario = crowdedBar();
    ManualClock clock(*scenario.start);
    SimulatedPlatform platform(clock, scenario, false);
    WorkerClockDriver driver(clock);
    {
        DesktopApp app(platform, SimOptions{});
        if (!app.start()) {
            return 1;
        }
        driver.run(seconds(30.0));
        if (withSettings) {
            app.openSettings();
            driver.run(seconds(1.0));
            if (app.settingsWindow() == nullptr) {
                return 1;
            }
        }
        runTenHours(driver);
        (void)app.finish();
    }
    driver.drain();
    return 0;
}

// The memory probes, each over ten simulated hours: resident memory after the first hour against
// its goal, and the growth from the first hour to the tenth (goal: at most 5%).
void residentMemory(benchmark::State &state, const char *probe, double goalMB) {
    for (auto _ : state) {
        const QMap<QString, double> values = runProbeProcess(probe);
        if (!values.contains(u"hour10_MB"_s)) {
            state.SkipWithError("the probe did not finish");
            return;
        }
        const double hour1 = values.value(u"hour1_MB"_s);
        const double hour10 = values.value(u"hour10_MB"_s);
        state.counters["launched_MB"] = values.value(u"launched_MB"_s);
        state.counters["hour1_MB"] = hour1;
        state.counters["hour10_MB"] = hour10;
        state.counters["goal_MB"] = goalMB;
        state.counters["growth_percent"] = 100.0 * (hour10 - hour1) / hour1;
        state.counters["growth_goal_percent"] = 5.0;
        state.counters["met"] =
            (hour1 <= goalMB && hour10 <= goalMB && hour10 - hour1 <= 0.05 * hour1) ? 1.0 : 0.0;
    }
}
BENCHMARK_CAPTURE(residentMemory, engineAndModelWithoutWindow, "engine-and-model", 60.0)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(residentMemory, wholeApplication, "application", 100.0)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(residentMemory, wholeApplicationWithSettings, "application-with-settings", 100.0)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace

int runRequestedProbe() {
    const QByteArray probe = qgetenv(kProbeVariable);
    if (probe.isEmpty()) {
        return -1;
    }
    if (probe == "engine-and-model") {
        return probeEngineAndModel();
    }
    if (probe == "application") {
        return probeApplication(false);
    }
    if (probe == "application-with-settings") {
        return probeApplication(true);
    }
    std::fprintf(stderr, "Unknown probe %s\n", probe.constData());
    return 2;
}

QMap<QString, double> runProbeProcess(const QByteArray &probe) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kProbeVariable), QString::fromLatin1(probe));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0) {
        return {};
    }
    QMap<QString, double> values;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0) {
            values.insert(QString::fromLatin1(line.left(equals)), line.mid(equals + 1).toDouble());
        }
    }
    return values;
}

} // namespace zorv
