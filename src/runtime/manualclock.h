#pragma once

#include "clock.h"

#include <QMetaObject>
#include <QObject>

#include <memory>

namespace zorv {

class ManualClockState;

// A clock whose time moves only when told to: tests call advance(), so a 30 s poll costs no wall
// time. In fast-forward mode it jumps to the next due sleeper whenever the main event loop has
// nothing else to do, which runs a simulation as fast as the machine allows.
//
// Sleepers wake in deadline order (ties in the order they went to sleep), one at a time, each at
// its own virtual time; between two wake-ups the main event loop runs, so a chain of sleeps that
// falls inside one advance() resolves within it. A sleep that is already due (zero or negative
// duration) or cancelled wakes from the next turn of the event loop. blockingSleep() moves virtual
// time forward instead of waiting, from any thread; sleepers it makes due wake on the main thread.
//
// Destroying the clock abandons its sleepers: they are never resumed (their coroutine frames
// stay suspended), so no coroutine wakes into an object torn down along with the clock.
class ManualClock final : public QObject, public Clock {
    Q_OBJECT

public:
    explicit ManualClock(QDateTime wallStart = QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC),
                         QObject *parent = nullptr);
    ~ManualClock() override;

    [[nodiscard]] MonotonicTime now() const override;
    [[nodiscard]] QDateTime wallNow() const override;
    [[nodiscard]] QCoro::Task<SleepOutcome> sleep(Duration duration,
                                                  CancellationToken cancellation = {}) override;
    void blockingSleep(Duration duration) override;

    // Moves time forward by `duration` (a negative one counts as zero), waking every sleeper that
    // falls due on the way. Main thread.
    void advance(Duration duration);
    // Runs the event loop until nothing is pending, without moving time. Main thread.
    void settle();

    // While enabled, each time the main event loop is idle with sleepers waiting, time jumps to
    // the earliest deadline and that sleeper wakes. Without sleepers the loop blocks as usual.
    void setFastForward(bool enabled);

    // Number of coroutines currently asleep on this clock.
    [[nodiscard]] int sleeperCount() const;
    // Deadline of the earliest sleeper, or -1 ns when none sleeps.
    [[nodiscard]] MonotonicTime nextDeadline() const;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onAboutToBlock();
    void wake(MonotonicTime until);

    std::shared_ptr<ManualClockState> m_state;
    QDateTime m_wallStart;
    bool m_fastForward = false;
    QMetaObject::Connection m_aboutToBlock;
    bool m_probePending = false;
    // Events the main thread delivered, other than the idle probe: an idle probe that finds this
    // unchanged since it was posted knows the loop had nothing else to do.
    quint64 m_delivered = 0;
    quint64 m_deliveredAtProbe = 0;
    // Inside advance() or settle(): time moves only as they say.
    int m_driving = 0;
};

} // namespace zorv
