#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

namespace zorv {

// The image as PNG bytes; nullopt for a null image or when encoding fails.
[[nodiscard]] std::optional<QByteArray> zorvPNGData(const QImage &image);

// A fingerprint for telling whether two icons show the same picture whatever their size: the
// image drawn over the whole of a transparent 32 x 32 RGBA bitmap, encoded as PNG. Nullopt for a
// null image or when encoding fails.
[[nodiscard]] std::optional<QByteArray> zorvNormalizedPNG(const QImage &image);

// Marks a menu-bar glyph as a template image: only its shape counts, and whoever draws it tints it
// to suit the bar. The mark travels with copies of the image.
void markAsTemplate(QImage &image);
[[nodiscard]] bool isTemplateImage(const QImage &image);

} // namespace zorv
