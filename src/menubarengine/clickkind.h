#pragma once

#include <QHashFunctions>

namespace zorv {

// How activation clicks an item for the user: a plain left click, a right click, or a left click
// with the Option modifier held (which many items answer with an extended menu).
enum class ClickKind { left, right, option };

inline size_t qHash(ClickKind kind, size_t seed = 0) noexcept {
    return ::qHash(static_cast<int>(kind), seed);
}

} // namespace zorv
