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
constexpr double kTookThreshold = 6.0;
// How often a bar is looked at while a drag's outcome waits for it to lay out again.
constexpr double kDragSettleStep = 0.25;
constexpr int kBatchPlanLimit = 40;
constexpr int kPassLimit = 30;
const QString kNoPermission = u"no Accessibility permission"_s;

QJsonObject stepRecord(const DragPlan &plan) {
    return {{u"what"_s, plan.label}, {u"fromX"_s, plan.from.x()}, {u"toX"_s, plan.to.x()}};
}

QString gestureName(const MoveCoordinator::Gesture &gesture) {
    return gesture == MoveCoordinator::Gesture::standard ? u"standard"_s : u"commandKey"_s;
}

qint64 dragDistance(const QJsonArray &moves) {
    double sum = 0.0;
    for (const QJsonValue &move : moves) {
        const QJsonObject record = move.toObject();
        sum += std::abs(record.value(u"toX"_s).toDouble() - record.value(u"fromX"_s).toDouble());
    }
    // Points on a bar: far inside the integer range.
    return std::isfinite(sum) ? static_cast<qint64>(sum) : 0;
}

// The left edge of the item's button window; -1 without a button or window.
double leftEdgeOf(StatusItem &item) {
    const StatusItemButton *button = item.button();
    const std::optional<StatusItemWindow> window =
        button ? button->window() : std::optional<StatusItemWindow>();
    return window ? window->frame.left() : -1.0;
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
    m_wanted.runStarted();
    co_await runReconcilePass(std::move(trigger));
}

std::optional<BarGeometry> ClassicEngine::currentBarGeometry() const {
    std::optional<BarGeometry> geometry =
        BarGeometry::read(*m_separatorController, m_bar.itemFrames());
    if (geometry) {
        geometry->reach = m_bar.reach();
    }
    return geometry;
}

MoveCoordinator::Gesture ClassicEngine::gestureFor(const DragPlan &plan) const {
    const bool slow =
        (plan.track && m_records.needsSlowGesture().contains(*plan.track)) || plan.attempt >= 2;
    return slow ? MoveCoordinator::Gesture::commandKey : MoveCoordinator::Gesture::standard;
}

void ClassicEngine::revealForDragging(bool includingAlwaysHidden) {
    m_separatorController->setLastTuckRefused(false);
    m_separatorController->setRevealed(true, includingAlwaysHidden);
}

QCoro::Task<> ClassicEngine::handBackToTheUser(BorrowedCursor::Owner owner,
                                               MonotonicTime &quietAt) {
    QPointer<ClassicEngine> self(this);
    m_cursor.endCursorSession(owner);
    co_await waitForInputIdle(kIdleQuietSeconds, std::nullopt);
    if (self) {
        quietAt = m_platform.clock.now();
    }
}

QCoro::Task<bool> ClassicEngine::awaitDragOutcome(BorrowedCursor::Owner owner, MenuBarItemID id,
                                                  double fromX) {
    QPointer<ClassicEngine> self(this);
    const auto moved = [this, &id, fromX] {
        const auto frame = m_bar.lastFrames().constFind(id);
        return frame != m_bar.lastFrames().constEnd() &&
               std::abs(frame->center().x() - fromX) > kTookThreshold;
    };
    const MonotonicTime deadline =
        deadlineAfter(m_platform.clock.now(), zorv::seconds(m_pace.dragSettleSeconds()));
    co_await refresh();
    if (!self) {
        co_return false;
    }
    if (moved()) {
        co_return true;
    }
    // Without the permission the bar is not read again: the outcome stays unknown.
    if (waitingForGrant()) {
        co_return false;
    }
    // The bar has not laid out again yet, or the drag was refused: either way nothing happens
    // under the cursor meanwhile, so the user has it back until the next drag.
    m_cursor.endCursorSession(owner);
    while (m_platform.clock.now() < deadline) {
        co_await sleep(kDragSettleStep);
        if (!self) {
            co_return false;
        }
        co_await refresh();
        if (!self) {
            co_return false;
        }
        if (moved()) {
            co_return true;
        }
        if (waitingForGrant()) {
            co_return false;
        }
    }
    co_return false;
}

