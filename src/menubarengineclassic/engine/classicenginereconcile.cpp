// The reconcile pass: brings the bar into the wanted order with paced Command-drags while the
// user's hands are off the controls, checks every drag, remembers what would not move and logs
// every run.

#include "classicengine.h"

#include "reconcile/dragplanner.h"
#include "reconcile/sortplanrecord.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr double kIdleQuietSeconds = 1.5;
constexpr int kPassLimit = 30;
const QString kNoPermission = u"no Accessibility permission"_s;

qint64 dragDistance(const QJsonArray &moves) {
    double sum = 0.0;
    for (const QJsonValue &move : moves) {
        const QJsonObject record = move.toObject();
        sum += std::abs(record.value(u"toX"_s).toDouble() - record.value(u"fromX"_s).toDouble());
    }
    // Points on a bar: far inside the integer range.
    return std::isfinite(sum) ? static_cast<qint64>(sum) : 0;
}

} // namespace

QCoro::Task<> ClassicEngine::reconcileMenuBar(QString trigger) {
    co_await admitReconcile(std::move(trigger), m_reorderEnabled);
}

QCoro::Task<> ClassicEngine::admitReconcile(QString trigger, bool reorderEnabled) {
    assertMainThread();
    if (!reorderEnabled) {
        co_return;
    }
    // From here to the flag being set there is no suspension point.
    if (m_runs.reconcileInFlight()) {
        m_runs.queue(trigger);
        co_return;
    }
    if (competingManagerRunning()) {
        m_diagnostics.write(u"last-reconcile.json"_s, {{u"kind"_s, u"reconcile-skipped"_s},
                                                       {u"reason"_s, u"Bartender is running"_s}});
        appendReconcileLog({{u"trigger"_s, trigger}, {u"skipped"_s, u"Bartender is running"_s}});
        co_return;
    }
    // Without the permission the bar cannot be read and no drag takes: a run would only borrow
    // the cursor, drag after drag. Once granted, the separators are placed between the lanes
    // first, or the run would drag items across separators standing where the launch without
    // the permission left them. The request waits for both, and one that comes while another
    // waits takes its place, so that one run follows the grant.
    if (grantPlacementDue() || m_runs.hasKept()) {
        co_await admitAfterTheGrant(std::move(trigger));
        co_return;
    }
    m_runs.begin();
    co_await runReconcilePass(std::move(trigger));
}

QCoro::Task<> ClassicEngine::runReconcilePass(QString trigger) {
    // The run ends early only when the engine goes away; every await is followed by that check.
    QPointer<ClassicEngine> self(this);
    const BorrowedCursor::Owner owner = m_cursor.newOwner();
    RunTally tally;
    tally.startedAt = now();
    m_cursor.resetCursorBorrowedMicros();

    co_await waitForInputIdle(kIdleQuietSeconds, std::nullopt);
    if (!self) {
        co_return;
    }
    // Switched off while the run waited for the user: nothing was revealed or dragged yet.
    if (!m_reorderEnabled) {
        m_runs.abandon();
        co_return;
    }
    // When the user was last found idle: input after it keeps the next drag waiting.
    MonotonicTime quietAt = m_platform.clock.now();
    // An item asked for meanwhile is opened on the bar as its activation found it.
    co_await giveWayToActivations(owner);
    if (!self) {
        co_return;
    }
    // A menu open on the bar stays as the user left it: the run shows nothing before it closes.
    if (!co_await untilNoMenuBeforeTheReveal(owner, quietAt, tally)) {
        if (!self) {
            co_return;
        }
        if (tally.abortReason) {
            appendReconcileLog({{u"trigger"_s, trigger}, {u"aborted"_s, *tally.abortReason}});
        }
        m_runs.abandon();
        co_return;
    }
    // A layout handed over is brought about from here; a run that ended before this point leaves
    // it waiting for the next one.
    m_wanted.runStarted();
    const bool revealed = co_await revealForTheRun(trigger, owner);
    if (!self || !revealed) {
        co_return;
    }

    co_await sleep(0.12);
    if (!self) {
        co_return;
    }
    tally.attempts = runLedger();
    tally.epochAtStart = m_wanted.orderEpoch();
    co_await refresh();
    if (!self) {
        co_return;
    }
    // The run's own reveal moved the bar; from here on only something else does.
    (void)m_runs.takeBarMovedUnderTheRun();
    // Only for a run that goes on to drag, from the bar as the reveal shows it.
    const SortPlanRecord sortPlan =
        SortPlanRecord::build(m_bar.lastItems(), m_wanted.storedLayout());
    if (!sortPlan.line.value(u"lanes"_s).toArray().isEmpty()) {
        appendReconcileLog(sortPlan.line);
    }
    tally.modeledSortMicros = sortPlan.modeledMicros;
    tally.neededAtStart = dragsStillNeeded();

    co_await dragIntoPlace(owner, quietAt, tally);
    if (!self) {
        co_return;
    }
    co_await closeRun(std::move(trigger), owner, tally);
}

