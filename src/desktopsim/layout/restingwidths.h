#pragma once

#include "model/desktopstate.h"

namespace zorv {

// Screens that do not follow length changes (some AirPlay and Sidecar displays) draw each item
// at the width it had when it appeared there: when the item was created, or when the screen was
// attached. The one change that still reaches them is a collapse, to `collapsedWidth` points or
// less. Every screen keeps the record, so that marking a screen as not following later works from
// the widths it saw.
class RestingWidths {
public:
    static constexpr double collapsedWidth = 8.0;

    // A new item appears on every screen with its current width.
    static void itemAppeared(const DesktopState &state, ItemRecord &item);
    // Every item appears on a newly attached screen with its current width.
    static void screenAppeared(DesktopState &state, DisplayId displayId);
    static void screenRemoved(DesktopState &state, DisplayId displayId);
    // After the item's length or content changed: a collapse reaches every screen.
    static void widthChanged(const DesktopState &state, ItemRecord &item);

    // The width the screen lays the item out with.
    [[nodiscard]] static double width(const DesktopState &state, const ItemRecord &item,
                                      const ScreenRecord &screen);
};

} // namespace zorv
