#pragma once

#include <QString>

namespace zorv {

// Why no drag can take an item into the lane the layout wants it in, for now: what stands in the
// way of the item itself, or of every place in its lane. The item keeps its lane meanwhile.
struct UnplacedReason {
    // The front application's menus, the camera housing, the edge of the screen, or the item's
    // application not answering (a hung one's items take no drag).
    enum class Obstacle { menus, cameraHousing, screenEdge, notAnswering };

    Obstacle obstacle = Obstacle::menus;
    // The item can be reached; no place in its lane can.
    bool laneOnly = false;
    // Wanted in Always Hidden, it goes no further than Hidden until a drag can reach Always
    // Hidden: it stands there, or a drag takes it there once it can.
    bool hiddenForNow = false;
    // Under the menus: Finder's in front would let the drag through (never while Finder is the
    // app in front, whose menus are the ones in the way).
    bool finderWouldClear = false;

    // For logs and dumps: "under the menus", "its lane off screen, hidden for now".
    [[nodiscard]] QString text() const;

    friend bool operator==(const UnplacedReason &, const UnplacedReason &) = default;
};

} // namespace zorv