QCoro::Task<bool> ClassicEngine::revealForTheRun(QString trigger, BorrowedCursor::Owner owner) {
    QPointer<ClassicEngine> self(this);
    m_rehideTask.cancel();
    // The always-hidden section stays tucked unless something in it has to move, which leaves
    // room on a crowded bar for the rest.
    const bool includingAlwaysHidden = alwaysHiddenNeedsArranging();
    revealForDragging(includingAlwaysHidden);
    const MonotonicTime revealedAt = m_platform.clock.now();
    const bool revealSettled =
        co_await waitForRevealToSettle(m_pace.revealSettleSeconds(), includingAlwaysHidden);
    if (!self) {
        co_return false;
    }
    if (revealSettled) {
        m_pace.measured(toSeconds(m_platform.clock.now() - revealedAt));
        m_pace.revealSettled();
        co_return true;
    }
    // How long this bar does take, for the next run's wait.
    const double waited = toSeconds(m_platform.clock.now() - revealedAt);
    const bool late = co_await waitForRevealToSettle(LayoutPace::longestSettleSeconds - waited,
                                                     includingAlwaysHidden);
    if (!self) {
        co_return false;
    }
    m_pace.measured(toSeconds(m_platform.clock.now() - revealedAt), late);
    appendReconcileLog({{u"trigger"_s, trigger},
                        {u"aborted"_s, u"the reveal did not settle"_s},
                        {u"geometry"_s, m_separatorController->geometry()}});
    m_drift.runStarted(now());
    const bool givenUp = countFruitlessDrift(trigger, false);
    const std::optional<double> retry = givenUp ? std::nullopt : m_pace.retryAfterAbort();
    co_await sleep(0.35);
    if (!self) {
        co_return false;
    }
    co_await setHiddenRevealed(false, false, u"reconcile aborted"_s, false);
    if (!self) {
        co_return false;
    }
    m_cursor.endCursorSession(owner);
    m_runs.end();
    if (retry) {
        retryAbortedRun(trigger, *retry);
    }
    co_return false;
}

