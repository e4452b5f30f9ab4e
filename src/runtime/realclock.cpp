#include "realclock.h"

#include "mainthread.h"
#include "sleeper.h"

#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <vector>

namespace zorv {

namespace {

// Qt timers count whole milliseconds: round up so that a sleep never ends early.
std::chrono::milliseconds timerInterval(Duration duration) {
    if (duration <= Duration::zero()) {
        return std::chrono::milliseconds(0);
    }
    return std::chrono::ceil<std::chrono::milliseconds>(duration);
}

// QTimer::start() narrows its interval to an int of milliseconds (about 24.8 days), which would
// end a longer sleep early or never: such a sleep runs as a chain of timers of at most this long.
constexpr std::chrono::milliseconds kLongestTimer(std::numeric_limits<int>::max());

// The next timer interval of a sleep with `left` still to go; `left` keeps the rest.
std::chrono::milliseconds takeChunk(std::chrono::milliseconds &left) {
    const std::chrono::milliseconds chunk = std::min(left, kLongestTimer);
    left -= chunk;
    return chunk;
}

// The timer of one sleep, which knows its sleeper so that a clock going away can end the sleep.
class SleepTimer final : public QTimer {
public:
    SleepTimer(std::shared_ptr<Sleeper> sleeper, QObject *parent)
        : QTimer(parent), sleeper(std::move(sleeper)) {}

    const std::shared_ptr<Sleeper> sleeper;
};

void arm(QObject *timers, const std::shared_ptr<Sleeper> &sleeper, Duration duration) {
    auto *timer = new SleepTimer(sleeper, timers);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    std::chrono::milliseconds left = timerInterval(duration);
    const std::chrono::milliseconds first = takeChunk(left);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, sleeper, left]() mutable {
        if (left > std::chrono::milliseconds::zero()) {
            timer->start(takeChunk(left));
            return;
        }
        if (!sleeper->claim(SleepOutcome::Elapsed)) {
            return; // cancelled meanwhile; the cancellation resumes it
        }
        timer->deleteLater();
        sleeper->resume();
    });
    // However the timer goes (fired, cancelled, or taken along by the clock), the token must not
    // keep the sleeper alive.
    QObject::connect(timer, &QObject::destroyed, [sleeper] { sleeper->stopWatching(); });
    // The callback may run on any thread: it touches the timer only from the main thread.
    QPointer<QTimer> guard(timer);
    sleeper->watchCancellation([guard, sleeper] {
        if (!sleeper->claim(SleepOutcome::Cancelled)) {
            return;
        }
        postToMainThread([guard, sleeper] {
            if (!guard) {
                return; // the clock is gone: abandon the sleeper
            }
            delete guard.data();
            sleeper->resume();
        });
    });
    timer->start(first);
}

} // namespace

RealClock::RealClock() : m_timers(std::make_unique<QObject>()) {
    m_elapsed.start();
}

RealClock::~RealClock() {
    // Every sleep still pending ends, cancelled, so that its coroutine frame is not left behind.
    std::vector<std::shared_ptr<Sleeper>> pending;
    for (QObject *child : m_timers->children()) {
        if (auto *timer = dynamic_cast<SleepTimer *>(child)) {
            timer->sleeper->claim(SleepOutcome::Cancelled);
            pending.push_back(timer->sleeper);
        }
    }
    m_timers.reset();
    for (const auto &sleeper : pending) {
        sleeper->resume();
    }
}

MonotonicTime RealClock::now() const {
    return MonotonicTime(m_elapsed.nsecsElapsed());
}

QDateTime RealClock::wallNow() const {
    return QDateTime::currentDateTimeUtc();
}

QCoro::Task<SleepOutcome> RealClock::sleep(Duration duration, CancellationToken cancellation) {
    Q_ASSERT_X(isMainThread(), "RealClock::sleep", "main thread only");
    QPointer<QObject> timers(m_timers.get());
    SleepAwaiter::Arm armTimer = [timers, duration](const std::shared_ptr<Sleeper> &sleeper) {
        if (timers) {
            arm(timers, sleeper, duration);
        }
    };
    // A named awaiter: GCC 12 destroys some temporaries of a co_await operand twice.
    SleepAwaiter awaiter(std::make_shared<Sleeper>(std::move(cancellation)), std::move(armTimer));
    co_return co_await awaiter;
}

SleepOutcome RealClock::blockingSleep(Duration duration, CancellationToken cancellation) {
    struct Wake {
        std::mutex mutex;
        std::condition_variable cancelled;
        bool isCancelled = false;
    };
    // Shared with the token's callback, which may run on another thread as this sleep ends.
    const auto wake = std::make_shared<Wake>();
    const quint64 watch = cancellation.onCancel([wake] {
        {
            const std::lock_guard lock(wake->mutex);
            wake->isCancelled = true;
        }
        wake->cancelled.notify_all();
    });
    std::unique_lock lock(wake->mutex);
    if (duration > Duration::zero()) {
        // A century stands for "forever": a duration near Duration::max() overflows the time point.
        const auto deadline = std::chrono::steady_clock::now() +
                              std::min<Duration>(duration, std::chrono::hours(24 * 365 * 100));
        wake->cancelled.wait_until(lock, deadline, [&] { return wake->isCancelled; });
    }
    const bool cancelled = wake->isCancelled;
    lock.unlock();
    cancellation.removeCallback(watch);
    return cancelled ? SleepOutcome::Cancelled : SleepOutcome::Elapsed;
}

} // namespace zorv
