#include "activationturns.h"

#include <utility>

namespace zorv {

void ActivationTurns::end(quint64 turn) {
    // Turns end in order, each once.
    if (turn == m_done && m_done != m_asked) {
        ++m_done;
    }
}

std::optional<QString> ActivationTurns::takeDeferredTuck() {
    return outstanding() ? std::nullopt : std::exchange(m_deferredTuck, std::nullopt);
}

} // namespace zorv
