#include "sleeper.h"

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

} // namespace zorv
