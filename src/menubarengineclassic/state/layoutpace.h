#pragma once

#include <QList>

#include <optional>

namespace zorv {

// How long the bar takes to lay itself out after a reveal, as measured, and the waits that follow
// from it: how long a reveal and a drag are given to show before they count as not settled (half
// as long again as the slowest of the last few measures, within fixed bounds), and the back-off
// before a run aborted on an unsettled reveal is tried again. A busy machine lays its bar out
// seconds after each change; a fixed wait would abort every run there. Main thread only.
class LayoutPace {
public:
    static constexpr double shortestRevealSettleSeconds = 1.5;
    static constexpr double shortestDragSettleSeconds = 2.5;
    // No wait is longer, however slow the bar.
    static constexpr double longestSettleSeconds = 8.0;
    // Retries of aborted runs in a row.
    static constexpr int retryLimit = 4;

    // A reveal took this long to lay out; `settled` false when it had not after the longest wait.
    void measured(double seconds, bool settled = true);
    [[nodiscard]] double revealSettleSeconds() const;
    [[nodiscard]] double dragSettleSeconds() const;

    // A run was aborted on an unsettled reveal: the wait before it is tried again, 2, 4, 8 and 16
    // seconds for the aborts in a row, none past the limit.
    [[nodiscard]] std::optional<double> retryAfterAbort();
    // A run got past its reveal: the next abort is the first again.
    void revealSettled() { m_abortsInARow = 0; }

private:
    [[nodiscard]] double settleSeconds(double shortest) const;

    // The last few measures, newest last.
    QList<double> m_recent;
    int m_abortsInARow = 0;
};

} // namespace zorv