QCoro::Task<> ClassicEngine::runBatch(BorrowedCursor::Owner owner, QJsonArray &moves,
                                      MonotonicTime &quietAt) {
    std::optional<BarGeometry> geometry = currentBarGeometry();
    if (!geometry) {
        co_return;
    }
    const QSet<MenuBarItemID> stubborn = m_records.stubbornSet();
    const SectionLayout layout = m_wanted.storedLayout();
    DragPlanner::AttemptsLedger attempts = runLedger();
    QList<DragPlan> plans;
    while (plans.size() < kBatchPlanLimit) {
        const std::optional<DragPlan> plan =
            DragPlanner::planNextDrag(*geometry, layout, stubborn, attempts);
        if (!plan) {
            break;
        }
        plans.append(*plan);
        geometry = DragPlanner::predictedReflow(*geometry, *plan, layout);
    }
    QPointer<ClassicEngine> self(this);
    for (const DragPlan &plan : plans) {
        if (!m_reorderEnabled) {
            co_return;
        }
        // The user took the mouse or keyboard since the run found them idle: the plans are
        // stale, and no drag may start under the user's hands.
        if (m_cursor.userInputSince(quietAt)) {
            co_await handBackToTheUser(owner, quietAt);
            co_return;
        }
        const MoveCoordinator::Gesture gesture = gestureFor(plan);
        const std::optional<Duration> posted =
            co_await m_cursor.performDrag(owner, plan.from, plan.to, gesture, quietAt);
        if (!self) {
            co_return;
        }
        if (!posted) {
            co_await handBackToTheUser(owner, quietAt);
            co_return;
        }
        m_wanted.ownDragPosted(plan.track);
        QJsonObject record = stepRecord(plan);
        record.insert(u"gesture"_s, gestureName(gesture));
        record.insert(u"batch"_s, true);
        moves.append(record);
        if (m_cursor.keyPressedDuringSession()) {
            co_await handBackToTheUser(owner, quietAt);
            co_return;
        }
    }
}

