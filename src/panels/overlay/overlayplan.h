#pragma once

#include "screen.h"
#include "settings/appearance.h"

#include <QColor>
#include <QList>
#include <QRectF>

#include <optional>

namespace zorv {

// What one screen's overlay window draws for an appearance: the window covers the menu bar and,
// with the shadow on, a band below it. Inside the window (y down from its top) the bar is the top
// `barHeight` points, the shadow band the `shadowExtent` points under it.
struct OverlayPlan {
    static constexpr double minimumBarHeight = 24;
    static constexpr double shadowBand = 10;
    static constexpr double minimumTintOpacity = 0.18;
    static constexpr double hairlineHeight = 2;

    // Global points, bottom-left convention.
    QRectF frame;
    double barHeight = minimumBarHeight;
    double shadowExtent = 0;
    // The tint with its alpha; nothing when the tint is off.
    std::optional<QColor> tint;
    // Rounds the tint's two bottom corners; 0 for square ones.
    double tintRadius = 0;
    bool border = false;
    bool shadow = false;

    // One plan per screen in order; none when tint, border and shadow are all off.
    [[nodiscard]] static QList<OverlayPlan> forScreens(const QList<Screen> &screens,
                                                       const Appearance &appearance);

    friend bool operator==(const OverlayPlan &, const OverlayPlan &) = default;
};

} // namespace zorv
