#include "manualclock.h"

#include "mainthread.h"
#include "manualclockstate.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
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

// Marks advance() and settle() as in charge of time for their duration.
class Driving {
public:
    explicit Driving(int &depth) : m_depth(depth) { ++m_depth; }
    ~Driving() { --m_depth; }
    Driving(const Driving &) = delete;
    Driving &operator=(const Driving &) = delete;

private:
    int &m_depth;
};

} // namespace

ManualClock::ManualClock(QDateTime wallStart, QObject *parent)
    : QObject(parent), m_state(std::make_shared<ManualClockState>()),
      m_wallStart(wallStart.toUTC()) {
    Q_ASSERT_X(isMainThread(), "ManualClock", "create the clock on the main thread");
    QCoreApplication::instance()->installEventFilter(this);
}

ManualClock::~ManualClock() {
    m_state->abandonAll();
}

MonotonicTime ManualClock::now() const {
    return m_state->now();
}

QDateTime ManualClock::wallNow() const {
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now());
    return m_wallStart.addMSecs(elapsed.count());
}

QCoro::Task<SleepOutcome> ManualClock::sleep(Duration duration, CancellationToken cancellation) {
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

void ManualClock::blockingSleep(Duration duration) {
    m_state->moveForward(duration);
}

void ManualClock::advance(Duration duration) {
    Q_ASSERT_X(isMainThread(), "ManualClock::advance", "main thread only");
    Driving driving(m_driving);
    const MonotonicTime target = deadlineAfter(now(), duration);
    settle();
    wake(target);
    m_state->moveTo(target);
}

void ManualClock::wake(MonotonicTime until) {
    while (auto sleeper = m_state->takeEarliestDue(until)) {
        sleeper->stopWatching();
        sleeper->resume();
        settle();
    }
}

void ManualClock::settle() {
    Q_ASSERT_X(isMainThread(), "ManualClock::settle", "main thread only");
    Driving driving(m_driving);
    for (int pass = 0; pass < kSettlePasses; ++pass) {
        const quint64 before = m_delivered;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (m_delivered == before) {
            return;
        }
    }
    qWarning() << "ManualClock::settle: the event loop is still busy after" << kSettlePasses
               << "passes";
}

void ManualClock::setFastForward(bool enabled) {
    Q_ASSERT_X(isMainThread(), "ManualClock::setFastForward", "main thread only");
    if (enabled == m_fastForward) {
        return;
    }
    m_fastForward = enabled;
    if (!enabled) {
        disconnect(m_aboutToBlock);
        return;
    }
    auto *dispatcher = QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread());
    Q_ASSERT_X(dispatcher, "ManualClock::setFastForward", "the main thread has no event loop");
    m_aboutToBlock = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                             &ManualClock::onAboutToBlock);
}

int ManualClock::sleeperCount() const {
    return m_state->sleeperCount();
}

MonotonicTime ManualClock::nextDeadline() const {
    return m_state->nextDeadline();
}

// Some dispatchers announce aboutToBlock before every pass, even with events pending, so the
// signal alone does not mean idle. Instead it posts a low-priority probe; when the probe arrives
// and nothing else was delivered since it was posted, the loop had nothing else to do.
void ManualClock::onAboutToBlock() {
    if (!m_fastForward || m_probePending || m_driving > 0 || m_state->sleeperCount() == 0) {
        return;
    }
    m_probePending = true;
    m_deliveredAtProbe = m_delivered;
    QCoreApplication::postEvent(this, new QEvent(idleProbeType()), Qt::LowEventPriority);
}

bool ManualClock::event(QEvent *event) {
    if (event->type() != idleProbeType()) {
        return QObject::event(event);
    }
    m_probePending = false;
    if (m_fastForward && m_driving == 0 && m_delivered == m_deliveredAtProbe) {
        if (auto sleeper = m_state->takeEarliestDue(MonotonicTime::max())) {
            sleeper->stopWatching();
            sleeper->resume();
        }
    }
    return true;
}

bool ManualClock::eventFilter(QObject *watched, QEvent *event) {
    // Every clock's probes are left out, or two fast-forwarding clocks would keep each other busy.
    if (event->type() != idleProbeType()) {
        ++m_delivered;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zorv
