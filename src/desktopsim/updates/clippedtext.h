#pragma once

#include <QString>

namespace zorv {

// `text` cut to at most `length` characters (at least 1), the cut marked with "…" and never
// inside a character outside the Basic Multilingual Plane.
[[nodiscard]] QString clippedText(QString text, qsizetype length);

} // namespace zorv
