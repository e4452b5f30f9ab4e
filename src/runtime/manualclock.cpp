#include "manualclock.h"

#include "mainthread.h"
#include "manualclockstate.h"
#include "networkrequests.h"
#include "realclock.h"
#include "stuckthreadwatch.h"
#include "workerjobs.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QtDebug>

namespace zorv {

namespace {

// Enough for any chain of zero-length sleeps or queued calls a test builds; a loop that is still
// busy after this many passes is spinning on its own (a repeating zero-interval timer).
constexpr int kSettlePasses = 100000;

QEvent::Type idleProbeType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

// Marks advance() and settle() as in charge of time for their duration. Holds the state, which
// outlives a clock destroyed meanwhile.
class Driving {
public:
    explicit Driving(std::shared_ptr<ManualClockState> state) : m_state(std::move(state)) {
        m_state->beginDriving();
    }
    ~Driving() { m_state->endDriving(); }
    Driving(const Driving &) = delete;
    Driving &operator=(const Driving &) = delete;

private:
    std::shared_ptr<ManualClockState> m_state;
};

} // namespace

ManualClock::ManualClock(QDateTime wallStart, QObject *parent)
    : QObject(parent),
      m_state(std::make_shared<ManualClockState>(StuckThreadWatch::currentSystemThreadId())),
      m_realTime(std::make_unique<RealClock>()), m_wallStart(wallStart.toUTC()) {
    Q_ASSERT_X(isMainThread(), "ManualClock", "create the clock on the main thread");
    QCoreApplication::instance()->installEventFilter(this);
    auto *dispatcher = QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread());
    Q_ASSERT_X(dispatcher, "ManualClock", "the main thread has no event loop");
    m_aboutToBlock = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                             &ManualClock::onAboutToBlock);
    m_awake = connect(dispatcher, &QAbstractEventDispatcher::awake, this,
                      [state = m_state.get()] { state->mainThreadPassed(); });
}

ManualClock::~ManualClock() {
    disconnect(m_aboutToBlock);
    disconnect(m_awake);
    const std::shared_ptr<ManualClockState> state = m_state;
    for (const auto &sleeper : state->close()) {
        sleeper->resume();
    }
}

MonotonicTime ManualClock::now() const {
    return m_state->now();
}

QDateTime ManualClock::wallNow() const {
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now());
    return m_wallStart.addMSecs(elapsed.count());
}

void ManualClock::setWallTime(const QDateTime &time) {
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now());
    m_wallStart = time.toUTC().addMSecs(-elapsed.count());
}

QCoro::Task<SleepOutcome> ManualClock::sleep(Duration duration, CancellationToken cancellation) {
    Q_ASSERT_X(isMainThread(), "ManualClock::sleep", "main thread only");
    std::weak_ptr<ManualClockState> state = m_state;
    SleepAwaiter::Arm arm = [state, duration](const std::shared_ptr<Sleeper> &sleeper) {
        if (auto locked = state.lock()) {
            locked->arm(sleeper, duration);
        }
    };
    // A named awaiter: GCC 12 destroys some temporaries of a co_await operand twice.
    SleepAwaiter awaiter(std::make_shared<Sleeper>(std::move(cancellation)), std::move(arm));
    co_return co_await awaiter;
}

SleepOutcome ManualClock::blockingSleep(Duration duration, CancellationToken cancellation) {
    if (cancellation.isCancelled()) {
        return SleepOutcome::Cancelled;
    }
    if (isMainThread()) {
        const MonotonicTime before = m_state->now();
        m_state->moveForward(duration);
        announceMove(before);
        return SleepOutcome::Elapsed;
    }
    // Held for the whole sleep: the clock may be destroyed meanwhile, which ends it.
    const std::shared_ptr<ManualClockState> state = m_state;
    return state->sleepOnWorker(duration, std::move(cancellation));
}

QCoro::Task<SleepOutcome> ManualClock::sleepForNetwork(Duration limit,
                                                       CancellationToken cancellation) {
    Q_ASSERT_X(isMainThread(), "ManualClock::sleepForNetwork", "main thread only");
    return m_fastForward ? m_realTime->sleep(limit, std::move(cancellation))
                         : sleep(limit, std::move(cancellation));
}

