#pragma once

#include "menubaritemid.h"

#include <QCoroTask>
#include <QHash>
#include <QImage>
#include <QRectF>

#include <memory>

namespace zorv {

class ScreenCapture;
struct ShareableContent;

// Takes the pictures of other applications' status items that menus and panels show: each
// visible item's own status-item window when one can be found, else a crop of a whole-display
// capture, every picture trimmed to its glyph with a small margin. Keeps the newest picture of
// each item. Every failure (no Screen Recording permission, a failed capture or crop) ends
// quietly and leaves older pictures in place. Main thread.
class CaptureService {
public:
    // Status-item windows sit at this layer and are at most this many points tall and wide.
    static constexpr int statusItemWindowLayer = 25;
    static constexpr double largestItemWindowHeight = 44.0;
    static constexpr double largestItemWindowWidth = 600.0;

    explicit CaptureService(ScreenCapture &capture);

    // Pictures the items whose frame (top-left convention) is wider than 0 and whose centre lies
    // right of `barScreenMinX`, the left edge of the bar's screen: items pushed past it are out
    // of sight.
    QCoro::Task<> captureVisible(QHash<MenuBarItemID, QRectF> frames, double barScreenMinX);

    [[nodiscard]] const QHash<MenuBarItemID, QImage> &cache() const { return m_state->cache; }
    void clearCache() { m_state->cache.clear(); }

    // The image cut down to the pixels that differ from the corners' average, with a margin of 4
    // pixels where the image allows; unchanged when it is not 32 bits per pixel, smaller than 5 by
    // 5 pixels, or uniform.
    [[nodiscard]] static QImage trimmedToGlyph(const QImage &image);
    // True when a sparse grid of samples is all within 14 of the first in each colour byte.
    [[nodiscard]] static bool looksBlank(const QImage &image);

private:
    // Shared with captures in flight, which may finish after the service is gone.
    struct State {
        ScreenCapture &capture;
        QHash<MenuBarItemID, QImage> cache;
    };
    struct Target {
        MenuBarItemID id;
        QRectF frame;
    };

    static QCoro::Task<> captureTargets(std::shared_ptr<State> state, QList<Target> targets);
    static QCoro::Task<> captureByDisplayCrop(std::shared_ptr<State> state, QList<Target> targets,
                                              ShareableContent content);

    std::shared_ptr<State> m_state;
};

} // namespace zorv
