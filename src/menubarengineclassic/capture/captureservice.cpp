#include "captureservice.h"

#include "screencapture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace zorv {

namespace {

constexpr double pixelsPerPoint = 2.0;
constexpr int glyphTolerance = 20;
constexpr int glyphMargin = 4;
constexpr int blankTolerance = 14;

// The capture interface's rule: the far edges belong to the next rectangle.
bool containsPoint(const QRectF &rect, QPointF point) {
    return rect.left() <= point.x() && point.x() < rect.right() && rect.top() <= point.y() &&
           point.y() < rect.bottom();
}

// Whether a window still spans what the scan read for its item: the bar lays itself out again
// between a scan and its captures when an item comes, goes or changes width.
bool spansTheSame(const QRectF &window, const QRectF &read) {
    constexpr double tolerance = 1.0;
    return std::abs(window.left() - read.left()) < tolerance &&
           std::abs(window.width() - read.width()) < tolerance;
}

// Bytes of one pixel; reads past the end of the data give zeros.
struct PixelReader {
    const uchar *data;
    qsizetype size;
    qsizetype bytesPerLine;

    explicit PixelReader(const QImage &image)
        : data(image.constBits()), size(image.sizeInBytes()), bytesPerLine(image.bytesPerLine()) {}

    [[nodiscard]] qsizetype offset(int x, int y) const {
        return y * bytesPerLine + 4 * qsizetype(x);
    }
    [[nodiscard]] int byte(int x, int y, int index) const {
        const qsizetype at = offset(x, y) + index;
        return at < size ? data[at] : 0;
    }
};

bool isReadable32(const QImage &image) {
    return !image.isNull() && image.depth() == 32 && image.constBits() != nullptr;
}

// The smallest whole-pixel rectangle holding `rect`, clipped to the image; empty when they do
// not meet.
QRect integralCrop(const QRectF &rect, const QSize &image) {
    const QRectF clipped = rect.intersected(QRectF(QPointF(0, 0), QSizeF(image)));
    if (clipped.isEmpty()) {
        return {};
    }
    const int left = int(std::floor(clipped.left()));
    const int top = int(std::floor(clipped.top()));
    const int right = int(std::ceil(clipped.right()));
    const int bottom = int(std::ceil(clipped.bottom()));
    return QRect(left, top, right - left, bottom - top);
}

// Window sizes are at most 600 by 44 points and display sizes whole points, so these fit.
int pixelsFor(double points) {
    return int(std::trunc(points)) * int(pixelsPerPoint);
}

} // namespace

CaptureService::CaptureService(ScreenCapture &capture)
    : m_state(std::make_shared<State>(State{capture, {}})) {}

QCoro::Task<> CaptureService::captureVisible(QHash<MenuBarItemID, QRectF> frames,
                                             double barScreenMinX) {
    QList<Target> targets;
    for (auto it = frames.cbegin(); it != frames.cend(); ++it) {
        if (it.value().width() > 0.0 && it.value().center().x() > barScreenMinX) {
            targets.append({it.key(), it.value()});
        }
    }
    // Left to right, so the order of captures does not depend on hashing.
    std::sort(targets.begin(), targets.end(),
              [](const Target &a, const Target &b) { return a.frame.left() < b.frame.left(); });
    return captureTargets(m_state, std::move(targets));
}

QCoro::Task<> CaptureService::captureTargets(std::shared_ptr<State> state, QList<Target> targets) {
    if (targets.isEmpty()) {
        co_return;
    }
    const ShareableContentResult offered = co_await state->capture.shareableContent(false, true);
    if (!offered.content) {
        co_return;
    }
    const ShareableContent content = *offered.content;
    QList<ShareableWindow> itemWindows;
    for (const ShareableWindow &window : content.windows) {
        if (window.windowLayer == statusItemWindowLayer &&
            window.frame.height() <= largestItemWindowHeight &&
            window.frame.width() <= largestItemWindowWidth) {
            itemWindows.append(window);
        }
    }

    QList<Target> leftovers;
    for (const Target &target : targets) {
        const auto window =
            std::find_if(itemWindows.cbegin(), itemWindows.cend(), [&](const auto &candidate) {
                return containsPoint(candidate.frame, target.frame.center());
            });
        // The bar moved since it was read: the window under the item's spot may be a
        // neighbour's, or the spot may fall between windows that now overlap it, and a crop would
        // miss too. The next scan pictures the items where they then stand.
        if (window == itemWindows.cend()) {
            if (std::any_of(itemWindows.cbegin(), itemWindows.cend(), [&](const auto &other) {
                    return other.frame.intersects(target.frame);
                })) {
                co_return;
            }
            leftovers.append(target);
            continue;
        }
        if (!spansTheSame(window->frame, target.frame)) {
            co_return;
        }
        CaptureConfiguration configuration;
        configuration.width = pixelsFor(window->frame.width());
        configuration.height = pixelsFor(window->frame.height());
        configuration.showsCursor = false;
        configuration.backgroundColor = Qt::transparent;
        configuration.ignoresShadowsSingleWindow = true;
        const quint32 windowId = window->windowId;
        const CaptureResult shot = co_await state->capture.captureWindow(windowId, configuration);
        if (shot.error != CaptureError::None || shot.image.isNull()) {
            leftovers.append(target);
            continue;
        }
        state->cache.insert(target.id, trimmedToGlyph(shot.image));
    }

    leftovers.removeIf([&](const Target &target) { return state->cache.contains(target.id); });
    if (!leftovers.isEmpty()) {
        co_await captureByDisplayCrop(state, std::move(leftovers), content);
    }
}

