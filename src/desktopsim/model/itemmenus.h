#pragma once

#include "model/inputrecords.h"

#include <QRectF>

#include <chrono>
#include <deque>
#include <optional>

namespace zorv {

// Another application's status-item menu, open in a pop-up menu window of that application.
struct OpenItemMenu {
    quint32 windowId = 0;
    quint64 itemId = 0;
    qint32 ownerProcessId = 0;
    ClickedItem item;
    // The display it opened on: the one whose bar held the item's window.
    DisplayId displayId = 0;
    // Top-left convention.
    QRectF frame;
    std::chrono::nanoseconds openedAt{0};
    ItemOpening via = ItemOpening::Click;

    friend bool operator==(const OpenItemMenu &, const OpenItemMenu &) = default;
};

enum class MenuClosing {
    PressedOutside,
    Escape,
    RowChosen,
    OwnerQuit,
    AnotherMenuOpened,
    // Its display was unplugged.
    DisplayRemoved,
    // Displays came, went, moved or changed size, or the items' windows moved to another
    // display's bar.
    DisplaysRearranged
};

// A menu that closed: when and why.
struct ClosedItemMenu {
    OpenItemMenu menu;
    std::chrono::nanoseconds closedAt{0};
    MenuClosing why = MenuClosing::PressedOutside;

    friend bool operator==(const ClosedItemMenu &, const ClosedItemMenu &) = default;
};

// Other applications' status-item menus: the one open (one menu tracks at a time) and the newest
// closings.
struct ItemMenus {
    static constexpr std::size_t closingsKept = 100;

    std::optional<OpenItemMenu> open;
    std::deque<ClosedItemMenu> closings;
    // The menu took the mouse-down in progress: its mouse-up is the menu's too.
    bool pressTaken = false;
    quint32 nextWindowId = 0x60000000;
};

} // namespace zorv
