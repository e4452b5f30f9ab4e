#include "controls/shortcutrule.h"

#include <algorithm>
#include <array>

namespace zorv {

bool ShortcutRule::isFunctionKey(quint16 keyCode) {
    // F1 to F20.
    static constexpr std::array<quint16, 20> codes = {
        122, 120, 99, 118, 96, 97, 98, 100, 101, 109, 103, 111, 105, 107, 113, 106, 64, 79, 80, 90};
    return std::find(codes.begin(), codes.end(), keyCode) != codes.end();
}

ShortcutRule::Outcome ShortcutRule::decide(MacKeyPress press) {
    const quint64 kept = press.modifiers & keptModifiers;
    if (press.keyCode == escapeKey && kept == 0) {
        return Cancel{};
    }
    if (press.keyCode == deleteKey && kept == 0) {
        return Reset{};
    }
    if ((press.modifiers & realModifiers) != 0 || isFunctionKey(press.keyCode)) {
        return Record{KeyShortcut(press.keyCode, kept)};
    }
    return Ignore{};
}

} // namespace zorv
