#include "manualclockstate.h"

#include "mainthread.h"
#include "stuckthreadwatch.h"
#include "workerjobs.h"

#include <algorithm>
#include <chrono>
#include <optional>

namespace zorv {

namespace {

// How often a blocked worker looks whether the main thread is stuck waiting on a worker, and how
// long the main thread must have stayed out of its event loop, blocked, before it counts as stuck.
constexpr std::chrono::milliseconds kWorkerLook(2);
constexpr std::chrono::milliseconds kMainThreadStuck(20);

} // namespace

ManualClockState::ManualClockState(qint64 mainSystemThreadId) : m_mainThread(mainSystemThreadId) {}

ManualClockState::~ManualClockState() {
    // Its posted wake-up finds no state any more and wakes nobody.
    if (m_wakeScheduled) {
        WorkerJobs::mainWakeGone();
    }
}

MonotonicTime ManualClockState::now() const {
    std::lock_guard lock(m_mutex);
    return m_now;
}

int ManualClockState::sleeperCount() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_sleepers.size());
}

int ManualClockState::workerSleepCount() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_workerSleeps.size());
}

MonotonicTime ManualClockState::nextDeadline() const {
    std::lock_guard lock(m_mutex);
    return m_sleepers.empty() ? MonotonicTime(-1) : m_sleepers.begin()->first.first;
}

MonotonicTime ManualClockState::nextWorkerDeadline() const {
    std::lock_guard lock(m_mutex);
    return m_workerSleeps.empty() ? MonotonicTime(-1) : m_workerSleeps.begin()->first.first;
}

void ManualClockState::arm(const std::shared_ptr<Sleeper> &sleeper, Duration duration) {
    Key key;
    {
        std::lock_guard lock(m_mutex);
        key = Key(deadlineAfter(m_now, duration), m_nextSequence++);
        if (m_closed) {
            // Slept on by a coroutine the closing clock resumed: it ends at once, cancelled.
            sleeper->claim(SleepOutcome::Cancelled);
            postToMainThread([sleeper] { sleeper->resume(); });
            return;
        }
        m_sleepers.emplace(key, sleeper);
    }
    std::weak_ptr<ManualClockState> weakSelf = weak_from_this();
    sleeper->watchCancellation([weakSelf, key, sleeper] {
        if (auto self = weakSelf.lock()) {
            self->cancel(key, sleeper);
        }
    });
    scheduleWakeIfDue();
}

void ManualClockState::cancel(const Key &key, const std::shared_ptr<Sleeper> &sleeper) {
    {
        std::lock_guard lock(m_mutex);
        if (m_closed || !sleeper->claim(SleepOutcome::Cancelled)) {
            return;
        }
        m_sleepers.erase(key);
        m_cancelled.emplace(key, sleeper);
    }
    // Never resume inside cancel(): the canceller is in the middle of its own work. Should the
    // clock close first, close() resumes the sleeper instead.
    std::weak_ptr<ManualClockState> weakSelf = weak_from_this();
    postToMainThread([weakSelf, key, sleeper] {
        if (auto self = weakSelf.lock(); self && self->takeCancelled(key)) {
            sleeper->resume();
        }
    });
}

bool ManualClockState::takeCancelled(const Key &key) {
    std::lock_guard lock(m_mutex);
    return m_cancelled.erase(key) > 0;
}

void ManualClockState::moveForward(Duration duration) {
    {
        std::lock_guard lock(m_mutex);
        m_now = deadlineAfter(m_now, duration);
    }
    scheduleWakeIfDue();
}

void ManualClockState::moveTo(MonotonicTime time) {
    std::lock_guard lock(m_mutex);
    m_now = std::max(m_now, time);
}

SleepOutcome ManualClockState::sleepOnWorker(Duration duration, CancellationToken cancellation) {
    if (duration <= Duration::zero()) {
        return SleepOutcome::Elapsed;
    }
    WorkerSleep sleep;
    sleep.job = WorkerJobs::runsJob();
    Key key;
    {
        std::lock_guard lock(m_mutex);
        if (m_closed) {
            return SleepOutcome::Cancelled;
        }
        key = Key(deadlineAfter(m_now, duration), m_nextSequence++);
        m_workerSleeps.emplace(key, &sleep);
    }
    // Counted as waiting only once the sleep is queued: a main thread that sees every job waiting
    // sees their sleeps too.
    if (sleep.job) {
        WorkerJobs::waitBegins();
    }
    // Watched only now that the sleep counts as waiting, since a cancellation releases it as a
    // step of time would (and may do so at once, when the token already is cancelled).
    const std::weak_ptr<ManualClockState> weakSelf = weak_from_this();
    const quint64 watch = cancellation.onCancel([weakSelf, key] {
        if (const auto self = weakSelf.lock()) {
            self->cancelWorker(key);
        }
    });
    nudgeMainThread();
    StuckThreadWatch mainThread(m_mainThread);
    std::unique_lock lock(m_mutex);
    while (!sleep.released) {
        if (m_workersReleased.wait_for(lock, kWorkerLook) == std::cv_status::no_timeout) {
            continue;
        }
        // Looked at without the lock, so that a main thread waiting for it does not look stuck.
        lock.unlock();
        const bool stuck =
            mainThread.stuckFor(kMainThreadStuck, m_mainPasses.load(std::memory_order_relaxed));
        lock.lock();
        // A main thread inside advance() or settle() only seems stuck: it is held up (a lock, the
        // disk, a busy machine) in the middle of work it does before it steps time itself, and
        // stepping time for it would let virtual time run ahead of that work by how long the
        // machine took.
        if (stuck && !sleep.released && !isDriven() && WorkerJobs::busy() <= 0) {
            stepWithoutMainThread();
        }
    }
    const bool cancelled = sleep.cancelled;
    lock.unlock();
    cancellation.removeCallback(watch);
    if (sleep.job) {
        WorkerJobs::waitEnded();
    }
    return cancelled ? SleepOutcome::Cancelled : SleepOutcome::Elapsed;
}

