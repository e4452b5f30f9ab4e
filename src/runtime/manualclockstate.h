#pragma once

#include "clock.h"
#include "sleeper.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace zorv {

// The thread-safe heart of ManualClock: virtual time, the coroutines asleep on the main thread and
// the threads blocked in blockingSleep(), each ordered by deadline, then by the order they went to
// sleep. Shared with token callbacks and posted wake-ups, which reach it only through weak
// references, and with the clock's own calls, which keep it alive while a coroutine they resume
// destroys the clock.
class ManualClockState : public std::enable_shared_from_this<ManualClockState> {
public:
    // What one step of time did: a main-thread sleeper to resume, or worker threads released.
    struct Step {
        std::shared_ptr<Sleeper> sleeper;
        int releasedWorkers = 0;
    };

    explicit ManualClockState(qint64 mainSystemThreadId);
    ~ManualClockState();
    ManualClockState(const ManualClockState &) = delete;
    ManualClockState &operator=(const ManualClockState &) = delete;

    [[nodiscard]] MonotonicTime now() const;
    [[nodiscard]] int sleeperCount() const;
    [[nodiscard]] int workerSleepCount() const;
    [[nodiscard]] MonotonicTime nextDeadline() const;
    [[nodiscard]] MonotonicTime nextWorkerDeadline() const;

    // Queues `sleeper` until now + duration and watches its token. Main thread.
    void arm(const std::shared_ptr<Sleeper> &sleeper, Duration duration);
    // Moves time forward by `duration`; sleepers made due wake from the main event loop.
    void moveForward(Duration duration);
    // Moves time to at least `time`.
    void moveTo(MonotonicTime time);
    // Blocks the calling thread (never the main thread) until a step of time releases it at
    // now + duration (Elapsed), or the token is cancelled or the clock closes (Cancelled).
    [[nodiscard]] SleepOutcome sleepOnWorker(Duration duration, CancellationToken cancellation);
    // Moves time to the earliest deadline among all waiters if it lies at or before `until`. A
    // main-thread sleeper due by then is taken (claimed, for the caller to resume) before any
    // worker is released; only when none is due are the workers due released. Main thread.
    [[nodiscard]] Step step(MonotonicTime until);
    // The main thread went through its event loop: it is not stuck waiting on a worker.
    void mainThreadPassed() { m_mainPasses.fetch_add(1, std::memory_order_relaxed); }
    // The clock is going away: releases every worker and hands back every main-thread sleeper
    // not yet resumed, claimed as cancelled, for the caller to resume.
    [[nodiscard]] std::vector<std::shared_ptr<Sleeper>> close();

    // Inside advance() or settle(), which nest: time moves only as they say. Begun and ended on
    // the main thread; read from any.
    void beginDriving() { m_driving.fetch_add(1, std::memory_order_relaxed); }
    void endDriving() { m_driving.fetch_sub(1, std::memory_order_relaxed); }
    [[nodiscard]] bool isDriven() const { return m_driving.load(std::memory_order_relaxed) > 0; }

private:
    using Key = std::pair<MonotonicTime, quint64>;

    struct WorkerSleep {
        bool job = false;
        bool released = false;
        bool cancelled = false;
    };

    void cancel(const Key &key, const std::shared_ptr<Sleeper> &sleeper);
    [[nodiscard]] bool takeCancelled(const Key &key);
    // Posts one wake-up of the earliest sleeper when it is due, unless one is already on its way.
    void scheduleWakeIfDue();
    void wakeOneDue();
    // Releases the workers whose deadline has come; the caller holds the lock.
    int releaseDueWorkers();
    void releaseWorker(std::map<Key, WorkerSleep *>::iterator found);
    // Releases the worker asleep under `key`, if it still is, as cancelled.
    void cancelWorker(const Key &key);
    // Moves time for waiting workers when the main thread is stuck waiting on one of them and so
    // can never step time itself (never while it drives time: advance() steps it for them); the
    // caller holds the lock.
    void stepWithoutMainThread();

    mutable std::mutex m_mutex;
    std::condition_variable m_workersReleased;
    MonotonicTime m_now{0};
    quint64 m_nextSequence = 0;
    std::map<Key, std::shared_ptr<Sleeper>> m_sleepers;
    // Cancelled sleepers whose resumption is posted but has not run yet.
    std::map<Key, std::shared_ptr<Sleeper>> m_cancelled;
    std::map<Key, WorkerSleep *> m_workerSleeps;
    bool m_wakeScheduled = false;
    bool m_closed = false;
    const qint64 m_mainThread;
    std::atomic<quint64> m_mainPasses{0};
    std::atomic<int> m_driving{0};
};

} // namespace zorv
