#include "dropcaret.h"

#include "clock.h"

namespace zorv {

DropCaret::DropCaret(ClockSource clock, QObject *parent)
    : QObject(parent), m_clock(std::move(clock)) {}

DropCaret::~DropCaret() {
    m_fade.cancel();
}

void DropCaret::touch(std::optional<int> place) {
    m_fade.cancel();
    if (place != m_place) {
        m_place = place;
        Q_EMIT changed();
    }
    if (place) {
        m_fade = CancellationSource();
        fadeLater(this, m_fade.token());
    }
}

QCoro::Task<> DropCaret::fadeLater(QPointer<DropCaret> self, CancellationToken token) {
    Clock *clock = self->m_clock();
    if (!clock) {
        co_return;
    }
    const SleepOutcome outcome = co_await clock->sleep(seconds(fadeSeconds), token);
    if (outcome == SleepOutcome::Cancelled || !self) {
        co_return;
    }
    self->m_place.reset();
    Q_EMIT self->changed();
}

} // namespace zorv
