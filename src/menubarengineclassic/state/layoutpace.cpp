#include "layoutpace.h"

#include <algorithm>
#include <cmath>

namespace zorv {

namespace {

// Measures kept: an old slow spell is forgotten after this many reveals.
constexpr qsizetype kKept = 5;
// A wait is this many times the slowest measure kept.
constexpr double kHeadroom = 1.5;

} // namespace

void LayoutPace::measured(double seconds, bool settled) {
    if (!std::isfinite(seconds) || seconds < 0.0) {
        return;
    }
    m_recent.append(settled ? seconds : longestSettleSeconds);
    if (m_recent.size() > kKept) {
        m_recent.removeFirst();
    }
}

double LayoutPace::settleSeconds(double shortest) const {
    const double slowest =
        m_recent.isEmpty() ? 0.0 : *std::max_element(m_recent.cbegin(), m_recent.cend());
    return std::clamp(slowest * kHeadroom, shortest, longestSettleSeconds);
}

double LayoutPace::revealSettleSeconds() const {
    return settleSeconds(shortestRevealSettleSeconds);
}

double LayoutPace::dragSettleSeconds() const {
    return settleSeconds(shortestDragSettleSeconds);
}

std::optional<double> LayoutPace::retryAfterAbort() {
    if (m_abortsInARow >= retryLimit) {
        return std::nullopt;
    }
    ++m_abortsInARow;
    return std::pow(2.0, m_abortsInARow);
}

} // namespace zorv
