#pragma once

#include "model/desktopstate.h"
#include "model/modeleffects.h"

#include <QPointF>
#include <QRectF>

#include <chrono>

namespace zorv {

// Other applications' status-item menus. A click on such an item, or a press or show-menu
// request through its element, opens the owner's menu below the item's laid-out frame on the
// active screen's bar, kept on that screen, whether or not the item is drawn (under the front
// application's menus or the camera housing alike); one menu is open at a time, so it closes the
// one open first.
//
// While a menu is open it takes every mouse-down, the user's and posted ones alike: one inside it
// is its own, and its release there chooses a row, which closes it; one anywhere else closes it.
// The closing mouse-down is the menu's, so nothing under it is pressed or dragged, except that a
// plain press on another status item goes on to that item, which then opens its own menu. Escape
// closes it too, the owner quitting, and a change of the displays under it. Used under the model's
// lock.
class ItemMenu {
public:
    // The size of the menus of other applications' items.
    static constexpr double width = 220.0;
    static constexpr double height = 120.0;

    // Where the item's menu opens (top-left convention); absent when the item has no window.
    [[nodiscard]] static std::optional<QRectF> frame(const DesktopState &state, quint64 itemId,
                                                     std::chrono::nanoseconds now);
    // The menu's top-left corner.
    [[nodiscard]] static std::optional<QPointF> origin(const DesktopState &state, quint64 itemId,
                                                       std::chrono::nanoseconds now);

    // Records the click, naming the item and its owner as they stand, and hands it to the owner;
    // another application's item opens its menu.
    static void deliver(DesktopState &state, DeliveredClick click, std::chrono::nanoseconds now,
                        ModelEffects &effects);
    // A mouse-down at `location` with `flags`; true when the open menu took it.
    static bool takesPress(DesktopState &state, QPointF location, quint64 flags,
                           std::chrono::nanoseconds now);
    // A mouse-up; true when the open menu took it (the release of a press it took).
    static bool takesRelease(DesktopState &state, QPointF location, std::chrono::nanoseconds now);
    // A key-down; true when the open menu took it (Escape).
    static bool takesKey(DesktopState &state, quint16 keyCode, std::chrono::nanoseconds now);
    // The process quit: its menu closes.
    static void ownerQuit(DesktopState &state, qint32 processId, std::chrono::nanoseconds now);
    // A display came or went, one moved or changed size, or the items' windows moved to another
    // display's bar: the menu closes as a press outside would close it, so that none stays open
    // on a display that is gone.
    static void displaysChanged(DesktopState &state, std::chrono::nanoseconds now);
    // Closes the open menu, if any, and keeps why.
    static void close(DesktopState &state, MenuClosing why, std::chrono::nanoseconds now);
};

} // namespace zorv
