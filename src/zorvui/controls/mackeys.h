#pragma once

#include <QtGlobal>
#include <qnamespace.h>

#include <optional>

class QKeyEvent;

namespace zorv {

// A key press as the shortcut model stores it: a mac virtual key code and modifier bits in the
// layout of KeyShortcut.
struct MacKeyPress {
    quint16 keyCode = 0;
    quint64 modifiers = 0;

    friend bool operator==(const MacKeyPress &, const MacKeyPress &) = default;
};

// The one table between Qt's keys and mac virtual key codes, and Qt's modifiers and the mac
// modifier bits (Control to control, Alt to option, Shift to shift, Meta to command).
// Simulated key events carry the mac code and bits directly (see simulatedKeyEvent()).
class MacKeys {
public:
    // The scan code that marks a key event as simulated: its native virtual key is the mac code
    // and its native modifiers are the mac bits.
    static constexpr quint32 simulatedScanCode = 0x5A4B4559;

    [[nodiscard]] static std::optional<quint16> keyCode(int qtKey);
    [[nodiscard]] static quint64 modifiers(Qt::KeyboardModifiers qtModifiers);
    // The press of a key event; nothing for a key without a mac code.
    [[nodiscard]] static std::optional<MacKeyPress> press(const QKeyEvent &event);
    // A key-down event carrying the mac code and bits directly.
    [[nodiscard]] static QKeyEvent simulatedKeyEvent(MacKeyPress press);
};

} // namespace zorv