QCoro::Task<> ClassicEngine::runReconcilePass(QString trigger) {
    // The run ends early only when the engine goes away; every await is followed by that check.
    QPointer<ClassicEngine> self(this);
    const BorrowedCursor::Owner owner = m_cursor.newOwner();
    const QDateTime start = now();
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

    m_rehideTask.cancel();
    // The always-hidden section stays tucked unless something in it has to move, which leaves
    // room on a crowded bar for the rest.
    const bool includingAlwaysHidden = alwaysHiddenNeedsArranging();
    revealForDragging(includingAlwaysHidden);
    const MonotonicTime revealedAt = m_platform.clock.now();
    const bool revealSettled =
        co_await waitForRevealToSettle(m_pace.revealSettleSeconds(), includingAlwaysHidden);
    if (!self) {
        co_return;
    }
    if (revealSettled) {
        m_pace.measured(toSeconds(m_platform.clock.now() - revealedAt));
        m_pace.revealSettled();
    } else {
        // How long this bar does take, for the next run's wait.
        const double waited = toSeconds(m_platform.clock.now() - revealedAt);
        const bool late = co_await waitForRevealToSettle(LayoutPace::longestSettleSeconds - waited,
                                                         includingAlwaysHidden);
        if (!self) {
            co_return;
        }
        m_pace.measured(toSeconds(m_platform.clock.now() - revealedAt), late);
    }
    if (!revealSettled) {
        appendReconcileLog({{u"trigger"_s, trigger},
                            {u"aborted"_s, u"the reveal did not settle"_s},
                            {u"geometry"_s, m_separatorController->geometry()}});
        m_drift.runStarted(now());
        const bool givenUp = countFruitlessDrift(trigger, false);
        const std::optional<double> retry = givenUp ? std::nullopt : m_pace.retryAfterAbort();
        co_await sleep(0.35);
        if (!self) {
            co_return;
        }
        co_await setHiddenRevealed(false, false, u"reconcile aborted"_s, false);
        if (!self) {
            co_return;
        }
        m_cursor.endCursorSession(owner);
        m_runs.end();
        if (retry) {
            retryAbortedRun(trigger, *retry);
        }
        co_return;
    }

    co_await sleep(0.12);
    if (!self) {
        co_return;
    }
    DragPlanner::AttemptsLedger attempts = runLedger();
    const int epochAtStart = m_wanted.orderEpoch();
    QHash<MenuBarItemID, bool> orderTook;
    QHash<MenuBarItemID, bool> laneTook;
    co_await refresh();
    if (!self) {
        co_return;
    }
    // Only for a run that goes on to drag, from the bar as the reveal shows it.
    const SortPlanRecord sortPlan =
        SortPlanRecord::build(m_bar.lastItems(), m_wanted.storedLayout());
    if (!sortPlan.line.value(u"lanes"_s).toArray().isEmpty()) {
        appendReconcileLog(sortPlan.line);
    }
    const std::optional<qsizetype> neededAtStart = dragsStillNeeded();

    QJsonArray moves;
    if (m_batchExecutionEnabled) {
        // Its drags are planned from one reading of the bar, each where the last leaves it.
        m_runs.setDragUnderWay(true);
        co_await runBatch(owner, moves, quietAt);
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
    std::optional<QString> abortReason;
    int passes = 0;
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
            abortReason = kNoPermission;
            ++passes;
            break;
        }
        // The icon was seated again meanwhile, moving the items over: the last drag's outcome
        // stays unknown, and the next one is planned from a scan taken since.
        if (m_runs.takeBarMovedUnderTheRun()) {
            pending.reset();
            m_runs.setDragUnderWay(false);
            if (++passes == kPassLimit) {
                break;
            }
            continue;
        }
        if (pending && !moves.isEmpty()) {
            QJsonObject last = moves.last().toObject();
            last.insert(u"took"_s, took);
            moves.replace(moves.size() - 1, last);
            if (pending->orderMove) {
                orderTook[pending->id] = orderTook.value(pending->id) || took;
            } else if (pending->laneMove) {
                laneTook[pending->id] = laneTook.value(pending->id) || took;
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

        const std::optional<BarGeometry> geometry = currentBarGeometry();
        if (!geometry) {
            ++passes;
            break;
        }
        const std::optional<DragPlan> plan = DragPlanner::planNextDrag(
            *geometry, m_wanted.storedLayout(), m_records.stubbornSet(), attempts);
        if (!plan) {
            ++passes;
            break;
        }
        // Switched off mid-run: the run ends before its next drag and gives the cursor back.
        if (!m_reorderEnabled) {
            abortReason = u"reordering was switched off"_s;
            ++passes;
            break;
        }
        // The user took the mouse or keyboard since the run found them idle: give the
        // cursor back, wait until they are done, and plan again from a fresh scan.
        if (m_cursor.userInputSince(quietAt)) {
            co_await handBackToTheUser(owner, quietAt);
            if (!self) {
                co_return;
            }
            if (++passes == kPassLimit) {
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
        if (!posted) {
            // The user came back between the look above and the drag's first event.
            co_await handBackToTheUser(owner, quietAt);
            if (!self) {
                co_return;
            }
            if (++passes == kPassLimit) {
                break;
            }
            continue;
        }
        m_wanted.ownDragPosted(plan->track);
        QJsonObject record = stepRecord(*plan);
        record.insert(u"gesture"_s, gestureName(gesture));
        moves.append(record);
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
        if (++passes == kPassLimit) {
            break;
        }
    }

    m_cursor.endCursorSession(owner);
    // What this run found, carried into the next ones. Headway: a drag took, or an item came a
    // strike closer to being left alone as stubborn.
    bool headway = false;
    bool tookSome = false;
    for (const QJsonValue &move : std::as_const(moves)) {
        tookSome = tookSome || move.toObject().value(u"took"_s).toBool();
    }
    for (auto it = orderTook.cbegin(); it != orderTook.cend(); ++it) {
        headway = m_records.orderOutcome(it.key(), it.value()) || headway;
    }
    for (auto it = laneTook.cbegin(); it != laneTook.cend(); ++it) {
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
    if (!settled && m_wanted.orderEpoch() == epochAtStart) {
        directions =
            endGeometry
                ? DragPlanner::directionsHandedOn(*endGeometry, m_wanted.storedLayout(), attempts)
                : DragPlanner::directionsOf(attempts);
    }
    m_records.keepDragDirections(std::move(directions), m_wanted.storedLayout());
    const bool closer = m_runs.cameCloser(neededAtStart, dragsStillNeeded(), settled, epochAtStart,
                                          m_wanted.orderEpoch());
    const QJsonObject timing{{u"wallMs"_s, start.msecsTo(now())},
                             {u"cursorBorrowMs"_s, m_cursor.cursorBorrowedMicros() / 1000},
                             {u"drags"_s, moves.size()},
                             {u"dragDistancePx"_s, dragDistance(moves)},
                             {u"modeledSortMs"_s, sortPlan.modeledMicros / 1000}};
    const QJsonArray unreachable = unreachableItems();
    QJsonObject record = reconcileRecord(trigger, passes, settled, timing, moves, abortReason);
    QJsonObject logLine{{u"trigger"_s, trigger},
                        {u"passes"_s, passes},
                        {u"settled"_s, settled},
                        {u"timing"_s, timing},
                        {u"moves"_s, moves}};
    if (abortReason) {
        logLine.insert(u"aborted"_s, *abortReason);
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

void ClassicEngine::retryAbortedRun(const QString &trigger, double delay) {
    appendReconcileLog({{u"kind"_s, u"retry-scheduled"_s},
                        {u"trigger"_s, trigger},
                        {u"inSeconds"_s, delay},
                        {u"revealSettleSeconds"_s, m_pace.revealSettleSeconds()}});
    QPointer<ClassicEngine> self(this);
    Clock &clock = m_platform.clock;
    auto body = [self, &clock, trigger, delay](CancellationToken token) -> QCoro::Task<> {
        const SleepOutcome slept = co_await clock.sleep(zorv::seconds(delay), token);
        if (slept == SleepOutcome::Cancelled || token.isCancelled() || !self) {
            co_return;
        }
        co_await self->reconcileMenuBar(trigger);
    };
    m_retryAfterAbort.start(std::move(body));
}

DragPlanner::AttemptsLedger ClassicEngine::runLedger() const {
    // Items are never dragged back the way the runs before this one took them for the same
    // layout, or two items that cannot both be placed would trade places run after run.
    DragPlanner::AttemptsLedger attempts = m_records.dragDirections(m_wanted.storedLayout());
    DragPlanner::spendLaneMoves(attempts, m_records.awaitingRetirement(m_bar.reach()));
    return attempts;
}

WantedLayout::OutOfLane ClassicEngine::outOfLane() const {
    // The bar is read once, and only when an item is compared at all.
    return [this, read = std::optional<std::optional<BarGeometry>>()](const MenuBarItem &item,
                                                                      Section wanted) mutable {
        if (!read) {
            read = currentBarGeometry();
        }
        return *read && DragPlanner::outOfLane(**read, wanted, item.frame.center().x());
    };
}

std::optional<qsizetype> ClassicEngine::dragsStillNeeded() const {
    const std::optional<BarGeometry> geometry = currentBarGeometry();
    return geometry
               ? std::optional(DragPlanner::dragsStillNeeded(*geometry, m_wanted.storedLayout()))
               : std::nullopt;
}

QJsonObject ClassicEngine::reconcileRecord(const QString &trigger, int passes, bool settled,
                                           const QJsonObject &timing, const QJsonArray &moves,
                                           const std::optional<QString> &abortReason) const {
    QJsonArray items;
    for (const MenuBarItem &item : m_bar.lastItems()) {
        items.append(QJsonObject{{u"name"_s, item.appName},
                                 {u"section"_s, rawValue(item.section)},
                                 {u"midX"_s, item.frame.center().x()}});
    }
    QJsonObject record{{u"kind"_s, u"reconcile"_s},
                       {u"trigger"_s, trigger},
                       {u"passes"_s, passes},
                       {u"settled"_s, settled},
                       {u"timing"_s, timing},
                       {u"threeZone"_s, m_separatorController->separatorsAreOrdered()},
                       {u"boundaryX"_s, leftEdgeOf(m_separatorController->hiddenSep())},
                       {u"alwaysBoundaryX"_s, leftEdgeOf(m_separatorController->alwaysHiddenSep())},
                       {u"moves"_s, moves},
                       {u"items"_s, items}};
    if (abortReason) {
        record.insert(u"aborted"_s, *abortReason);
    }
    return record;
}

bool ClassicEngine::countFruitlessDrift(const QString &trigger, bool fruitful) {
    const DriftMemory::Count count =
        m_drift.countFruitlessDrift(trigger, fruitful, m_bar.reach().menusRight);
    if (count.justGivenUp) {
        appendReconcileLog(
            {{u"kind"_s, u"drift-given-up"_s},
             {u"items"_s, trigger.mid(DriftMemory::triggerPrefix.size())},
             {u"reason"_s,
              u"3 runs could not settle them; waiting for an app, display or layout change"_s}});
    }
    return count.givenUp;
}

} // namespace zorv
