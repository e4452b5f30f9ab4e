#include "namebubble.h"

#include "clock.h"

namespace zorv {

NameBubble::NameBubble(ClockSource clock, QObject *parent)
    : QObject(parent), m_clock(std::move(clock)) {}

NameBubble::~NameBubble() {
    m_wait.cancel();
}

void NameBubble::setHover(const QString &key, bool inside) {
    m_wait.cancel();
    if (inside && !key.isEmpty()) {
        m_wait = CancellationSource();
        showLater(this, key, m_wait.token());
        return;
    }
    if (key.isEmpty() || m_chip == key) {
        show(std::nullopt);
    }
}

QCoro::Task<> NameBubble::showLater(QPointer<NameBubble> self, QString key,
                                    CancellationToken token) {
    Clock *clock = self->m_clock();
    if (!clock) {
        co_return;
    }
    const SleepOutcome outcome = co_await clock->sleep(seconds(waitSeconds), token);
    if (outcome == SleepOutcome::Cancelled || !self) {
        co_return;
    }
    self->show(key);
}

void NameBubble::show(std::optional<QString> key) {
    if (key != m_chip) {
        m_chip = std::move(key);
        Q_EMIT changed();
    }
}

} // namespace zorv
