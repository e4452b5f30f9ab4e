#pragma once

#include "discovery/discovereditem.h"
#include "screen.h"

#include <QList>
#include <QRectF>
#include <QString>

#include <optional>

namespace zorv {

// Where this application's three status items should come up on a bar that remembers no
// position for them, as preferred positions: distances in points from the right end of the
// movable status items (the system puts a new item in the first slot at least that far from the
// right end). The hidden separator goes just left of the leftmost item in view, so that nothing
// in view ends up in the hidden section; the always-hidden separator goes to the left end, so
// that everything already out of sight does. The icon takes the rightmost slot, right of the
// shown items, where the front application's long menus reach last; only when that slot would
// not be in view (under the camera housing or the menus) does it go beside the separator, if it
// is in view there.
//
// An item is in view when it lies wholly on the bar's screen, its centre is not under the camera
// housing and it starts right of the desktop's menus: Finder's, which are in front whenever the
// user is at the desktop. So the lanes of a first launch do not depend on which application
// happens to be in front, and the hidden lane ends where a drag reaches it whenever menus no
// longer than Finder's are in front. Without Finder the front application's menus count. The
// leftmost item with room for the icon and the separator between it and whatever covers the bar
// on its left (the screen's edge, those menus, the housing) is chosen. The bar's screen is the
// one holding the rightmost item; Control Center and the clock stay at the right end and never
// count as the right end of the movable items. The bar is measured without this application's
// own items, as a first launch finds it (the system puts new items at the left end): where a
// launch without the permission put them in sight, they push the others left, and the lanes
// would otherwise depend on when the permission comes.
struct LaunchPlacement {
    // Where menus end on the bar at the launch; absent where there are none.
    struct Menus {
        // The front application's: only the icon, which should be in sight at once, minds them.
        std::optional<double> front;
        // The desktop's (Finder's, else the front application's): they judge what is in view.
        std::optional<double> desk;
    };

    // Further left than any bar reaches: the left end.
    static constexpr double leftEnd = 100000.0;

    double icon = 0.0;
    double hiddenSeparator = 0.0;
    double alwaysHiddenSeparator = leftEnd;
    // The item the hidden separator stands just left of.
    QString anchor;

    // Absent when no item in view has room beside it. `ownItems` are the frames of this
    // application's items on the bar; `iconLength` is 0 for a hidden icon.
    [[nodiscard]] static std::optional<LaunchPlacement>
    compute(const QList<DiscoveredItem> &items, const QList<QRectF> &ownItems,
            const QList<Screen> &screens, Menus menus, double iconLength, double separatorLength);

    // For a bar where no item in view has room beside it (the camera housing, the desktop's
    // menus and the screen's edge leave too little): the icon takes the rightmost slot, and the
    // hidden separator goes just left of the leftmost item in view, though inserting the two
    // pushes it out of view, or just left of the icon when none is: as with room, nothing in view
    // is hidden and everything out of sight is. Absent when the bar holds no movable item on a
    // screen.
    [[nodiscard]] static std::optional<LaunchPlacement>
    withNothingInView(const QList<DiscoveredItem> &items, const QList<QRectF> &ownItems,
                      const QList<Screen> &screens, std::optional<double> deskMenusRight,
                      double iconLength);

    // For a bar that cannot be read (no Accessibility permission): the icon in the rightmost
    // slot of the movable items, where the front application's menus and the camera housing
    // reach last, so it stays in sight whichever application is in front, and the two separators
    // just left of it, out of order (the always-hidden one on the right). Separators out of order
    // mark no lane: nothing the engine has not seen is hidden until the permission lets it
    // measure the bar and place the items as `compute` does.
    [[nodiscard]] static LaunchPlacement inSight(double iconLength, double separatorLength);

    friend bool operator==(const LaunchPlacement &, const LaunchPlacement &) = default;
};

} // namespace zorv
