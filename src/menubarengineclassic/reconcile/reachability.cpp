#include "reachability.h"

#include <algorithm>

namespace zorv {

namespace {

bool inHousing(double x, const QList<std::pair<double, double>> &housings) {
    return std::any_of(housings.cbegin(), housings.cend(),
                       [x](const auto &span) { return span.first <= x && x <= span.second; });
}

} // namespace

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
    if (inHousing(midX, housings)) {
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

} // namespace zorv
