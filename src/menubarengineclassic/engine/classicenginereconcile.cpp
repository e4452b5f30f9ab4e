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
constexpr double kRevealSettleSeconds = 1.5;
constexpr double kTookThreshold = 6.0;
// How long a bar may take to lay out again after a drag before the drag counts as refused, and
// how often it is looked at meanwhile.
constexpr double kDragSettleSeconds = 2.5;
constexpr double kDragSettleStep = 0.25;
constexpr int kBatchPlanLimit = 40;
constexpr int kPassLimit = 30;
// Unsettled runs in a row that may queue a follow-up of their own without bringing the bar
// closer to the layout; runs that bring it closer always may.
constexpr int kFollowUpRunLimit = 10;
// Unsettled runs for one drift before the engine stops trying to settle it.
constexpr int kFruitlessDriftRuns = 3;

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
    if (m_reconcileInFlight) {
        m_queuedTrigger = trigger;
        co_return;
    }
    if (competingManagerRunning()) {
        m_diagnostics.write(u"last-reconcile.json"_s, {{u"kind"_s, u"reconcile-skipped"_s},
                                                       {u"reason"_s, u"Bartender is running"_s}});
        appendReconcileLog({{u"trigger"_s, trigger}, {u"skipped"_s, u"Bartender is running"_s}});
        co_return;
    }
    m_reconcileInFlight = true;
    // Every run works towards the whole wanted layout, a handed-over one included.
    m_appliedLayoutPending = false;
    co_await runReconcilePass(std::move(trigger));
}

std::optional<BarGeometry> ClassicEngine::currentBarGeometry() const {
    QList<ItemFrame> frames;
    for (const MenuBarItem &item : m_lastItems) {
        const auto frame = m_lastFrames.constFind(item.id);
        if (frame != m_lastFrames.constEnd()) {
            frames.append({item.id, *frame});
        }
    }
    std::optional<BarGeometry> geometry =
        BarGeometry::read(*m_separatorController, std::move(frames));
    if (geometry) {
        geometry->reach = m_reach;
    }
    return geometry;
}

MoveCoordinator::Gesture ClassicEngine::gestureFor(const DragPlan &plan) const {
    const bool slow = (plan.track && m_needsSlowGesture.contains(*plan.track)) || plan.attempt >= 2;
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
        const auto frame = m_lastFrames.constFind(id);
        return frame != m_lastFrames.constEnd() &&
               std::abs(frame->center().x() - fromX) > kTookThreshold;
    };
    const MonotonicTime deadline =
        deadlineAfter(m_platform.clock.now(), zorv::seconds(kDragSettleSeconds));
    co_await refresh();
    if (!self) {
        co_return false;
    }
    if (moved()) {
        co_return true;
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
    }
    co_return false;
}

