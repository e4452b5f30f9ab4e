#pragma once

#include <QtGlobal>

namespace zorv {

// The activations asked for and not yet ended. They take turns in the order asked: two clicks at
// once press one item and release over the other, and neither item gets a click. While any is
// outstanding the bar stays as its reads found it: a run gives way before its next drag, and a
// tuck asked meanwhile is held until the last one has ended, so that an item found in sight is
// clicked there. The activation whose turn it is may let the run make one more drag first, when
// its item stands out of sight only while the run moves things. Main thread only.
class ActivationTurns {
public:
    // A new activation: its turn number.
    [[nodiscard]] quint64 ask() { return m_asked++; }
    [[nodiscard]] bool isTurn(quint64 turn) const { return m_done == turn; }
    // The activation with this turn ended, whether or not it opened its item.
    void end(quint64 turn);
    [[nodiscard]] bool outstanding() const { return m_done != m_asked; }

    // Whether a run in flight gives way at its pause: activations are outstanding and none lets
    // it drag.
    [[nodiscard]] bool holdRun() const { return outstanding() && !m_runMayDrag; }
    // The activation whose turn it is lets the run make its next drag.
    void letRunDrag() { m_runMayDrag = true; }
    // The run made that drag: at its next pause it gives way again.
    void runDragged() { m_runMayDrag = false; }
    [[nodiscard]] bool runMayDrag() const { return m_runMayDrag; }
    // Whether the run waits at its pause for the activations.
    void setRunGivingWay(bool givingWay) { m_runGivingWay = givingWay; }
    [[nodiscard]] bool runGivingWay() const { return m_runGivingWay; }

    // Holds a tuck asked while activations are outstanding.
    void deferTuck() { m_deferredTuck = true; }
    // A reveal since: the tuck is no longer held.
    void dropDeferredTuck() { m_deferredTuck = false; }
    // Whether a tuck was held, once no activation is outstanding; it is then no longer held.
    [[nodiscard]] bool takeDeferredTuck();

private:
    quint64 m_asked = 0;
    quint64 m_done = 0;
    bool m_runMayDrag = false;
    bool m_runGivingWay = false;
    bool m_deferredTuck = false;
};

} // namespace zorv
