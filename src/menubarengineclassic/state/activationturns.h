#pragma once

#include <QString>

#include <optional>

namespace zorv {

// The activations asked for and not yet ended. They take turns in the order asked: two clicks at
// once press one item and release over the other, and neither item gets a click. While any is
// outstanding the bar stays as its reads found it: a run gives way before its next drag, and a
// tuck asked meanwhile waits until the last one has ended, so that an item found in sight is
// clicked there. Main thread only.
class ActivationTurns {
public:
    // A new activation: its turn number.
    [[nodiscard]] quint64 ask() { return m_asked++; }
    [[nodiscard]] bool isTurn(quint64 turn) const { return m_done == turn; }
    // The activation with this turn ended, whether or not it opened its item.
    void end(quint64 turn);
    [[nodiscard]] bool outstanding() const { return m_done != m_asked; }

    // Keeps a tuck asked while activations are outstanding; the latest reason stands.
    void deferTuck(const QString &reason) { m_deferredTuck = reason; }
    // A reveal since: the tuck no longer waits.
    void dropDeferredTuck() { m_deferredTuck.reset(); }
    // The reason of the tuck that waited, once no activation is outstanding.
    [[nodiscard]] std::optional<QString> takeDeferredTuck();

private:
    quint64 m_asked = 0;
    quint64 m_done = 0;
    std::optional<QString> m_deferredTuck;
};

} // namespace zorv