QCoro::Task<> ClassicEngine::runBatch(BorrowedCursor::Owner owner, QJsonArray &moves,
                                      MonotonicTime &quietAt) {
    std::optional<BarGeometry> geometry = currentBarGeometry();
    if (!geometry) {
        co_return;
    }
    const QSet<MenuBarItemID> stubborn = DragPlanner::stubbornSet(m_stubbornOrder, m_unmovable);
    const SectionLayout layout = m_storedLayout;
    DragPlanner::AttemptsLedger attempts;
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
        QJsonObject record = stepRecord(plan);
        record.insert(u"gesture"_s, gestureName(gesture));
        record.insert(u"batch"_s, true);
        moves.append(record);
        co_await m_cursor.performDrag(owner, plan.from, plan.to, gesture);
        if (!self) {
            co_return;
        }
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
        m_queuedTrigger.reset();
        m_reconcileInFlight = false;
        co_return;
    }
    // When the user was last found idle: input after it keeps the next drag waiting.
    MonotonicTime quietAt = m_platform.clock.now();

    m_rehideTask.cancel();
    // The always-hidden section stays tucked unless something in it has to move, which leaves
    // room on a crowded bar for the rest.
    const bool includingAlwaysHidden = alwaysHiddenNeedsArranging();
    revealForDragging(includingAlwaysHidden);
    const bool revealSettled =
        co_await waitForRevealToSettle(kRevealSettleSeconds, includingAlwaysHidden);
    if (!self) {
        co_return;
    }
    if (!revealSettled) {
        appendReconcileLog({{u"trigger"_s, trigger},
                            {u"aborted"_s, u"the reveal did not settle"_s},
                            {u"geometry"_s, m_separatorController->geometry()}});
        m_lastDriftReconcile = now();
        countFruitlessDrift(trigger, false);
        co_await sleep(0.35);
        if (!self) {
            co_return;
        }
        co_await setHiddenRevealed(false, false, u"reconcile aborted"_s, false);
        if (!self) {
            co_return;
        }
        m_cursor.endCursorSession(owner);
        m_reconcileInFlight = false;
        co_return;
    }

    co_await sleep(0.12);
    if (!self) {
        co_return;
    }
    DragPlanner::AttemptsLedger attempts;
    const int epochAtStart = m_orderEpoch;
    QHash<MenuBarItemID, bool> orderTook;
    QHash<MenuBarItemID, bool> laneTook;
    co_await refresh();
    if (!self) {
        co_return;
    }
    // Only for a run that goes on to drag, from the bar as the reveal shows it.
    const SortPlanRecord sortPlan = SortPlanRecord::build(m_lastItems, m_storedLayout);
    if (!sortPlan.line.value(u"lanes"_s).toArray().isEmpty()) {
        appendReconcileLog(sortPlan.line);
    }
    const std::optional<qsizetype> neededAtStart = dragsStillNeeded();

    QJsonArray moves;
    if (m_batchExecutionEnabled) {
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
                if (took) {
                    m_needsSlowGesture.remove(pending->id);
                } else {
                    m_needsSlowGesture.insert(pending->id);
                }
            }
        }
        pending.reset();

        const std::optional<BarGeometry> geometry = currentBarGeometry();
        if (!geometry) {
            ++passes;
            break;
        }
        const std::optional<DragPlan> plan = DragPlanner::planNextDrag(
            *geometry, m_storedLayout, DragPlanner::stubbornSet(m_stubbornOrder, m_unmovable),
            attempts);
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
        QJsonObject record = stepRecord(*plan);
        record.insert(u"gesture"_s, gestureName(gesture));
        moves.append(record);
        if (plan->track) {
            pending = Pending{*plan->track, plan->from.x(), plan->isOrderMove(), plan->isLaneMove(),
                              gesture == MoveCoordinator::Gesture::standard};
        }
        co_await m_cursor.performDrag(owner, plan->from, plan->to, gesture);
        if (!self) {
            co_return;
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
        const int strikes = it.value() ? 0 : m_stubbornOrder.value(it.key()) + 1;
        m_stubbornOrder.insert(it.key(), strikes);
        headway = headway || it.value() || strikes <= DragPlanner::stubbornRuns;
    }
    for (auto it = laneTook.cbegin(); it != laneTook.cend(); ++it) {
        if (it.value()) {
            m_laneFailed.remove(it.key());
            m_laneFailedRuns.remove(it.key());
            m_unmovable.remove(it.key());
            headway = true;
        } else {
            m_laneFailed.insert(it.key(), now());
            m_laneFailedRuns.insert(it.key(), m_laneFailedRuns.value(it.key()) + 1);
        }
    }
    bool settled = true;
    if (const std::optional<BarGeometry> geometry = currentBarGeometry()) {
        DragPlanner::AttemptsLedger unspent;
        settled = !DragPlanner::planNextDrag(*geometry, m_storedLayout,
                                             DragPlanner::stubbornSet(m_stubbornOrder, m_unmovable),
                                             unspent);
    }
    const bool closer = cameCloser(neededAtStart, settled, epochAtStart);
    const QJsonObject timing{{u"wallMs"_s, start.msecsTo(now())},
                             {u"cursorBorrowMs"_s, m_cursor.cursorBorrowedMicros() / 1000},
                             {u"drags"_s, moves.size()},
                             {u"dragDistancePx"_s, dragDistance(moves)},
                             {u"modeledSortMs"_s, sortPlan.modeledMicros / 1000}};
    const QJsonArray unreachable = unreachableItems();
    m_lastReconcile = reconcileRecord(trigger, passes, settled, timing, moves, abortReason);
    QJsonObject logLine{{u"trigger"_s, trigger},
                        {u"passes"_s, passes},
                        {u"settled"_s, settled},
                        {u"timing"_s, timing},
                        {u"moves"_s, moves}};
    if (abortReason) {
        logLine.insert(u"aborted"_s, *abortReason);
    }
    if (!unreachable.isEmpty()) {
        m_lastReconcile.insert(u"unreachable"_s, unreachable);
        logLine.insert(u"unreachable"_s, unreachable);
    }
    m_diagnostics.write(u"last-reconcile.json"_s, m_lastReconcile);
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
    m_unsettledRuns = settled || closer ? 0 : m_unsettledRuns + 1;
    // Items out of reach may still stand out of the wanted order, which then stays to be done.
    const bool orderReached =
        !barOrderDiffers(DragPlanner::stubbornSet(m_stubbornOrder, m_unmovable));
    if (settled && m_orderEpoch == epochAtStart && orderReached) {
        m_orderDirty = false;
    } else if (!settled && (closer || headway) && !driftGivenUp && m_reorderEnabled &&
               m_unsettledRuns < kFollowUpRunLimit && !m_queuedTrigger) {
        m_queuedTrigger = trigger;
    }
    m_reconcileInFlight = false;
    co_await sleep(0.25);
    if (!self) {
        co_return;
    }
    co_await refresh();
    if (!self) {
        co_return;
    }
    // A run admitted during the closing scan takes the queued trigger at its own end.
    if (m_queuedTrigger && !m_reconcileInFlight) {
        const QString queued = *std::exchange(m_queuedTrigger, std::nullopt);
        co_await admitReconcile(queued, m_reorderEnabled);
        if (!self) {
            co_return;
        }
    }
    m_cursor.endCursorSession(owner);
}

