#pragma once

#include "clock.h"
#include "displayid.h"
#include "latesttask.h"
#include "movecoordinator.h"
#include "owneventlog.h"
#include "workrunner.h"

#include <QCoroTask>
#include <QDateTime>
#include <QPointF>

#include <memory>
#include <optional>

namespace zorv {

class Diagnostics;
class InputEvents;

// The cursor the engine borrows while it drags other applications' items: hidden, detached from
// the user's mouse and moved only by the synthetic events, then given back where it was, shown
// and attached again. A session is opened by the first drag and closed by whoever owns it, or by
// the deadline 8 s after the latest drag began. Each session start and end goes to "events.jsonl".
//
// Sessions have owners (a reconcile run, a drag-test request): a caller ends only its own
// session, so a run that finishes late can never hand back the cursor in the middle of another
// run's drag. Display changes and the emergency show-everything end whatever session is open.
//
// Main thread; the drags themselves run on the work runner's threads.
class BorrowedCursor {
public:
    using Owner = quint64;

    struct Session {
        Owner owner = 0;
        // The cursor position when the session began; absent when it could not be read.
        std::optional<QPointF> saved;
        QDateTime started;
        MonotonicTime startedAt{};
        DisplayId display = 0;
    };

    static constexpr double deadlineSeconds = 8.0;
    // A key-down this much younger than the session counts as the user's hands on the keyboard.
    static constexpr double keySlackSeconds = 0.05;

    // `input`, `clock` and `diagnostics` must outlive this object.
    BorrowedCursor(InputEvents &input, Clock &clock, WorkRunner work,
                   const Diagnostics &diagnostics);
    BorrowedCursor(const BorrowedCursor &) = delete;
    BorrowedCursor &operator=(const BorrowedCursor &) = delete;

    // A fresh owner for one run or request; never 0.
    [[nodiscard]] Owner newOwner() { return ++m_lastOwner; }

    // Opens a session for `owner` unless one is open (an open session passes to `owner`, keeping
    // its saved position and start), and re-arms the deadline in every case.
    void beginCursorSessionIfNeeded(Owner owner);
    // Ends the session when `owner` holds it; cancels the deadline also when none is open.
    void endCursorSession(Owner owner);
    // Ends whatever session is open.
    void endAnyCursorSession();

    // Borrows the cursor for `owner`, then posts the drag on a worker thread and waits for it.
    // The drag is never cut short once begun: it always ends with its mouse-up (and key-up).
    // With `unlessInputSince`, it does not begin when the user's input came at or after that time
    // (MoveCoordinator::commandDrag); it gives none then. Leaves the session open. Gives the time
    // from the session's opening until the drag was posted.
    QCoro::Task<std::optional<Duration>>
    performDrag(Owner owner, QPointF from, QPointF to, MoveCoordinator::Gesture gesture,
                std::optional<MonotonicTime> unlessInputSince = std::nullopt);

    // While a session is open: whether a key went down since it began (0.05 s slack), not
    // counting the engine's own key-downs.
    [[nodiscard]] bool keyPressedDuringSession() const;
    // Whether the user's hands were at work at or after `since` (OwnEventLog::userInputSince).
    [[nodiscard]] bool userInputSince(MonotonicTime since) const;
    // Whether the user pressed the left button and dragged at or after `since`: the engine's
    // own drag was not the last one.
    [[nodiscard]] bool userDraggedSince(MonotonicTime since) const;
    // Seconds since the last event of `type` the engine did not post itself (infinity when the
    // last one was its own); for the wait until the user is idle.
    [[nodiscard]] double secondsSinceForeign(EventType type) const;
    // The mark on the engine's own events, for the engine's other synthetic input (activation
    // clicks); shared, as a click in flight may outlive this object.
    [[nodiscard]] std::shared_ptr<OwnEventLog> ownEvents() const { return m_own; }

    [[nodiscard]] const std::optional<Session> &session() const { return m_session; }
    [[nodiscard]] bool deadlinePending() const { return m_deadline.isPending(); }
    // Summed over sessions since the last reset.
    [[nodiscard]] qint64 cursorBorrowedMicros() const { return m_cursorBorrowedMicros; }
    void resetCursorBorrowedMicros() { m_cursorBorrowedMicros = 0; }

private:
    static QCoro::Task<> runDeadline(BorrowedCursor *self, Clock &clock, CancellationToken token);
    void appendEvent(const QJsonObject &record) const;

    InputEvents &m_input;
    Clock &m_clock;
    WorkRunner m_work;
    const Diagnostics &m_diagnostics;
    // Shared with drags in flight, which may outlive this object.
    std::shared_ptr<OwnEventLog> m_own = std::make_shared<OwnEventLog>();
    std::optional<Session> m_session;
    qint64 m_cursorBorrowedMicros = 0;
    Owner m_lastOwner = 0;
    // Last: destroying it cancels the deadline before the fields it reads go.
    LatestTask m_deadline;
};

} // namespace zorv
