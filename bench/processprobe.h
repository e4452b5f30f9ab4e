#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace zorv {

// The memory probes run in a process of their own, so the resident memory they read is only the
// application's: the benchmark starts this executable again with the probe's name in
// kProbeVariable, and the probe prints "name=value" lines on standard output.
inline constexpr const char *kProbeVariable = "ZORV_BENCH_PROBE";

// Runs the probe named by the variable; returns its exit code, or -1 when no probe is asked for.
int runRequestedProbe();

// Starts this executable with `probe` and returns the values it printed; empty when it failed.
QMap<QString, double> runProbeProcess(const QByteArray &probe);

// This process's resident memory in kilobytes (VmRSS in /proc/self/status), or -1.
qint64 residentKilobytes();

} // namespace zorv
