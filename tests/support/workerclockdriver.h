#pragma once

#include "clock.h"

#include <QCoroTask>

namespace zorv {

class ManualClock;

// Drives a manual clock for code that also hands work to worker threads; the clock itself never
// moves time while a job runs, so a scan on a worker never lets virtual time run ahead of it.
// Main thread.
class WorkerClockDriver {
public:
    explicit WorkerClockDriver(ManualClock &clock) : m_clock(clock) {}

    // Moves virtual time forward, waking each sleeper due on the way in turn.
    void run(Duration duration);
    // Runs until the task ends or `limit` of virtual time has passed; true when it ended, with
    // its exception rethrown.
    bool drive(QCoro::Task<> task, Duration limit);
    // Settles the event loop and lets every job in flight finish or wait, without moving time.
    void drain();

private:
    ManualClock &m_clock;
};

} // namespace zorv
