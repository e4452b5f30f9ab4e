#pragma once

#include "clock.h"

#include <QCoroTask>

class QThreadPool;

namespace zorv {

class ManualClock;

// Drives a manual clock for code that also hands work to a thread pool: before time moves on to
// the next sleeper, the event loop is settled and every job of the pool has finished and
// delivered its result, so a scan running on a worker never lets virtual time run ahead of it.
// Main thread.
class WorkerClockDriver {
public:
    WorkerClockDriver(ManualClock &clock, QThreadPool &pool) : m_clock(clock), m_pool(pool) {}

    // Moves virtual time forward, waking each sleeper due on the way in turn.
    void run(Duration duration);
    // Runs until the task ends or `limit` of virtual time has passed; true when it ended, with
    // its exception rethrown.
    bool drive(QCoro::Task<> task, Duration limit);
    // Settles the event loop and the pool without moving time.
    void drain();

private:
    ManualClock &m_clock;
    QThreadPool &m_pool;
};

} // namespace zorv
