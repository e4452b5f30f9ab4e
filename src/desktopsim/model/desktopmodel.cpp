#include "model/desktopmodel.h"

#include "layout/barlayout.h"
#include "mainthread.h"

#include <QPointer>
#include <QThread>

namespace zorv {

DesktopModel::DesktopModel(Clock &clock, QObject *parent) : QObject(parent), m_clock(clock) {
    // The machine has been idle for an hour when the simulation starts.
    const auto idleSince = clock.now() - std::chrono::hours(1);
    m_state.input.lastEventAt.fill(idleSince);
}

DesktopModel::~DesktopModel() {
    m_lifetime.cancel();
}

void DesktopModel::apply(ModelEffects effects) {
    // Most writes from a worker (an accessibility call's time-out, say) ask for nothing: waking
    // the main thread for each of them would cost more than the call.
    if (effects.isEmpty()) {
        return;
    }
    if (QThread::currentThread() == thread()) {
        applyOnMainThread(effects);
        return;
    }
    postToMainThread([model = QPointer<DesktopModel>(this), effects = std::move(effects)] {
        if (model) {
            model->applyOnMainThread(effects);
        }
    });
}

void DesktopModel::applyOnMainThread(const ModelEffects &effects) {
    if (effects.layoutPass) {
        scheduleLayoutPass();
    }
    if (effects.screensChanged) {
        Q_EMIT screensChanged();
    }
    for (const AppRecord &app : effects.launched) {
        Q_EMIT applicationLaunched(app);
    }
    for (const AppRecord &app : effects.terminated) {
        Q_EMIT applicationTerminated(app);
    }
    for (const AppRecord &app : effects.activated) {
        Q_EMIT applicationActivated(app);
    }
    for (const DeliveredClick &click : effects.clicks) {
        const EventType up =
            click.button == MouseButton::Right ? EventType::RightMouseUp : EventType::LeftMouseUp;
        handleEvent(AppEvent{up, click.modifierFlags}, [&] { Q_EMIT clickDelivered(click); });
    }
    for (const HotKeyID &id : effects.hotKeyPresses) {
        handleEvent(AppEvent{EventType::KeyDown, EventFlags::none},
                    [&] { Q_EMIT hotKeyPressed(id); });
    }
    for (const KeyEvent &key : effects.keysForCurrentProcess) {
        handleEvent(AppEvent{key.keyDown ? EventType::KeyDown : EventType::KeyUp, key.flags},
                    [&] { Q_EMIT keyReceived(key); });
    }
    if (effects.barChanged) {
        Q_EMIT barChanged();
    }
    if (effects.barChangeAfter) {
        barChangeAfterDelay(*effects.barChangeAfter);
    }
}

void DesktopModel::scheduleLayoutPass() {
    if (m_passScheduled) {
        return;
    }
    m_passScheduled = true;
    layoutPassAfterDelay(read([](const DesktopState &state) { return state.layoutPassDelay; }));
}

void DesktopModel::layOutNow() {
    performLayoutPass();
}

QCoro::Task<> DesktopModel::layoutPassAfterDelay(std::chrono::nanoseconds delay) {
    QPointer<DesktopModel> self(this);
    const quint64 passesBefore = m_passesRun;
    const SleepOutcome outcome = co_await m_clock.sleep(delay, m_lifetime.token());
    if (outcome == SleepOutcome::Cancelled || !self || m_passesRun != passesBefore) {
        co_return;
    }
    performLayoutPass();
}

QCoro::Task<> DesktopModel::barChangeAfterDelay(std::chrono::nanoseconds delay) {
    QPointer<DesktopModel> self(this);
    const SleepOutcome outcome = co_await m_clock.sleep(delay, m_lifetime.token());
    if (outcome == SleepOutcome::Cancelled || !self) {
        co_return;
    }
    Q_EMIT barChanged();
}

void DesktopModel::performLayoutPass() {
    m_passScheduled = false;
    ++m_passesRun;
    write([](DesktopState &state, ModelEffects &effects) {
        for (auto &[id, item] : state.items) {
            item.seated = true;
        }
        state.bars = BarLayout::compute(state);
        effects.barChanged = true;
    });
}

} // namespace zorv