std::optional<qsizetype> ClassicEngine::dragsStillNeeded() const {
    const std::optional<BarGeometry> geometry = currentBarGeometry();
    return geometry ? std::optional(DragPlanner::dragsStillNeeded(*geometry, m_storedLayout))
                    : std::nullopt;
}

bool ClassicEngine::cameCloser(std::optional<qsizetype> neededAtStart, bool settled,
                               int epochAtStart) {
    const std::optional<qsizetype> neededAtEnd = dragsStillNeeded();
    if (settled || !neededAtStart || !neededAtEnd || m_orderEpoch != epochAtStart) {
        m_fewestStillNeeded.reset();
        return false;
    }
    // Against the fewest of the runs before it too, so runs that undo each other's work never
    // count as coming closer.
    qsizetype fewest = *neededAtStart;
    if (m_fewestStillNeeded && m_fewestStillNeeded->first == m_orderEpoch) {
        fewest = std::min(fewest, m_fewestStillNeeded->second);
    }
    m_fewestStillNeeded = std::pair(m_orderEpoch, std::min(fewest, *neededAtEnd));
    return *neededAtEnd < fewest;
}

QJsonObject ClassicEngine::reconcileRecord(const QString &trigger, int passes, bool settled,
                                           const QJsonObject &timing, const QJsonArray &moves,
                                           const std::optional<QString> &abortReason) const {
    QJsonArray items;
    for (const MenuBarItem &item : m_lastItems) {
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
    static const QString driftPrefix = u"drift:"_s;
    if (!trigger.startsWith(driftPrefix)) {
        return false;
    }
    const QString signature = trigger.mid(driftPrefix.size());
    if (fruitful) {
        m_fruitlessDrift.remove(signature);
        return false;
    }
    const int count = m_fruitlessDrift.value(signature) + 1;
    m_fruitlessDrift.insert(signature, count);
    if (count == kFruitlessDriftRuns) {
        appendReconcileLog(
            {{u"kind"_s, u"drift-given-up"_s},
             {u"items"_s, signature},
             {u"reason"_s,
              u"3 runs could not settle them; waiting for an app, display or layout change"_s}});
    }
    return count >= kFruitlessDriftRuns;
}

} // namespace zorv
