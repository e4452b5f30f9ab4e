// The steps a reconcile run is made of: reading the bar's geometry, revealing for the drags,
// giving the cursor back, judging a drag's outcome, a batch of drags, and the records and ledgers
// a run keeps.

#include "classicengine.h"

#include "reconcile/dragplanner.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr double kIdleQuietSeconds = 1.5;
constexpr double kTookThreshold = 6.0;
// How often a bar is looked at while a drag's outcome waits for it to lay out again.
constexpr double kDragSettleStep = 0.25;
constexpr int kBatchPlanLimit = 40;
// The longest a run gives way to activations at one pause, and how often it looks.
constexpr double kActivationWaitSeconds = 20.0;
constexpr double kActivationWaitStep = 0.05;

// The left edge of the item's button window; -1 without a button or window.
double leftEdgeOf(StatusItem &item) {
    const StatusItemButton *button = item.button();
    const std::optional<StatusItemWindow> window =
        button ? button->window() : std::optional<StatusItemWindow>();
    return window ? window->frame.left() : -1.0;
}

} // namespace

QJsonObject ClassicEngine::stepRecord(const DragPlan &plan,
                                      const MoveCoordinator::Gesture &gesture) {
    const bool standard = gesture == MoveCoordinator::Gesture::standard;
    return {{u"what"_s, plan.label},
            {u"fromX"_s, plan.from.x()},
            {u"toX"_s, plan.to.x()},
            {u"gesture"_s, standard ? u"standard"_s : u"commandKey"_s}};
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

QCoro::Task<bool> ClassicEngine::giveWayToActivations(BorrowedCursor::Owner owner) {
    if (!m_activations.holdRun()) {
        co_return false;
    }
    QPointer<ClassicEngine> self(this);
    m_cursor.endCursorSession(owner);
    m_activations.setRunGivingWay(true);
    std::function<bool()> held = [this] { return m_activations.holdRun(); };
    co_await waitWhile(std::move(held), kActivationWaitSeconds, kActivationWaitStep);
    if (self) {
        m_activations.setRunGivingWay(false);
    }
    co_return true;
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
        // An activation goes first, and the user took the mouse or keyboard since the run found
        // them idle: either way the plans are stale, and the run goes on from a fresh reading.
        // So too when a menu is open, which the next drag would close.
        if (m_activations.holdRun() || m_openMenus.anyOpen()) {
            co_return;
        }
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
        m_activations.runDragged();
        if (!posted) {
            co_await handBackToTheUser(owner, quietAt);
            co_return;
        }
        m_wanted.ownDragPosted(plan.track);
        QJsonObject record = stepRecord(plan, gesture);
        record.insert(u"batch"_s, true);
        moves.append(record);
        if (m_cursor.keyPressedDuringSession()) {
            co_await handBackToTheUser(owner, quietAt);
            co_return;
        }
    }
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
