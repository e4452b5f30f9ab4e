#pragma once

#include <QDateTime>
#include <QRectF>

#include <optional>

namespace zorv {

// Whether the hidden lanes are in view and how they came to be: the current reveal and whether it
// was asked to stay open, when it last changed, the launch tuck's progress, the first-launch
// placement still to do, and the frame a peeking separator was last tucked again for. Main
// thread only.
class RevealState {
public:
    enum class LaunchTuck { pending, running, done };

    // `constructedAt` stands for the last reveal change until the first one; `placeInReach`: no
    // position was kept for the engine's own items, so start() places them first.
    RevealState(QDateTime constructedAt, bool placeInReach);

    [[nodiscard]] bool isRevealed() const { return m_isRevealed; }
    [[nodiscard]] bool revealHeldOpen() const { return m_revealHeldOpen; }
    [[nodiscard]] bool lastIncludingAlwaysHidden() const { return m_lastIncludingAlwaysHidden; }
    [[nodiscard]] const QDateTime &lastRevealChange() const { return m_lastRevealChange; }
    [[nodiscard]] LaunchTuck launchTuck() const { return m_launchTuck; }
    [[nodiscard]] bool placeInReach() const { return m_placeInReach; }

    // A reveal or a tuck at `at`; a tuck is never held open.
    void setRevealed(bool revealed, bool includingAlwaysHidden, bool holdOpen, const QDateTime &at);
    // Everything was shown at once, outside a reveal request: nothing else is recorded.
    void markRevealed() { m_isRevealed = true; }
    // The bar changed under the same reveal state (a tuck that forced a reflow).
    void touched(const QDateTime &at) { m_lastRevealChange = at; }

    // True for the first caller only, which then runs the launch tuck.
    [[nodiscard]] bool beginLaunchTuck();
    // The launch tuck is about to tuck: from now on the bar counts as tucked.
    void finishLaunchTuck();
    // True once, when the first-launch placement is still to do.
    [[nodiscard]] bool takePlaceInReach();
    // The placement could not measure the bar (no Accessibility permission): it waits for the
    // grant.
    void deferPlacement() { m_placeInReach = true; }

    // Whether a peeking separator at `frame` is to be tucked again: true once per frame.
    [[nodiscard]] bool notePeek(const QRectF &frame);

    // Tucked, and the last change more than `seconds` before `now`.
    [[nodiscard]] bool tuckedFor(const QDateTime &now, double seconds) const;

private:
    bool m_isRevealed = false;
    bool m_revealHeldOpen = false;
    bool m_lastIncludingAlwaysHidden = false;
    QDateTime m_lastRevealChange;
    LaunchTuck m_launchTuck = LaunchTuck::pending;
    bool m_placeInReach = false;
    // The hidden separator's frame when it was last found peeking.
    std::optional<QRectF> m_peekRetuckFrame;
};

} // namespace zorv
