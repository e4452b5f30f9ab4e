#pragma once

#include "chaosplan.h"
#include "chaoswatch.h"

#include <QString>
#include <QStringList>

namespace zorv {

// What one chaos run saw: how much happened, how often each invariant was checked, every
// breach, and the process's memory at the first moment after the first hour and at the last
// moment of the run when only the laptop's screen was attached (0 before then): the heap in use
// (what the app and the simulated Mac hold) and the resident size (which also counts what the
// allocator keeps back).
struct ChaosReport {
    quint64 seed = 0;
    double hours = 0.0;
    qsizetype events = 0;
    qsizetype steps = 0;
    ChaosWatch::Counts checks;
    QStringList breaches;
    qint64 breachCount = 0;
    double heapAfterFirstHourMiB = 0.0;
    double heapAtEndMiB = 0.0;
    double residentAfterFirstHourMiB = 0.0;
    double residentAtEndMiB = 0.0;

    // One line with the figures.
    [[nodiscard]] QString summary() const;
};

// Plays the plan on Zorv's whole app (engine, model, stores, shell, window) over the plan's
// simulated laptop, on a manual clock, from an empty data folder, for `length` of simulated time,
// with cloud sync on and a second Mac on the same iCloud account; the watch checks every fifth of a
// second and reads the stores back every ten seconds.
[[nodiscard]] ChaosReport playChaos(const ChaosPlan &plan, Duration length);

} // namespace zorv
