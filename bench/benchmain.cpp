#include "processprobe.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// The benchmarks drive Qt's event loop on the main thread, and the engine writes its diagnostics
// under a temporary data folder. Started with a probe's name (processprobe.h), it runs that probe
// instead.
int main(int argc, char **argv) {
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (const int probe = zorv::runRequestedProbe(); probe >= 0) {
        return probe;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
