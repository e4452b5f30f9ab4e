#pragma once

#include "menubaritemid.h"
#include "reconcile/reachability.h"
#include "section.h"
#include "unplacedreason.h"

#include <QHash>

#include <optional>

namespace zorv {

// The waiting reasons last published, each held while the bar only shifts by a few points under
// the same obstacles: the clock's text alone moves everything left of it every minute, and an
// item or lane at the edge of the menus, the housing or the screen would otherwise be told one
// reason, then another, with nothing changed that the user could act on. Main thread only.
class WaitingReasons {
public:
    // How far the item and the separators may stand from where a reason was judged before a
    // different one is published. More than the clock's text moves them between two scans.
    static constexpr double heldWithin = 12.0;

    // Where an item's reason was judged: its x and the separators' left edges, with the bar
    // revealed, and the lane the layout wants it in.
    struct Standing {
        Section wanted = Section::shown;
        double itemX = 0.0;
        double hiddenSepX = 0.0;
        std::optional<double> alwaysSepX;
    };
    struct Judged {
        UnplacedReason reason;
        Standing standing;
    };

    // The reasons to publish, judged now under `reach`: each item's as judged, or the one
    // published before where it differs only because the bar moved by no more than heldWithin
    // (an application not answering, or answering again, is always told). Items judged free to
    // move are told at once and forgotten.
    [[nodiscard]] QHash<MenuBarItemID, UnplacedReason> hold(QHash<MenuBarItemID, Judged> judged,
                                                            const Reachability &reach);

private:
    QHash<MenuBarItemID, Judged> m_published;
    Reachability m_reach;
};

} // namespace zorv
