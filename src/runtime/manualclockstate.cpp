#include "manualclockstate.h"

#include "mainthread.h"

#include <QMutexLocker>

#include <algorithm>

namespace zorv {

MonotonicTime ManualClockState::now() const {
    QMutexLocker lock(&m_mutex);
    return m_now;
}

int ManualClockState::sleeperCount() const {
    QMutexLocker lock(&m_mutex);
    return static_cast<int>(m_sleepers.size());
}

MonotonicTime ManualClockState::nextDeadline() const {
    QMutexLocker lock(&m_mutex);
    return m_sleepers.empty() ? MonotonicTime(-1) : m_sleepers.begin()->first.first;
}

void ManualClockState::arm(const std::shared_ptr<Sleeper> &sleeper, Duration duration) {
    Key key;
    {
        QMutexLocker lock(&m_mutex);
        key = Key(deadlineAfter(m_now, duration), m_nextSequence++);
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
        QMutexLocker lock(&m_mutex);
        if (!sleeper->claim(SleepOutcome::Cancelled)) {
            return;
        }
        m_sleepers.erase(key);
    }
    // Never resume inside cancel(): the canceller is in the middle of its own work.
    std::weak_ptr<ManualClockState> weakSelf = weak_from_this();
    postToMainThread([weakSelf, sleeper] {
        if (weakSelf.lock()) {
            sleeper->resume();
        }
    });
}

void ManualClockState::moveForward(Duration duration) {
    {
        QMutexLocker lock(&m_mutex);
        m_now = deadlineAfter(m_now, duration);
    }
    scheduleWakeIfDue();
}

void ManualClockState::moveTo(MonotonicTime time) {
    QMutexLocker lock(&m_mutex);
    m_now = std::max(m_now, time);
}

std::shared_ptr<Sleeper> ManualClockState::takeEarliestDue(MonotonicTime until) {
    QMutexLocker lock(&m_mutex);
    if (m_sleepers.empty() || m_sleepers.begin()->first.first > until) {
        return nullptr;
    }
    auto node = m_sleepers.extract(m_sleepers.begin());
    m_now = std::max(m_now, node.key().first);
    // Cancellation claims and erases under the same lock, so whatever is still queued is unclaimed.
    node.mapped()->claim(SleepOutcome::Elapsed);
    return std::move(node.mapped());
}

void ManualClockState::abandonAll() {
    std::map<Key, std::shared_ptr<Sleeper>> abandoned;
    {
        QMutexLocker lock(&m_mutex);
        abandoned.swap(m_sleepers);
    }
    for (auto &[key, sleeper] : abandoned) {
        sleeper->stopWatching();
    }
}

void ManualClockState::scheduleWakeIfDue() {
    {
        QMutexLocker lock(&m_mutex);
        const bool due = !m_sleepers.empty() && m_sleepers.begin()->first.first <= m_now;
        if (!due || m_wakeScheduled) {
            return;
        }
        m_wakeScheduled = true;
    }
    std::weak_ptr<ManualClockState> weakSelf = weak_from_this();
    postToMainThread([weakSelf] {
        if (auto self = weakSelf.lock()) {
            self->wakeOneDue();
        }
    });
}

void ManualClockState::wakeOneDue() {
    {
        QMutexLocker lock(&m_mutex);
        m_wakeScheduled = false;
    }
    auto sleeper = takeEarliestDue(now());
    if (!sleeper) {
        return;
    }
    sleeper->stopWatching();
    sleeper->resume();
    // The next due sleeper wakes from a later turn of the event loop, after whatever this one
    // posted.
    scheduleWakeIfDue();
}

} // namespace zorv
