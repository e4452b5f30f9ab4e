#include "waitingreasons.h"

#include <cmath>

namespace zorv {

namespace {

bool near(double a, double b) {
    return std::abs(a - b) <= WaitingReasons::heldWithin;
}

bool stillHeld(const WaitingReasons::Judged &before, const WaitingReasons::Judged &now) {
    constexpr auto notAnswering = UnplacedReason::Obstacle::notAnswering;
    const WaitingReasons::Standing &was = before.standing;
    const WaitingReasons::Standing &is = now.standing;
    const bool separatorsNear = near(was.hiddenSepX, is.hiddenSepX) &&
                                was.alwaysSepX.has_value() == is.alwaysSepX.has_value() &&
                                (!was.alwaysSepX || near(*was.alwaysSepX, *is.alwaysSepX));
    // Whether the item goes into Hidden for now is the runs' plan, which refused drags change
    // with nothing moving: that is told at once.
    return before.reason.obstacle != notAnswering && now.reason.obstacle != notAnswering &&
           before.reason.hiddenForNow == now.reason.hiddenForNow && was.wanted == is.wanted &&
           near(was.itemX, is.itemX) && separatorsNear;
}

} // namespace

QHash<MenuBarItemID, UnplacedReason> WaitingReasons::hold(QHash<MenuBarItemID, Judged> judged,
                                                          const Reachability &reach) {
    const bool sameObstacles =
        reach.samePlaces(m_reach) && reach.deskMenusRight == m_reach.deskMenusRight;
    QHash<MenuBarItemID, UnplacedReason> published;
    for (auto it = judged.begin(); it != judged.end(); ++it) {
        const auto before = m_published.constFind(it.key());
        // The reason keeps where it was judged, so a bar creeping a few points at a time is
        // judged again once it has gone further than that in all.
        if (sameObstacles && before != m_published.cend() && stillHeld(*before, *it)) {
            *it = *before;
        }
        published.insert(it.key(), it->reason);
    }
    m_published = std::move(judged);
    m_reach = reach;
    return published;
}

} // namespace zorv
