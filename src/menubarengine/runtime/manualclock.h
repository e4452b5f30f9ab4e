#pragma once

#include "clock.h"

#include <QObject>

#include <memory>

namespace zorv {

class ManualClockState;

// A clock whose time moves only when told to: tests call advance(), so a 30 s poll costs no wall
// time. In fast-forward mode it jumps to the next due sleeper whenever the main event loop is
// about to go idle, which runs a simulation as fast as the machine allows.
//
// Sleepers wake in deadline order (ties in the order they went to sleep); between two wake-ups the
// main event loop runs, so a chain of sleeps that falls inside one advance() resolves within it.
// blockingSleep() from a worker thread moves virtual time forward instead of waiting.
class ManualClock final : public QObject, public Clock {
    Q_OBJECT

public:
    explicit ManualClock(QDateTime wallStart = QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC),
                         QObject *parent = nullptr);
    ~ManualClock() override;

    [[nodiscard]] MonotonicTime now() const override;
    [[nodiscard]] QDateTime wallNow() const override;
    [[nodiscard]] QCoro::Task<SleepOutcome> sleep(Duration duration,
                                                  CancellationToken cancellation) override;
    void blockingSleep(Duration duration) override;

    // Moves time forward by `duration`, waking every sleeper that falls due on the way. Main thread.
    void advance(Duration duration);
    // Runs the event loop until nothing is pending, without moving time.
    void settle();

    void setFastForward(bool enabled);
    [[nodiscard]] bool isFastForward() const;

    // Number of coroutines currently asleep on this clock.
    [[nodiscard]] int sleeperCount() const;
    // Deadline of the earliest sleeper, or -1 ns when none sleeps.
    [[nodiscard]] MonotonicTime nextDeadline() const;

private:
    std::unique_ptr<ManualClockState> m_state;
};

} // namespace zorv
