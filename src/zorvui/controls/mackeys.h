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
// modifier bits, as Qt on a Mac has them: Control is Command (so "Ctrl+…" sequences and the
// standard key sequences are Command's), Meta is Control, Alt is Option, Shift is Shift.
// Simulated key events carry the mac code and bits directly (see simulatedKeyEvent()).
//
// A mac key code names a key by its place on the keyboard, not by the symbol it types; so does
// the scan code X11 and Wayland deliver (the Linux input code plus 8), which is read first. Where
// the platform gives no scan code (offscreen, synthesised events) the Qt key decides, a symbol
// typed with Shift ("!", "{") counting as the key that carries it on a US keyboard ("1", "[").
class MacKeys {
public:
    // What the native scan codes of the platform's key events mean.
    enum class ScanCodes {
        None,  // nothing to go by
        Linux, // the Linux input code plus 8, as X11 and Wayland give it
    };

    // The scan code that marks a key event as simulated: its native virtual key is the mac code
    // and its native modifiers are the mac bits.
    static constexpr quint32 simulatedScanCode = 0x5A4B4559;

    [[nodiscard]] static std::optional<quint16> keyCode(int qtKey);
    // The Qt key of a mac key code (the unshifted key); nothing for a code without one.
    [[nodiscard]] static std::optional<int> qtKey(quint16 keyCode);
    // The key of the Linux scan code (input code plus 8) on a mac keyboard; nothing for a scan
    // code without one.
    [[nodiscard]] static std::optional<quint16> keyCodeOfScanCode(quint32 scanCode);
    // The unshifted key of a symbol typed with Shift on a US keyboard: Key_Exclam gives Key_1;
    // any other key stays as it is.
    [[nodiscard]] static int unshifted(int qtKey);
    // The meaning of scan codes on the running platform.
    [[nodiscard]] static ScanCodes platformScanCodes();
    [[nodiscard]] static quint64 modifiers(Qt::KeyboardModifiers qtModifiers);
    [[nodiscard]] static Qt::KeyboardModifiers qtModifiers(quint64 modifiers);
    // Whether a key pressed with these mac bits types its character: with Command or Control held
    // it is a command and types nothing, as a Mac's Qt delivers it with no text.
    [[nodiscard]] static bool typesText(quint64 modifiers);
    // The press of a key event; nothing for a key without a mac code.
    [[nodiscard]] static std::optional<MacKeyPress> press(const QKeyEvent &event);
    [[nodiscard]] static std::optional<MacKeyPress> press(const QKeyEvent &event,
                                                          ScanCodes scanCodes);
    // A key-down event carrying the mac code and bits directly.
    [[nodiscard]] static QKeyEvent simulatedKeyEvent(MacKeyPress press);
};

} // namespace zorv
