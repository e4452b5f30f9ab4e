#pragma once

#include "layout/baritemview.h"
#include "model/desktopstate.h"

#include <QList>

#include <chrono>
#include <optional>

namespace zorv {

// The bars as they stand at one moment: the last layout pass's frames, plus what changes without
// a pass (the frontmost application's menus, an auto-hidden bar coming and going). Used under the
// model's lock, for as long as the state it reads is unchanged.
class BarView {
public:
    // How long the pointer rests at the top edge before an auto-hidden bar comes in.
    static constexpr std::chrono::milliseconds autoHideRevealDelay{500};
    // The pointer is "at the top edge" within this many points of it.
    static constexpr double topEdgeSlack = 2.0;

    BarView(const DesktopState &state, std::chrono::nanoseconds now);

    [[nodiscard]] bool barShown(const ScreenRecord &screen) const;
    // Where the frontmost application's menus end on the screen (its left edge when none).
    [[nodiscard]] double menusRight(const ScreenRecord &screen) const;

    // The screen's items from left to right.
    [[nodiscard]] QList<BarItemView> items(DisplayId displayId) const;
    [[nodiscard]] std::optional<BarItemView> item(DisplayId displayId, quint64 itemId) const;
    // The item's real window: its place on the active screen's bar.
    [[nodiscard]] std::optional<BarItemView> window(quint64 itemId) const;

    // The screen under a point (top-left convention).
    [[nodiscard]] const ScreenRecord *screenAt(QPointF point) const;
    // The screen whose bar, in view, holds the point.
    [[nodiscard]] const ScreenRecord *barAt(QPointF point) const;
    // The visible item under the point; nothing under the camera housing.
    [[nodiscard]] std::optional<BarItemView> hit(QPointF point) const;

    [[nodiscard]] QRectF topLeft(const QRectF &bottomLeftRect) const;

private:
    [[nodiscard]] BarItemView view(const ScreenRecord &screen, const LaidOutItem &laidOut) const;

    const DesktopState &m_state;
    std::chrono::nanoseconds m_now;
};

} // namespace zorv
