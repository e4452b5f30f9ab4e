#include "desktopapp.h"
#include "generatedbar.h"
#include "manualclock.h"
#include "realclock.h"
#include "scenario/scenarioloader.h"
#include "simoptions.h"
#include "simulatedplatform.h"
#include "workerclockdriver.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QQuickWindow>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <ctime>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// Bytes this process has handed to write() so far ("wchar" in /proc/self/io): the data folder's
// files, and the few bytes of Qt's cross-thread wake-ups.
qint64 bytesWritten() {
    QFile io(u"/proc/self/io"_s);
    if (!io.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith("wchar:")) {
            return line.mid(6).trimmed().toLongLong();
        }
    }
    return -1;
}

qint64 folderBytes(const QString &folder) {
    qint64 total = 0;
    QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        total += files.nextFileInfo().size();
    }
    return total;
}

// The ids of this process's threads.
QSet<QString> threadIds() {
    const QStringList ids = QDir(u"/proc/self/task"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return QSet<QString>(ids.begin(), ids.end());
}

double processCpuSeconds() {
    timespec spent{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &spent);
    return double(spent.tv_sec) + double(spent.tv_nsec) / 1e9;
}

void runEventLoopFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Points the data folder (XDG_DATA_HOME) at a fresh temporary folder for the scope's lifetime.
class FreshDataFolder {
public:
    FreshDataFolder() : m_previous(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", m_home.path().toUtf8());
    }
    ~FreshDataFolder() { qputenv("XDG_DATA_HOME", m_previous); }
    FreshDataFolder(const FreshDataFolder &) = delete;
    FreshDataFolder &operator=(const FreshDataFolder &) = delete;

    [[nodiscard]] QString path() const { return m_home.path(); }

private:
    QByteArray m_previous;
    QTemporaryDir m_home;
};

// The whole application on a shipped scenario for a simulated hour on the manual clock: the bytes
// it writes (in megabytes, launch included) and what the data folder holds at the end.
void dataWrittenPerSimulatedHour(benchmark::State &state, const char *scenarioName) {
    for (auto _ : state) {
        const FreshDataFolder folder;
        const Scenario scenario = ScenarioLoader::load(QString::fromLatin1(scenarioName));
        ManualClock clock(*scenario.start);
        SimulatedPlatform platform(clock, scenario, false);
        WorkerClockDriver driver(clock);
        const qint64 before = bytesWritten();
        {
            DesktopApp app(platform, SimOptions{});
            if (!app.start()) {
                state.SkipWithError("the desktop window did not load");
                return;
            }
            for (int second = 0; second < 3600; ++second) {
                driver.run(seconds(1.0));
            }
            (void)app.finish();
        }
        driver.drain();
        state.counters["written_MB"] = double(bytesWritten() - before) / 1e6;
        state.counters["folder_MB"] = double(folderBytes(folder.path())) / 1e6;
    }
}
BENCHMARK_CAPTURE(dataWrittenPerSimulatedHour, crowdedBar, "crowded-bar")
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(dataWrittenPerSimulatedHour, laptop, "laptop")
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// The whole application on the real clock over a generated bar of `state.range(0)` items: the
// CPU time the process spends while nothing happens on the desktop, in percent of one core,
// measured over 30 s (one poll) after 5 s to settle; the frames the desktop window drew and the
// threads started meanwhile (those still running at the end).
void idleCpuInRealTime(benchmark::State &state) {
    constexpr int kSettleMs = 5000;
    constexpr int kMeasureMs = 30000;
    for (auto _ : state) {
        const FreshDataFolder folder;
        RealClock clock;
        SimulatedPlatform platform(
            clock, ScenarioLoader::parse(generatedBar(int(state.range(0))), u"generated"_s), false);
        DesktopApp app(platform, SimOptions{});
        if (!app.start()) {
            state.SkipWithError("the desktop window did not load");
            return;
        }
        runEventLoopFor(kSettleMs);
        int frames = 0;
        const QMetaObject::Connection counting =
            QObject::connect(app.window(), &QQuickWindow::frameSwapped, [&frames] { ++frames; });
        const QSet<QString> threadsBefore = threadIds();
        const double cpuBefore = processCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        runEventLoopFor(kMeasureMs);
        const double cpu = processCpuSeconds() - cpuBefore;
        state.counters["cpu_percent"] = 100.0 * cpu / (double(wall.elapsed()) / 1e3);
        state.counters["frames"] = frames;
        state.counters["thread_starts"] = double((threadIds() - threadsBefore).size());
        state.counters["items"] = double(app.engine()->lastItems().size());
        QObject::disconnect(counting);
        (void)app.finish();
    }
}
BENCHMARK(idleCpuInRealTime)->Arg(400)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace zorv