QCoro::Task<> ClassicEngine::dragIntoPlace(BorrowedCursor::Owner owner, MonotonicTime quietAt,
                                           RunTally &tally) {
    QPointer<ClassicEngine> self(this);
    if (m_batchExecutionEnabled) {
        // Its drags are planned from one reading of the bar, each where the last leaves it.
        m_runs.setDragUnderWay(true);
        co_await runBatch(owner, tally.moves, quietAt);
        if (!self) {
            co_return;
        }
    }

    // The drag whose outcome the next scans decide.
    struct Pending {
        MenuBarItemID id;
        double fromX = 0.0;
        bool orderMove = false;
        bool laneMove = false;
        bool standardGesture = false;
    };
    std::optional<Pending> pending;
    while (true) {
        bool took = false;
        if (pending) {
            took = co_await awaitDragOutcome(owner, pending->id, pending->fromX);
        } else {
            co_await refresh();
        }
        if (!self) {
            co_return;
        }
        // The permission was taken away: the scan read nothing new, so the last drag's outcome
        // is unknown and no further drag can take.
        if (waitingForGrant()) {
            tally.abortReason = kNoPermission;
            ++tally.passes;
            break;
        }
        // Something else moved the items meanwhile (the icon seated again, a tuck or a reveal):
        // the last drag's outcome stays unknown, and the next one is planned from a scan taken
        // since.
        if (m_runs.takeBarMovedUnderTheRun()) {
            pending.reset();
            m_runs.setDragUnderWay(false);
            if (++tally.passes == kPassLimit) {
                break;
            }
            continue;
        }
        if (pending && !tally.moves.isEmpty()) {
            QJsonObject last = tally.moves.last().toObject();
            last.insert(u"took"_s, took);
            tally.moves.replace(tally.moves.size() - 1, last);
            if (pending->orderMove) {
                tally.orderTook[pending->id] = tally.orderTook.value(pending->id) || took;
            } else if (pending->laneMove) {
                tally.laneTook[pending->id] = tally.laneTook.value(pending->id) || took;
            }
            if (pending->standardGesture) {
                m_records.gestureOutcome(pending->id, took);
            }
            if (took) {
                m_wanted.ownDragLanded(pending->id);
            }
        }
        pending.reset();
        m_runs.setDragUnderWay(false);
        // An item asked for meanwhile is opened before the next drag; the run then goes on from
        // a fresh reading of the bar.
        if (co_await giveWayToActivations(owner)) {
            if (!self) {
                co_return;
            }
            continue;
        }

        const std::optional<BarGeometry> geometry = currentBarGeometry();
        if (!geometry) {
            ++tally.passes;
            break;
        }
        const DragPlanner::AttemptsLedger attemptsBefore = tally.attempts;
        const std::optional<DragPlan> plan = DragPlanner::planNextDrag(
            *geometry, m_wanted.storedLayout(), m_records.stubbornSet(), tally.attempts);
        if (!plan) {
            ++tally.passes;
            break;
        }
        // Switched off mid-run: the run ends before its next drag and gives the cursor back.
        if (!m_reorderEnabled) {
            tally.abortReason = u"reordering was switched off"_s;
            ++tally.passes;
            break;
        }
        // A drag's mouse-down would close a menu open on the bar: the run waits for it to
        // close, then goes on as after the user's input, the plan not dragged spending no try.
        if (co_await giveWayToOpenMenus(owner, quietAt, tally)) {
            if (!self) {
                co_return;
            }
            tally.attempts = attemptsBefore;
            if (++tally.passes == kPassLimit || tally.abortReason) {
                break;
            }
            continue;
        }
        // The user took the mouse or keyboard since the run found them idle: give the
        // cursor back, wait until they are done, and plan again from a fresh scan.
        if (m_cursor.userInputSince(quietAt)) {
            co_await handBackToTheUser(owner, quietAt);
            if (!self) {
                co_return;
            }
            if (++tally.passes == kPassLimit) {
                break;
            }
            continue;
        }
        const MoveCoordinator::Gesture gesture = gestureFor(*plan);
        m_runs.setDragUnderWay(true);
        const std::optional<Duration> posted =
            co_await m_cursor.performDrag(owner, plan->from, plan->to, gesture, quietAt);
        if (!self) {
            co_return;
        }
        m_runs.setDragUnderWay(false);
        m_activations.runDragged();
        if (!posted) {
            // The user came back between the look above and the drag's first event.
            co_await handBackToTheUser(owner, quietAt);
            if (!self) {
                co_return;
            }
            if (++tally.passes == kPassLimit) {
                break;
            }
            continue;
        }
        m_wanted.ownDragPosted(plan->track);
        tally.moves.append(stepRecord(*plan, gesture));
        if (plan->track) {
            pending = Pending{*plan->track, plan->from.x(), plan->isOrderMove(), plan->isLaneMove(),
                              gesture == MoveCoordinator::Gesture::standard};
        }
        if (m_cursor.keyPressedDuringSession()) {
            co_await handBackToTheUser(owner, quietAt);
            if (!self) {
                co_return;
            }
        }
        if (++tally.passes == kPassLimit) {
            break;
        }
    }
}

