#include "revealstate.h"

namespace zorv {

RevealState::RevealState(QDateTime constructedAt, bool placeInReach)
    : m_lastRevealChange(std::move(constructedAt)), m_placeInReach(placeInReach) {}

void RevealState::setRevealed(bool revealed, bool includingAlwaysHidden, bool holdOpen,
                              const QDateTime &at) {
    m_isRevealed = revealed;
    m_revealHeldOpen = revealed && holdOpen;
    m_lastRevealChange = at;
    m_lastIncludingAlwaysHidden = includingAlwaysHidden;
}

bool RevealState::beginLaunchTuck() {
    if (m_launchTuck != LaunchTuck::pending) {
        return false;
    }
    m_launchTuck = LaunchTuck::running;
    return true;
}

void RevealState::finishLaunchTuck() {
    m_launchTuck = LaunchTuck::done;
    m_isRevealed = false;
}

bool RevealState::takePlaceInReach() {
    return std::exchange(m_placeInReach, false);
}

bool RevealState::notePeek(const QRectF &frame) {
    if (m_peekRetuckFrame == frame) {
        return false;
    }
    m_peekRetuckFrame = frame;
    return true;
}

bool RevealState::tuckedFor(const QDateTime &now, double seconds) const {
    return !m_isRevealed && static_cast<double>(m_lastRevealChange.msecsTo(now)) / 1000.0 > seconds;
}

} // namespace zorv
