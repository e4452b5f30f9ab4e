#include "model/screenrecord.h"

namespace zorv {

QRectF ScreenRecord::barStrip() const {
    return {frame.x(), frame.bottom() - menuBarHeight, frame.width(), menuBarHeight};
}

std::optional<std::pair<double, double>> ScreenRecord::housingGap() const {
    if (cameraHousingWidth <= 0.0) {
        return std::nullopt;
    }
    const double left = frame.x() + (frame.width() - cameraHousingWidth) / 2.0;
    return std::pair{left, left + cameraHousingWidth};
}

Screen ScreenRecord::toScreen() const {
    Screen screen;
    screen.displayId = displayId;
    screen.frame = frame;
    // An automatically hidden menu bar takes no room.
    const double barRoom = autoHidesMenuBar ? 0.0 : menuBarHeight;
    screen.visibleFrame = QRectF(frame.x(), frame.y(), frame.width(), frame.height() - barRoom);
    if (const auto gap = housingGap()) {
        const QRectF strip = barStrip();
        screen.auxiliaryTopLeftArea =
            QRectF(strip.x(), strip.y(), gap->first - strip.x(), strip.height());
        screen.auxiliaryTopRightArea =
            QRectF(gap->second, strip.y(), strip.right() - gap->second, strip.height());
    }
    screen.localizedName = name;
    screen.backingScaleFactor = scale;
    return screen;
}

} // namespace zorv