QCoro::Task<> ClassicEngine::closeRun(QString trigger, BorrowedCursor::Owner owner,
                                      RunTally &tally) {
    QPointer<ClassicEngine> self(this);
    m_cursor.endCursorSession(owner);
    // What this run found, carried into the next ones. Headway: a drag took, or an item came a
    // strike closer to being left alone as stubborn.
    bool headway = false;
    bool tookSome = false;
    for (const QJsonValue &move : std::as_const(tally.moves)) {
        tookSome = tookSome || move.toObject().value(u"took"_s).toBool();
    }
    for (auto it = tally.orderTook.cbegin(); it != tally.orderTook.cend(); ++it) {
        headway = m_records.orderOutcome(it.key(), it.value()) || headway;
    }
    for (auto it = tally.laneTook.cbegin(); it != tally.laneTook.cend(); ++it) {
        headway = m_records.laneOutcome(it.key(), it.value(), now(), m_bar.reach()) || headway;
    }
    // An item no drag can take into its lane for now keeps its lane: no drag of it was posted,
    // so nothing says it refuses one. The run is not settled, and says why in its record.
    bool settled = laneBeyondReach().isEmpty();
    const std::optional<BarGeometry> endGeometry = currentBarGeometry();
    if (endGeometry && settled) {
        DragPlanner::AttemptsLedger unspent;
        settled = !DragPlanner::planNextDrag(*endGeometry, m_wanted.storedLayout(),
                                             m_records.stubbornSet(), unspent);
    }
    // An item a drag took out of its lane the other way is dragged back by the next run; a lane
    // drag of it that does not take then counts against it.
    DragPlanner::AttemptsLedger directions;
    // Which way items went counts only towards the layout the run worked for: one handed over
    // meanwhile (another profile, a move of the user's) is tried afresh.
    const int epochAtStart = tally.epochAtStart;
    if (!settled && m_wanted.orderEpoch() == epochAtStart) {
        directions = endGeometry ? DragPlanner::directionsHandedOn(
                                       *endGeometry, m_wanted.storedLayout(), tally.attempts)
                                 : DragPlanner::directionsOf(tally.attempts);
    }
    m_records.keepDragDirections(std::move(directions), m_wanted.storedLayout());
    const bool closer = m_runs.cameCloser(tally.neededAtStart, dragsStillNeeded(), settled,
                                          epochAtStart, m_wanted.orderEpoch());
    const QJsonObject timing{{u"wallMs"_s, tally.startedAt.msecsTo(now())},
                             {u"cursorBorrowMs"_s, m_cursor.cursorBorrowedMicros() / 1000},
                             {u"drags"_s, tally.moves.size()},
                             {u"dragDistancePx"_s, dragDistance(tally.moves)},
                             {u"modeledSortMs"_s, tally.modeledSortMicros / 1000}};
    const QJsonArray unreachable = unreachableItems();
    QJsonObject record =
        reconcileRecord(trigger, tally.passes, settled, timing, tally.moves, tally.abortReason);
    QJsonObject logLine{{u"trigger"_s, trigger},
                        {u"passes"_s, tally.passes},
                        {u"settled"_s, settled},
                        {u"timing"_s, timing},
                        {u"moves"_s, tally.moves}};
    if (tally.abortReason) {
        logLine.insert(u"aborted"_s, *tally.abortReason);
    }
    if (!unreachable.isEmpty()) {
        record.insert(u"unreachable"_s, unreachable);
        logLine.insert(u"unreachable"_s, unreachable);
    }
    m_diagnostics.write(u"last-reconcile.json"_s, record);
    m_runs.setLastReconcile(std::move(record));
    appendReconcileLog(logLine);
    // A drift run that moved nothing did not settle the drift, whatever the bar reads now; one
    // that brought the bar closer was not fruitless, or a long reorder would stop half-way.
    const bool driftGivenUp = countFruitlessDrift(trigger, (settled && tookSome) || closer);
    const std::optional<QString> abortReason = tally.abortReason;

    co_await sleep(0.35);
    if (!self) {
        co_return;
    }
    co_await setHiddenRevealed(false, false, u"reconcile"_s, false);
    if (!self) {
        co_return;
    }
    // An unsettled run keeps the user's arrangement waiting and tries again while runs get
    // somewhere, as long as reordering is on.
    m_runs.runEnded(settled || closer);
    // Items out of reach may still stand out of the wanted order, which then stays to be done.
    const bool orderReached =
        !m_wanted.barOrderDiffers(m_bar.lastItems(), outOfLane(), m_records.stubbornSet());
    if (settled && m_wanted.orderEpoch() == epochAtStart && orderReached) {
        m_wanted.orderReached();
    } else if (!settled && (closer || headway) && !driftGivenUp && m_reorderEnabled &&
               m_runs.mayFollowUp()) {
        m_runs.queue(trigger);
    }
    // Stopped half-way by the permission going: the rest is done once it is granted again,
    // unless a later request takes its place.
    if (abortReason == kNoPermission && !m_runs.hasQueued()) {
        m_runs.queue(trigger);
    }
    m_runs.end();
    co_await sleep(0.25);
    if (!self) {
        co_return;
    }
    co_await refresh();
    if (!self) {
        co_return;
    }
    // A run admitted during the closing scan takes the queued trigger at its own end.
    if (m_runs.hasQueued() && !m_runs.reconcileInFlight()) {
        const QString queued = *m_runs.takeQueued();
        co_await admitReconcile(queued, m_reorderEnabled);
        if (!self) {
            co_return;
        }
    }
    m_cursor.endCursorSession(owner);
}

} // namespace zorv
