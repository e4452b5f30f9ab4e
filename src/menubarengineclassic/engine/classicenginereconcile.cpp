// Admission to the reconcile pass, and handing a borrowed cursor back to the user.

#include "classicengine.h"

#include "inputevent.h"

using namespace Qt::StringLiterals;

namespace zorv {

QCoro::Task<> ClassicEngine::reconcileMenuBar(QString trigger) {
    assertMainThread();
    if (!m_reorderEnabled) {
        co_return;
    }
    if (m_reconcileInFlight) {
        m_queuedTrigger = trigger;
        co_return;
    }
    if (competingManagerRunning()) {
        m_diagnostics.write(u"last-reconcile.json"_s, {{u"kind"_s, u"reconcile-skipped"_s},
                                                       {u"reason"_s, u"Bartender is running"_s}});
        appendReconcileLog({{u"trigger"_s, trigger}, {u"skipped"_s, true}});
        co_return;
    }
    co_await runReconcilePass(std::move(trigger));
}

// The drag passes themselves (planning, Command-drags with the borrowed cursor, the sort
// optimiser) are not part of this engine yet: until they are, an admitted pass leaves the bar as
// it is and the scan's own upkeep keeps the stored layout in step.
QCoro::Task<> ClassicEngine::runReconcilePass(QString trigger) {
    Q_UNUSED(trigger);
    co_return;
}

void ClassicEngine::endCursorSession() {
    m_cursorDeadline.cancel();
    if (!m_cursorSession) {
        return;
    }
    const CursorSession session = *m_cursorSession;
    m_cursorSession.reset();
    const qint64 heldMicros = session.started.msecsTo(now()) * 1000;
    m_cursorBorrowedMicros += heldMicros;

    InputEvents &input = m_platform.inputEvents;
    if (std::unique_ptr<EventSource> source =
            input.createEventSource(EventSourceState::CombinedSession)) {
        MouseEvent up;
        up.type = EventType::LeftMouseUp;
        up.location = input.cursorLocation().value_or(QPointF());
        up.button = MouseButton::Left;
        source->post(up);
        source->post(KeyEvent{KeyCode::command, false, EventFlags::none});
    }
    if (session.saved) {
        input.warpCursor(*session.saved);
    }
    input.showCursor(session.display);
    if (session.display != input.mainDisplayId()) {
        input.showCursor(input.mainDisplayId());
    }
    input.associateMouseAndCursor(true);
    appendEvent({{u"kind"_s, u"cursor-returned"_s}, {u"heldMs"_s, heldMicros / 1000}});
}

} // namespace zorv
