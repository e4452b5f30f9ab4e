#pragma once

#include "model/desktopmodel.h"
#include "script/barentry.h"

#include <QList>

#include <optional>

namespace zorv {

// Reads the simulated desktop back: each bar in order with every frame, the input events the
// window server received (dropped ones marked), the cursor, the clicks status items received,
// the item menus open and closed, and the accessibility reads made on the main thread.
// Thread-safe.
class DesktopReadout {
public:
    explicit DesktopReadout(DesktopModel &model);

    // The items of a screen's bar from left to right as the last layout pass placed them;
    // the active screen's bar (where the items' windows are) by default.
    [[nodiscard]] QList<BarEntry> bar(std::optional<DisplayId> displayId = std::nullopt) const;
    [[nodiscard]] std::optional<BarEntry> entry(quint64 itemId) const;
    // Where the frontmost application's menus end on a screen's bar (the screen's left edge when
    // none show there); nullopt for a screen not attached.
    [[nodiscard]] std::optional<double> menusRight(DisplayId displayId) const;

    // Oldest first; at most DesktopState::logCapacity.
    [[nodiscard]] QList<LoggedEvent> events() const;
    [[nodiscard]] QList<DeliveredClick> clicks() const;
    // Another application's item menu open now, and the newest menus that closed, oldest first.
    [[nodiscard]] std::optional<OpenItemMenu> openItemMenu() const;
    [[nodiscard]] QList<ClosedItemMenu> itemMenuClosings() const;

    // How many accessibility attribute reads this process made on its main thread so far.
    [[nodiscard]] int mainThreadAccessibilityReads() const;

    [[nodiscard]] CursorState cursor() const;
    void setCursorReadable(bool readable);

private:
    DesktopModel &m_model;
};

} // namespace zorv
