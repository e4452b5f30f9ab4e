#pragma once

#include "model/desktopstate.h"

#include <QList>

namespace zorv {

// The bar order and the remembered positions.
//
// Movable items stand left of the immovable system items, in bar order. A new item goes to the
// left end of the movable area unless its owner remembers a position for its autosave name: a
// distance from the right end of the movable area, which puts it back at the first slot at least
// that far from the right end (the leftmost slot when none is). A Command-drag writes the dropped
// item's distance. Immovable items join the left end of the system group.
class ItemOrder {
public:
    // Positions within this many points of a slot's distance count as that slot.
    static constexpr double slotTolerance = 0.5;

    [[nodiscard]] static QList<quint64> movable(const DesktopState &state);

    // Adds the new item to the order.
    static void insertNew(DesktopState &state, quint64 itemId);
    static void remove(DesktopState &state, quint64 itemId);
    // Moves the item to the slot remembered for its owner and autosave name; false when none is.
    // The owner's other items that are still being placed (not laid out yet) and have remembered
    // positions are placed again with it, nearest the right end first, so an application that
    // creates its items in any order gets them back in the order they stood in.
    static bool moveToRememberedPosition(DesktopState &state, quint64 itemId);
    // Moves a movable item to the index among the other movable items (clamped).
    static void moveToIndex(DesktopState &state, quint64 itemId, qsizetype movableIndex);

    // The room the movable items right of the item take, gaps included.
    [[nodiscard]] static double distanceFromRight(const DesktopState &state, quint64 itemId);
    // Writes the item's current distance under its owner and autosave name.
    static void remember(DesktopState &state, quint64 itemId);
    // Writes the distance of every item of the application.
    static void rememberItemsOf(DesktopState &state, qint32 ownerProcessId);
    [[nodiscard]] static QString rememberKey(const DesktopState &state, const ItemRecord &item);

private:
    // Moves the item to the slot for `distance`, counted without the item itself.
    static void moveToDistance(DesktopState &state, quint64 itemId, double distance);
    [[nodiscard]] static qsizetype slotForDistance(const DesktopState &state,
                                                   const QList<quint64> &others, double distance);
};

} // namespace zorv
