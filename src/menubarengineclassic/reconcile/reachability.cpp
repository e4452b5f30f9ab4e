#include "reachability.h"

#include <algorithm>
#include <cmath>

namespace zorv {

namespace {

// The same bar with other menus in front, ending at `right` (none: no menus).
Reachability withMenusEndingAt(const Reachability &reach, std::optional<double> right) {
    Reachability other = reach;
    other.menusRight = right;
    return other;
}

} // namespace

bool Reachability::inHousing(double x, const QList<std::pair<double, double>> &housings) {
    return std::any_of(housings.cbegin(), housings.cend(),
                       [x](const auto &span) { return span.first <= x && x <= span.second; });
}

std::optional<QString> Reachability::whyNot(const MenuBarItemID &id, const QRectF &frame) const {
    if (unanswered.contains(id)) {
        return notAnswering;
    }
    if (!barScreen) {
        return offScreen;
    }
    // A hidden bar's windows lie above the top edge of its screen.
    if (!barShowing || frame.bottom() <= barScreen->top() + 0.5) {
        return barHidden;
    }
    const double midX = frame.center().x();
    if (midX < barScreen->left() || midX > barScreen->right()) {
        return offScreen;
    }
    return coveredBy(frame);
}

std::optional<QString> Reachability::coveredBy(const QRectF &frame) const {
    if (inHousing(frame.center().x(), housings)) {
        return underHousing;
    }
    if (menusRight && frame.left() < *menusRight) {
        return underMenus;
    }
    return std::nullopt;
}

bool Reachability::reaches(double x) const {
    return barShowing && barScreen && barScreen->left() + screenInset <= x &&
           x <= barScreen->right() - screenInset && !inHousing(x, housings) &&
           !(menusRight && x < *menusRight);
}

QString Reachability::whyNotIn(double lower, double upper) const {
    if (!barShowing) {
        return barHidden;
    }
    if (!barScreen) {
        return offScreen;
    }
    const double left = std::max(lower, barScreen->left() + screenInset);
    const double right = std::min(upper, barScreen->right() - screenInset);
    if (!(left <= right)) {
        return offScreen;
    }
    if (menusRight && left < *menusRight &&
        withMenusEndingAt(*this, std::nullopt).nearestReachable(left, left, right)) {
        return underMenus;
    }
    const bool housed = std::any_of(housings.cbegin(), housings.cend(), [&](const auto &span) {
        return span.first <= right && left <= span.second;
    });
    return housed ? underHousing : offScreen;
}

bool Reachability::clearOfDeskMenus(const QRectF &frame) const {
    return deskMenusRight && frame.left() >= *deskMenusRight;
}

bool Reachability::clearOfDeskMenus(double lower, double upper) const {
    return deskMenusRight && withMenusEndingAt(*this, deskMenusRight)
                                 .nearestReachable(upper, lower, upper)
                                 .has_value();
}

bool Reachability::samePlaces(const Reachability &other) const {
    return barScreen == other.barScreen && housings == other.housings &&
           menusRight == other.menusRight && barShowing == other.barShowing;
}

std::optional<double> Reachability::nearestReachable(double preferred, double lower,
                                                     double upper) const {
    if (!barScreen || lower > upper) {
        return std::nullopt;
    }
    // The reachable x form spans whose ends lie just past the ends of what cannot be reached, so
    // the nearest reachable x is the preferred one or one of those ends.
    QList<double> candidates{preferred, lower, upper, barScreen->left() + screenInset,
                             barScreen->right() - screenInset};
    for (const auto &[left, right] : housings) {
        candidates.append(left - edgeStep);
        candidates.append(right + edgeStep);
    }
    if (menusRight) {
        candidates.append(*menusRight);
    }
    std::optional<double> best;
    for (const double candidate : std::as_const(candidates)) {
        const double x = std::clamp(candidate, lower, upper);
        if (reaches(x) && (!best || std::abs(x - preferred) < std::abs(*best - preferred))) {
            best = x;
        }
    }
    return best;
}

} // namespace zorv
