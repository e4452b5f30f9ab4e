#pragma once

#include "application.h"
#include "cancellation.h"
#include "clock.h"
#include "model/desktopstate.h"
#include "model/modeleffects.h"

#include <QCoroTask>
#include <QMutex>
#include <QObject>

#include <type_traits>
#include <utility>

namespace zorv {

// The simulated Mac's one consistent state (DesktopState) behind one lock, with the menu bar's
// layout passes and the notifications that changes cause.
//
// Every part of the simulator, the platform implementations and the script classes alike, reads
// with read() and changes with write(): the function runs under the lock and, for write(), lists
// in ModelEffects what the change asks for. Once the lock is released the model schedules the
// layout pass and emits the signals, always on the main thread: a change made on a worker thread
// (a posted event) has its effects queued to the main thread. Any thread may call read() and
// write(); never call them from inside each other.
//
// Layout pass: changes to lengths, items, order or screens take effect on the bars only when the
// pass runs, `layoutPassDelay` of simulated time after the first change that asked for it
// (coalescing everything asked meanwhile). With a delay of 0 the pass runs at the next turn of the
// event loop, so a freshly created item has no window until then.
class DesktopModel : public QObject {
    Q_OBJECT

public:
    explicit DesktopModel(Clock &clock, QObject *parent = nullptr);
    ~DesktopModel() override;

    [[nodiscard]] Clock &clock() const { return m_clock; }

    // Runs the layout pass at once (main thread), taking in any pass already asked for.
    void layOutNow();

    // The event this process is handling (main thread): set while the signals of a delivered
    // click, hot key or key press run, and while a menu row's action runs.
    [[nodiscard]] const std::optional<AppEvent> &currentEvent() const { return m_currentEvent; }
    template <typename Fn> void handleEvent(const AppEvent &event, Fn &&fn) {
        const std::optional<AppEvent> outer = std::exchange(m_currentEvent, event);
        std::forward<Fn>(fn)();
        m_currentEvent = outer;
    }

    template <typename Fn> decltype(auto) read(Fn &&fn) const {
        QMutexLocker lock(&m_mutex);
        return std::forward<Fn>(fn)(std::as_const(m_state));
    }

    template <typename Fn> decltype(auto) write(Fn &&fn) {
        ModelEffects effects;
        using Result = std::invoke_result_t<Fn, DesktopState &, ModelEffects &>;
        if constexpr (std::is_void_v<Result>) {
            {
                QMutexLocker lock(&m_mutex);
                std::forward<Fn>(fn)(m_state, effects);
            }
            apply(std::move(effects));
        } else {
            Result result = [&] {
                QMutexLocker lock(&m_mutex);
                return std::forward<Fn>(fn)(m_state, effects);
            }();
            apply(std::move(effects));
            return result;
        }
    }

Q_SIGNALS:
    // Something on the bars changed: a layout pass ran, the frontmost application changed, an
    // auto-hidden bar came in or left.
    void barChanged();
    void screensChanged();
    void applicationLaunched(const zorv::AppRecord &application);
    void applicationTerminated(const zorv::AppRecord &application);
    void applicationActivated(const zorv::AppRecord &application);
    void clickDelivered(const zorv::DeliveredClick &click);
    void hotKeyPressed(zorv::HotKeyID id);
    // A key event this process received as the frontmost application.
    void keyReceived(const zorv::KeyEvent &event);

private:
    void apply(ModelEffects effects);
    void applyOnMainThread(const ModelEffects &effects);
    void scheduleLayoutPass();
    QCoro::Task<> layoutPassAfterDelay(std::chrono::nanoseconds delay);
    QCoro::Task<> barChangeAfterDelay(std::chrono::nanoseconds delay);
    void performLayoutPass();

    Clock &m_clock;
    mutable QMutex m_mutex;
    DesktopState m_state;
    // Main thread only.
    bool m_passScheduled = false;
    // Counts the passes run, so a scheduled pass that one run sooner took in is dropped.
    quint64 m_passesRun = 0;
    std::optional<AppEvent> m_currentEvent;
    CancellationSource m_lifetime;
};

} // namespace zorv
