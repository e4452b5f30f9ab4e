#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace zorv {

// Reads an application's menu-bar glyph file: a PDF (its first page, drawn at the page's size in
// points at twice the pixel density) or any raster format Qt reads (PNG, TIFF), a name ending in
// "@2x" marking a raster picture drawn at twice the density. Glyph files come from other
// applications' bundles: a file over a few hundred kilobytes is not read at all, and a page over
// a few hundred points is drawn shrunk to fit. Nullopt when the file cannot be read or holds no
// picture. Any thread.
[[nodiscard]] std::optional<QImage> readGlyphFile(const QString &path);

} // namespace zorv
