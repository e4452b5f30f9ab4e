#pragma once

#include "settings/keyshortcut.h"

#include <QVariant>

#include <optional>

namespace zorv {

// How a shortcut travels to and from QML: {keyCode, modifiers}, or null for none (the shape the
// kit's shortcut recorder reports).
[[nodiscard]] QVariant shortcutValue(const std::optional<KeyShortcut> &shortcut);

// What a QML value asks for: a shortcut, or none for null or undefined. Anything else (a missing
// or fractional field, a key code past 0xFFFF, a negative modifier mask) is refused: nullopt.
[[nodiscard]] std::optional<std::optional<KeyShortcut>> shortcutFromValue(const QVariant &value);

} // namespace zorv
