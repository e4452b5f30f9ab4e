#include "activationturns.h"

#include <utility>

namespace zorv {

void ActivationTurns::end(quint64 turn) {
    // Turns end in order, each once.
    if (turn == m_done && m_done != m_asked) {
        ++m_done;
        // The next activation holds the run again.
        m_runMayDrag = false;
    }
}

bool ActivationTurns::takeDeferredTuck() {
    return !outstanding() && std::exchange(m_deferredTuck, false);
}

} // namespace zorv