void ManualClock::advance(Duration duration) {
    Q_ASSERT_X(isMainThread(), "ManualClock::advance", "main thread only");
    const std::shared_ptr<ManualClockState> state = m_state;
    const Driving driving(state);
    const QPointer<ManualClock> self(this);
    const MonotonicTime target = deadlineAfter(state->now(), duration);
    for (;;) {
        settle();
        if (!self) {
            return;
        }
        // A job that ended has posted its result: deliver it before time moves on.
        const bool waited = awaitJobs();
        if (!self) {
            return;
        }
        if (waited) {
            continue;
        }
        const MonotonicTime before = state->now();
        const ManualClockState::Step step = state->step(target);
        announceMove(before);
        if (!self) {
            return;
        }
        if (step.sleeper) {
            step.sleeper->resume();
            if (!self) {
                return;
            }
        } else if (step.releasedWorkers == 0) {
            break;
        }
    }
    const MonotonicTime before = state->now();
    state->moveTo(target);
    announceMove(before);
}

void ManualClock::announceMove(MonotonicTime before) {
    if (m_state->now() > before) {
        Q_EMIT moved();
    }
}

bool ManualClock::awaitJobs() {
    const QPointer<ManualClock> self(this);
    bool waited = false;
    while (WorkerJobs::busy() > 0) {
        waited = true;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!self) {
            break;
        }
    }
    return waited;
}

void ManualClock::settle() {
    Q_ASSERT_X(isMainThread(), "ManualClock::settle", "main thread only");
    const Driving driving(m_state);
    const QPointer<ManualClock> self(this);
    for (int pass = 0; pass < kSettlePasses; ++pass) {
        const quint64 before = m_delivered;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!self || m_delivered == before) {
            return;
        }
    }
    qWarning() << "ManualClock::settle: the event loop is still busy after" << kSettlePasses
               << "passes";
}

void ManualClock::setFastForward(bool enabled) {
    Q_ASSERT_X(isMainThread(), "ManualClock::setFastForward", "main thread only");
    m_fastForward = enabled;
}

int ManualClock::sleeperCount() const {
    return m_state->sleeperCount();
}

MonotonicTime ManualClock::nextDeadline() const {
    return m_state->nextDeadline();
}

// Some dispatchers announce aboutToBlock before every pass, even with events pending, so the
// signal alone does not mean idle. Instead it posts a low-priority probe; when the probe arrives
// and nothing else was delivered since it was posted, the loop had nothing else to do. A worker
// may have posted an event just before it went to sleep, which Qt can queue behind a probe posted
// earlier: so once every job waits, a second probe confirms that nothing they posted is pending.
void ManualClock::onAboutToBlock() {
    m_state->mainThreadPassed();
    if (m_probeRound != 0 || m_state->isDriven()) {
        return;
    }
    if (holdsForNetwork()) {
        // The request's end runs the loop again, which probes then.
        return;
    }
    const bool mainSleepers = m_fastForward && m_state->sleeperCount() > 0;
    if (!mainSleepers && m_state->workerSleepCount() == 0) {
        return;
    }
    m_probeRound = 1;
    m_deliveredAtProbe = m_delivered;
    QCoreApplication::postEvent(this, new QEvent(idleProbeType()), Qt::LowEventPriority);
}

bool ManualClock::event(QEvent *event) {
    if (event->type() != idleProbeType()) {
        return QObject::event(event);
    }
    const int round = std::exchange(m_probeRound, 0);
    const bool idle = !m_state->isDriven() && m_delivered == m_deliveredAtProbe &&
                      WorkerJobs::busy() <= 0 && !holdsForNetwork();
    if (!idle) {
        return true;
    }
    if (round == 1) {
        m_probeRound = 2;
        m_jobChangesAtProbe = WorkerJobs::changes();
        QCoreApplication::postEvent(this, new QEvent(idleProbeType()), Qt::LowEventPriority);
    } else if (WorkerJobs::changes() == m_jobChangesAtProbe) {
        stepWhenIdle();
    }
    return true;
}

bool ManualClock::holdsForNetwork() const {
    return m_fastForward && NetworkRequests::outstanding() > 0;
}

void ManualClock::stepWhenIdle() {
    const MonotonicTime until =
        m_fastForward ? MonotonicTime::max() : m_state->nextWorkerDeadline();
    const MonotonicTime before = m_state->now();
    const ManualClockState::Step step = m_state->step(until);
    const QPointer<ManualClock> self(this);
    announceMove(before);
    if (self && step.sleeper) {
        step.sleeper->resume();
    }
}

bool ManualClock::eventFilter(QObject *watched, QEvent *event) {
    // Every clock's probes are left out, or two fast-forwarding clocks would keep each other busy.
    if (event->type() != idleProbeType()) {
        ++m_delivered;
        m_state->mainThreadPassed();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zorv
