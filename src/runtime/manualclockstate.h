#pragma once

#include "clock.h"
#include "sleeper.h"

#include <QMutex>

#include <map>
#include <memory>
#include <utility>

namespace zorv {

// The thread-safe heart of ManualClock: virtual time and the sleepers ordered by deadline, then by
// the order they went to sleep. Shared with token callbacks and posted wake-ups, which reach it
// only through weak references so that nothing wakes after the clock is gone.
class ManualClockState : public std::enable_shared_from_this<ManualClockState> {
public:
    [[nodiscard]] MonotonicTime now() const;
    [[nodiscard]] int sleeperCount() const;
    [[nodiscard]] MonotonicTime nextDeadline() const;

    // Queues `sleeper` until now + duration and watches its token. Main thread.
    void arm(const std::shared_ptr<Sleeper> &sleeper, Duration duration);
    // Moves time forward by `duration`; sleepers made due wake from the main event loop. Any
    // thread.
    void moveForward(Duration duration);
    // Moves time to at least `time`.
    void moveTo(MonotonicTime time);
    // Removes and claims the earliest sleeper due at or before `until`, moving time to its
    // deadline; null when none is due by then.
    [[nodiscard]] std::shared_ptr<Sleeper> takeEarliestDue(MonotonicTime until);
    // Abandons every sleeper (the clock is going away).
    void abandonAll();

private:
    using Key = std::pair<MonotonicTime, quint64>;

    void cancel(const Key &key, const std::shared_ptr<Sleeper> &sleeper);
    // Posts one wake-up of the earliest sleeper when it is due, unless one is already on its way.
    void scheduleWakeIfDue();
    void wakeOneDue();

    mutable QMutex m_mutex;
    MonotonicTime m_now{0};
    quint64 m_nextSequence = 0;
    std::map<Key, std::shared_ptr<Sleeper>> m_sleepers;
    bool m_wakeScheduled = false;
};

} // namespace zorv
