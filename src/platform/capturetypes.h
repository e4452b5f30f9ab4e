#pragma once

#include "shareablecontent.h"

#include <QColor>
#include <QImage>

#include <optional>

namespace zorv {

enum class CaptureError {
    None,
    PermissionDenied, // no Screen Recording permission
    NotFound,         // the window or display no longer exists
    Failed,
};

// How a capture is taken (SCStreamConfiguration): the image size in pixels, whether the cursor is
// drawn, the colour behind a single window, and whether a single window's shadow is left out.
struct CaptureConfiguration {
    int width = 0;
    int height = 0;
    bool showsCursor = true;
    QColor backgroundColor = Qt::black;
    bool ignoresShadowsSingleWindow = false;

    friend bool operator==(const CaptureConfiguration &, const CaptureConfiguration &) = default;
};

struct ShareableContentResult {
    std::optional<ShareableContent> content;
    CaptureError error = CaptureError::None;
};

// A captured picture: 32 bits per pixel, row 0 at the top, raw bytes readable through
// QImage::constBits() and bytesPerLine(), each pixel's bytes in memory in the order blue, green,
// red, alpha (QImage::Format_ARGB32_Premultiplied on a little-endian machine); a null image when
// error is not None.
struct CaptureResult {
    QImage image;
    CaptureError error = CaptureError::None;
};

} // namespace zorv
