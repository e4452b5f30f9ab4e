#include "sleeper.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace zorv {

Sleeper::Sleeper(CancellationToken cancellation) : m_cancellation(std::move(cancellation)) {}

bool Sleeper::claim(SleepOutcome outcome) {
    if (m_claimed.exchange(true)) {
        return false;
    }
    m_outcome = outcome;
    return true;
}

SleepOutcome Sleeper::outcome() const {
    return m_outcome;
}

void Sleeper::watchCancellation(std::function<void()> onCancelled) {
    m_callbackId = m_cancellation.onCancel(std::move(onCancelled));
}

void Sleeper::stopWatching() {
    m_cancellation.removeCallback(m_callbackId.exchange(0));
}

void postToMainThread(std::function<void()> call) {
    auto *app = QCoreApplication::instance();
    Q_ASSERT_X(app, "postToMainThread", "the runtime needs a QCoreApplication");
    QMetaObject::invokeMethod(app, std::move(call), Qt::QueuedConnection);
}

} // namespace zorv
