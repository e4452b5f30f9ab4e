#pragma once

#include "displayid.h"

#include <QList>
#include <QPointF>
#include <QRectF>

#include <optional>

namespace zorv {

// Where one simulated screen is drawn: its frame in global points (top-left convention, as
// events and accessibility use them) shown at `zoom` view pixels per point, its top-left corner
// at the view's origin. Converts between the simulated desktop's points and the view's pixels.
struct ScreenMapping {
    // The zoom of a screen drawn to fit `available` view pixels across: never above life size,
    // never below three quarters, where the bar's text is still readable (wider screens scroll).
    static constexpr double minimumZoom = 0.75;
    static constexpr double maximumZoom = 1.0;

    DisplayId displayId = 0;
    QRectF frame;
    double zoom = 1.0;

    [[nodiscard]] static double zoomToFit(double screenWidth, double available);

    [[nodiscard]] QPointF toView(QPointF global) const;
    [[nodiscard]] QRectF toView(const QRectF &global) const;
    // The global point under a view point, kept on the screen.
    [[nodiscard]] QPointF toGlobal(QPointF view) const;

    friend bool operator==(const ScreenMapping &, const ScreenMapping &) = default;
};

// One of the application's windows on a drawn screen: the screen that holds most of it (as the
// window server decides a window's screen) and where it lies in that screen's view.
struct WindowPlace {
    DisplayId displayId = 0;
    QRectF viewRect;

    friend bool operator==(const WindowPlace &, const WindowPlace &) = default;
};

// Nothing when the frame lies on no screen.
[[nodiscard]] std::optional<WindowPlace> placeWindow(const QList<ScreenMapping> &screens,
                                                     const QRectF &frame);

} // namespace zorv