QCoro::Task<> CaptureService::captureByDisplayCrop(std::shared_ptr<State> state,
                                                   QList<Target> targets,
                                                   ShareableContent content) {
    for (const ShareableDisplay &display : content.displays) {
        if (display.width <= 0 || display.height <= 0) {
            continue;
        }
        const QRectF area(display.frame.topLeft(), QSizeF(display.width, display.height));
        QList<Target> onDisplay;
        for (const Target &target : targets) {
            if (containsPoint(area, target.frame.center())) {
                onDisplay.append(target);
            }
        }
        if (onDisplay.isEmpty()) {
            continue;
        }
        CaptureConfiguration configuration;
        configuration.width = pixelsFor(display.width);
        configuration.height = pixelsFor(display.height);
        configuration.showsCursor = false;
        const DisplayId displayId = display.displayId;
        const CaptureResult shot =
            co_await state->capture.captureDisplay(displayId, {}, configuration);
        if (shot.error != CaptureError::None || shot.image.isNull()) {
            continue;
        }
        const double sx = double(shot.image.width()) / display.width;
        const double sy = double(shot.image.height()) / display.height;
        for (const Target &target : onDisplay) {
            const QRectF scaled(sx * (target.frame.left() - area.left()),
                                sy * (target.frame.top() - area.top()), sx * target.frame.width(),
                                sy * target.frame.height());
            const QRect crop = integralCrop(scaled, shot.image.size());
            if (crop.isEmpty()) {
                continue;
            }
            const QImage picture = shot.image.copy(crop);
            if (picture.isNull() || looksBlank(picture)) {
                continue; // never let a blank crop replace a good picture
            }
            state->cache.insert(target.id, trimmedToGlyph(picture));
        }
    }
}

QImage CaptureService::trimmedToGlyph(const QImage &image) {
    if (!isReadable32(image) || image.width() < 5 || image.height() < 5) {
        return image;
    }
    const PixelReader pixels(image);
    const int width = image.width();
    const int height = image.height();
    int background[4];
    for (int index = 0; index < 4; ++index) {
        background[index] =
            (pixels.byte(0, 0, index) + pixels.byte(width - 1, 0, index) +
             pixels.byte(0, height - 1, index) + pixels.byte(width - 1, height - 1, index)) /
            4;
    }
    int minX = width;
    int minY = height;
    int maxX = -1;
    int maxY = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bool glyph = false;
            for (int index = 0; index < 4 && !glyph; ++index) {
                glyph = std::abs(pixels.byte(x, y, index) - background[index]) > glyphTolerance;
            }
            if (glyph) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
        }
    }
    if (maxX < 0) {
        return image;
    }
    const int left = std::max(minX - glyphMargin, 0);
    const int top = std::max(minY - glyphMargin, 0);
    const int right = std::min(maxX + glyphMargin + 1, width);
    const int bottom = std::min(maxY + glyphMargin + 1, height);
    const QImage trimmed = image.copy(QRect(left, top, right - left, bottom - top));
    return trimmed.isNull() ? image : trimmed;
}

bool CaptureService::looksBlank(const QImage &image) {
    if (!isReadable32(image)) {
        return false;
    }
    const int height = image.height();
    const int width = image.width();
    if (height < 1) {
        return true;
    }
    const PixelReader pixels(image);
    const int rowStep = height >= 6 ? height / 6 : 1;
    const int columnStep = width >= 10 ? width / 10 : 1;
    std::optional<std::array<int, 3>> reference;
    for (int y = 0; y < height; y += rowStep) {
        for (int x = 0; x < width; x += columnStep) {
            if (pixels.offset(x, y) + 2 >= pixels.size) {
                continue;
            }
            const std::array<int, 3> sample{pixels.byte(x, y, 0), pixels.byte(x, y, 1),
                                            pixels.byte(x, y, 2)};
            if (!reference) {
                reference = sample;
                continue;
            }
            for (int index = 0; index < 3; ++index) {
                if (std::abs(sample[index] - (*reference)[index]) > blankTolerance) {
                    return false;
                }
            }
        }
    }
    return true;
}

} // namespace zorv
