#include "borrowedcursor.h"

#include "diagnostics/diagnostics.h"
#include "inputevents.h"

#include <QJsonObject>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

qint64 truncatedMicros(Duration elapsed) {
    return std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count();
}

} // namespace

BorrowedCursor::BorrowedCursor(InputEvents &input, Clock &clock, WorkRunner work,
                               const Diagnostics &diagnostics)
    : m_input(input), m_clock(clock), m_work(work), m_diagnostics(diagnostics) {}

void BorrowedCursor::beginCursorSessionIfNeeded(Owner owner) {
    if (m_session) {
        m_session->owner = owner;
    } else {
        Session session;
        session.owner = owner;
        session.display = m_input.mainDisplayId();
        session.saved = m_input.cursorLocation();
        session.started = m_clock.wallNow();
        session.startedAt = m_clock.now();
        m_session = session;
        m_input.associateMouseAndCursor(false);
        m_input.hideCursor(session.display);
        appendEvent({{u"kind"_s, u"cursor-borrowed"_s},
                     {u"display"_s, static_cast<qint64>(session.display)}});
    }
    auto deadline = [this](CancellationToken token) {
        return runDeadline(this, m_clock, std::move(token));
    };
    m_deadline.start(std::move(deadline));
}

QCoro::Task<> BorrowedCursor::runDeadline(BorrowedCursor *self, Clock &clock,
                                          CancellationToken token) {
    // An interrupted sleep goes on to the checks: only they decide.
    (void)co_await clock.sleep(seconds(deadlineSeconds), token);
    if (token.isCancelled() || !self->m_session) {
        co_return;
    }
    self->appendEvent(
        {{u"kind"_s, u"cursor-returned-by-deadline"_s}, {u"afterSeconds"_s, deadlineSeconds}});
    self->endAnyCursorSession();
}

void BorrowedCursor::endCursorSession(Owner owner) {
    if (m_session && m_session->owner != owner) {
        return;
    }
    endAnyCursorSession();
}

void BorrowedCursor::endAnyCursorSession() {
    m_deadline.cancel();
    if (!m_session) {
        return;
    }
    const Session session = *m_session;
    m_session.reset();
    m_cursorBorrowedMicros += truncatedMicros(m_clock.now() - session.startedAt);

    // Release whatever a drag left pressed, also after a complete one.
    if (const std::unique_ptr<EventSource> source =
            m_input.createEventSource(EventSourceState::CombinedSession)) {
        const QPointF at = m_input.cursorLocation().value_or(QPointF());
        (void)m_own->post(
            *source, m_input, m_clock,
            MouseEvent{EventType::LeftMouseUp, at, MouseButton::Left, EventFlags::none, 1});
        (void)m_own->post(*source, m_input, m_clock,
                          KeyEvent{KeyCode::command, false, EventFlags::none});
    }
    if (session.saved) {
        m_input.warpCursor(*session.saved);
    }
    m_input.showCursor(session.display);
    if (const DisplayId main = m_input.mainDisplayId(); main != session.display) {
        m_input.showCursor(main);
    }
    m_input.associateMouseAndCursor(true);
    appendEvent({{u"kind"_s, u"cursor-returned"_s},
                 {u"heldMs"_s, truncatedMicros(m_clock.now() - session.startedAt) / 1000}});
}

QCoro::Task<std::optional<Duration>>
BorrowedCursor::performDrag(Owner owner, QPointF from, QPointF to, MoveCoordinator::Gesture gesture,
                            std::optional<MonotonicTime> unlessInputSince) {
    beginCursorSessionIfNeeded(owner);
    // This object may be gone when the drag ends; the clock outlives it.
    Clock &clock = m_clock;
    const MonotonicTime start = clock.now();
    auto drag = [&input = m_input, &clock, own = m_own, from, to, gesture, unlessInputSince] {
        return MoveCoordinator::commandDrag(input, clock, *own, from, to, gesture,
                                            unlessInputSince);
    };
    WorkRunner work = m_work;
    const bool posted = co_await work.run(std::move(drag));
    co_return posted ? std::optional(clock.now() - start) : std::nullopt;
}

bool BorrowedCursor::keyPressedDuringSession() const {
    if (!m_session) {
        return false;
    }
    const double sessionAge = toSeconds(m_clock.now() - m_session->startedAt);
    return secondsSinceForeign(EventType::KeyDown) < sessionAge - keySlackSeconds;
}

bool BorrowedCursor::userInputSince(MonotonicTime since) const {
    return m_own->userInputSince(m_input, m_clock, since);
}

bool BorrowedCursor::userDraggedSince(MonotonicTime since) const {
    const double elapsed = toSeconds(m_clock.now() - since);
    return secondsSinceForeign(EventType::LeftMouseDown) <= elapsed &&
           secondsSinceForeign(EventType::LeftMouseDragged) <= elapsed;
}

double BorrowedCursor::secondsSinceForeign(EventType type) const {
    return m_own->secondsSinceForeign(m_input, m_clock, type);
}

void BorrowedCursor::appendEvent(const QJsonObject &record) const {
    m_diagnostics.append(u"events.jsonl"_s, record);
}

} // namespace zorv
