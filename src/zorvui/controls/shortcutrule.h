#pragma once

#include "controls/mackeys.h"
#include "settings/keyshortcut.h"

#include <variant>

namespace zorv {

// What an armed shortcut recorder does with one key press: Escape alone cancels, Delete alone
// clears the shortcut, a key held with control, option or command is recorded (shift kept when
// held), and so is a bare function key F1 to F20. Anything else (a bare letter, shift alone, a
// bare editing key such as Home or Page Down, which as a global hot key would be taken from every
// application) is ignored and the recorder stays armed.
class ShortcutRule {
public:
    struct Cancel {
        friend bool operator==(const Cancel &, const Cancel &) = default;
    };
    struct Reset {
        friend bool operator==(const Reset &, const Reset &) = default;
    };
    struct Record {
        KeyShortcut shortcut;
        friend bool operator==(const Record &, const Record &) = default;
    };
    struct Ignore {
        friend bool operator==(const Ignore &, const Ignore &) = default;
    };
    using Outcome = std::variant<Cancel, Reset, Record, Ignore>;

    // The modifier bits a shortcut keeps, and those of them that count as a real modifier.
    static constexpr quint64 keptModifiers = 0x1E0000;
    static constexpr quint64 realModifiers = 0x1C0000;

    static constexpr quint16 escapeKey = 53;
    static constexpr quint16 deleteKey = 51;

    [[nodiscard]] static Outcome decide(MacKeyPress press);
    [[nodiscard]] static bool isFunctionKey(quint16 keyCode);
};

} // namespace zorv