void ManualClockState::cancelWorker(const Key &key) {
    {
        std::lock_guard lock(m_mutex);
        const auto found = m_workerSleeps.find(key);
        if (found == m_workerSleeps.end()) {
            return;
        }
        found->second->cancelled = true;
        releaseWorker(found);
    }
    m_workersReleased.notify_all();
}

ManualClockState::Step ManualClockState::step(MonotonicTime until) {
    Step done;
    {
        std::lock_guard lock(m_mutex);
        std::optional<MonotonicTime> earliest;
        if (!m_sleepers.empty()) {
            earliest = m_sleepers.begin()->first.first;
        }
        if (!m_workerSleeps.empty()) {
            earliest = std::min(earliest.value_or(MonotonicTime::max()),
                                m_workerSleeps.begin()->first.first);
        }
        if (!earliest || *earliest > until) {
            return done;
        }
        m_now = std::max(m_now, *earliest);
        if (!m_sleepers.empty() && m_sleepers.begin()->first.first <= m_now) {
            auto node = m_sleepers.extract(m_sleepers.begin());
            // Cancellation claims and erases under the same lock: whatever is queued is unclaimed.
            node.mapped()->claim(SleepOutcome::Elapsed);
            done.sleeper = std::move(node.mapped());
        } else {
            done.releasedWorkers = releaseDueWorkers();
        }
    }
    if (done.sleeper) {
        done.sleeper->stopWatching();
    }
    if (done.releasedWorkers > 0) {
        m_workersReleased.notify_all();
    }
    return done;
}

int ManualClockState::releaseDueWorkers() {
    int released = 0;
    while (!m_workerSleeps.empty() && m_workerSleeps.begin()->first.first <= m_now) {
        releaseWorker(m_workerSleeps.begin());
        ++released;
    }
    return released;
}

void ManualClockState::releaseWorker(std::map<Key, WorkerSleep *>::iterator found) {
    WorkerSleep *sleep = found->second;
    m_workerSleeps.erase(found);
    sleep->released = true;
    if (sleep->job) {
        WorkerJobs::waitReleased();
    }
}

void ManualClockState::stepWithoutMainThread() {
    if (m_workerSleeps.empty()) {
        return;
    }
    m_now = std::max(m_now, m_workerSleeps.begin()->first.first);
    releaseDueWorkers();
    m_workersReleased.notify_all();
    // Main-thread sleepers due by now wake once the main loop runs again.
    const bool mainDue = !m_sleepers.empty() && m_sleepers.begin()->first.first <= m_now;
    if (mainDue && !m_wakeScheduled) {
        m_wakeScheduled = true;
        WorkerJobs::mainWakePosted();
        std::weak_ptr<ManualClockState> weakSelf = weak_from_this();
        postToMainThread([weakSelf] {
            if (auto self = weakSelf.lock()) {
                self->wakeOneDue();
            }
        });
    }
}

std::vector<std::shared_ptr<Sleeper>> ManualClockState::close() {
    std::vector<std::shared_ptr<Sleeper>> abandoned;
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
        while (!m_workerSleeps.empty()) {
            m_workerSleeps.begin()->second->cancelled = true;
            releaseWorker(m_workerSleeps.begin());
        }
        for (auto &[key, sleeper] : m_sleepers) {
            sleeper->claim(SleepOutcome::Cancelled);
            abandoned.push_back(std::move(sleeper));
        }
        for (auto &[key, sleeper] : m_cancelled) {
            abandoned.push_back(std::move(sleeper));
        }
        m_sleepers.clear();
        m_cancelled.clear();
    }
    m_workersReleased.notify_all();
    for (const auto &sleeper : abandoned) {
        sleeper->stopWatching();
    }
    return abandoned;
}

void ManualClockState::scheduleWakeIfDue() {
    {
        std::lock_guard lock(m_mutex);
        const bool due = !m_sleepers.empty() && m_sleepers.begin()->first.first <= m_now;
        if (!due || m_wakeScheduled) {
            return;
        }
        m_wakeScheduled = true;
        WorkerJobs::mainWakePosted();
    }
    std::weak_ptr<ManualClockState> weakSelf = weak_from_this();
    postToMainThread([weakSelf] {
        if (auto self = weakSelf.lock()) {
            self->wakeOneDue();
        }
    });
}

void ManualClockState::wakeOneDue() {
    std::shared_ptr<Sleeper> sleeper;
    {
        std::lock_guard lock(m_mutex);
        m_wakeScheduled = false;
        WorkerJobs::mainWakeGone();
        if (m_sleepers.empty() || m_sleepers.begin()->first.first > m_now) {
            return;
        }
        auto node = m_sleepers.extract(m_sleepers.begin());
        node.mapped()->claim(SleepOutcome::Elapsed);
        sleeper = std::move(node.mapped());
    }
    sleeper->stopWatching();
    sleeper->resume();
    // The next due sleeper wakes from a later turn of the event loop, after whatever this one
    // posted. The state outlives the resumed coroutine: the posted call holds it.
    scheduleWakeIfDue();
}

} // namespace zorv
