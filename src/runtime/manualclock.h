#pragma once

#include "clock.h"

#include <QMetaObject>
#include <QObject>

#include <memory>

namespace zorv {

class ManualClockState;
class RealClock;

// A clock whose time moves only when everything that runs on it waits: a 30 s poll costs no wall
// time, and no thread ever sees time run ahead of work still going on elsewhere.
//
// The participants are the main event loop, every job in flight (handed to a pool through
// WorkRunner and not yet back, see WorkerJobs) and every thread inside blockingSleep(). Time moves
// only when the main loop is idle and every job is blocked in blockingSleep(); it then moves to the
// earliest deadline among all waiters, coroutines asleep on the main thread and worker sleeps
// alike. Main-thread sleepers due by then wake first, one at a time with the event loop run
// between them; only then are the workers due released, so a worker's sleep sees everything the
// main thread does before its deadline, as on the real clock. Worker sleeps that overlap in time
// overlap here too: eight jobs sleeping a second each from the same moment move time by a second.
//
// Who moves time: advance() in tests (up to its target, waiting for busy jobs on the way); a worker
// sleep, which steps time as far as its own deadline once everyone waits; and, in fast-forward
// mode, the idle main loop, which steps to any sleeper's deadline once no network request is
// outstanding either: a server's answer takes real time, so its time limit (sleepForNetwork())
// passes in real time then. advance() never waits for the network, so a test that moves time by
// hand moves it past a request's limit as on any clock. A test that never advances time still
// sees its worker jobs' sleeps end. A main thread stuck in a blocking wait on a worker (join,
// waitForDone) cannot step time, so after a short wall-time grace the workers step it themselves;
// sleepers due meanwhile wake once the main loop runs again.
//
// Sleepers with the same deadline wake in the order they went to sleep. A sleep that is already
// due (zero or negative duration) or cancelled wakes from the next turn of the event loop. A job's
// result comes back after the main-thread sleepers already due, however early the job ends. On the
// main thread blockingSleep() only moves time forward (for inline work in tests).
//
// Destroying the clock ends every pending sleep: worker sleeps return, and coroutines asleep on it
// resume at once, inside the destructor, with Cancelled, so their frames run to their end rather
// than leak. After a cancelled sleep a coroutine must not touch the clock again.
class ManualClock final : public QObject, public Clock {
    Q_OBJECT

public:
    explicit ManualClock(QDateTime wallStart = QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC),
                         QObject *parent = nullptr);
    ~ManualClock() override;

    [[nodiscard]] MonotonicTime now() const override;
    [[nodiscard]] QDateTime wallNow() const override;
    // Main thread.
    [[nodiscard]] QCoro::Task<SleepOutcome> sleep(Duration duration,
                                                  CancellationToken cancellation = {}) override;
    SleepOutcome blockingSleep(Duration duration, CancellationToken cancellation = {}) override;
    // In fast-forward mode the limit passes in real time, as the clock holds still meanwhile.
    [[nodiscard]] QCoro::Task<SleepOutcome>
    sleepForNetwork(Duration limit, CancellationToken cancellation = {}) override;

    // Moves time forward by `duration` (a negative one counts as zero), waking every sleeper and
    // releasing every worker sleep that falls due on the way, in deadline order; before each step
    // it runs the event loop until idle and waits until every job in flight waits on the clock.
    // Returns early when a coroutine it wakes destroys the clock. Main thread.
    void advance(Duration duration);
    // Sets the wall clock, as the user or the network time service does: wallNow() reads `time`
    // now and goes on from there; the monotonic time does not move. Main thread, while no worker
    // reads the wall clock.
    void setWallTime(const QDateTime &time);
    // Runs the event loop until nothing is pending, without moving time. Main thread.
    void settle();

    // While enabled, each time the main event loop is idle, every job waits and no network request
    // is outstanding (see NetworkRequests), time steps to the earliest deadline of any sleeper.
    // Without sleepers the loop blocks as usual.
    void setFastForward(bool enabled);

    // Number of coroutines currently asleep on this clock.
    [[nodiscard]] int sleeperCount() const;
    // Deadline of the earliest sleeper, or -1 ns when none sleeps.
    [[nodiscard]] MonotonicTime nextDeadline() const;

Q_SIGNALS:
    // Time has moved forward; emitted before any sleeper due by the new time wakes, so that what
    // follows the clock (the views' animations) stands where it should when they do. Main thread.
    void moved();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onAboutToBlock();
    // In fast-forward mode, while a network request is outstanding: the idle loop leaves time be.
    [[nodiscard]] bool holdsForNetwork() const;
    // Steps time once as the idle main loop may: to any deadline in fast-forward mode, otherwise
    // only as far as the earliest worker sleep.
    void stepWhenIdle();
    // Runs the event loop until every job in flight waits on a clock or has ended; true when it
    // had to wait for one.
    [[nodiscard]] bool awaitJobs();
    // Emits moved() when time stands later than `before`.
    void announceMove(MonotonicTime before);

    std::shared_ptr<ManualClockState> m_state;
    // Counts the network's time limits in fast-forward mode.
    std::unique_ptr<RealClock> m_realTime;
    QDateTime m_wallStart;
    bool m_fastForward = false;
    QMetaObject::Connection m_aboutToBlock;
    QMetaObject::Connection m_awake;
    // The idle check runs in two rounds of low-priority probes; 0 when none is on its way.
    int m_probeRound = 0;
    // Events the main thread delivered, other than the probes: a probe that finds this unchanged
    // since it was posted knows the loop had nothing else to do.
    quint64 m_delivered = 0;
    quint64 m_deliveredAtProbe = 0;
    quint64 m_jobChangesAtProbe = 0;
};

} // namespace zorv
