#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

namespace zorv {

// Tells the hover and scroll reveal gestures whether the pointer is in the menu-bar strip of a
// screen. Coordinates are the window system's global ones: origin at the lower left, y growing
// upwards, so a rectangle's top edge is y + height.
class RevealGeometry {
public:
    RevealGeometry() = delete;

    struct Screen {
        QRectF frame;
        // The frame without the menu bar and the Dock.
        QRectF visibleFrame;

        friend bool operator==(const Screen &, const Screen &) = default;
    };

    // The strip along the top edge of the screen where its menu bar lies, at least 24 points high
    // so that a hidden or thin menu bar still leaves something to hover over.
    [[nodiscard]] static QRectF menuBarStrip(const Screen &screen);
    // Lower and left edges belong to a strip, upper and right edges do not.
    [[nodiscard]] static bool isInMenuBarStrip(QPointF point, const QList<Screen> &screens);
};

} // namespace zorv
