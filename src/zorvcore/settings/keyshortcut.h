#pragma once

#include "jsonreader.h"

#include <QJsonValue>
#include <QString>
#include <QStringList>

namespace zorv {

// A recorded hot key: a macOS virtual key code (A is 0) and a modifier mask in the bit layout of
// AppKit's event modifier flags. Both are stored exactly as recorded so that files stay portable
// between machines; bits this class does not show (caps lock, function, device bits) still take
// part in equality.
class KeyShortcut {
public:
    static constexpr quint64 kShift = quint64(1) << 17;
    static constexpr quint64 kControl = quint64(1) << 18;
    static constexpr quint64 kOption = quint64(1) << 19;
    static constexpr quint64 kCommand = quint64(1) << 20;

    constexpr KeyShortcut(quint16 keyCode, quint64 modifiers)
        : m_keyCode(keyCode), m_modifiers(modifiers) {}

    [[nodiscard]] constexpr quint16 keyCode() const { return m_keyCode; }
    [[nodiscard]] constexpr quint64 modifiers() const { return m_modifiers; }

    // Modifier glyphs in the fixed order control, option, shift, command, then the key name, with
    // no separator: "⇧⌘A".
    [[nodiscard]] QString display() const;
    // caps(display()).
    [[nodiscard]] QStringList caps() const;

    // The name of a key code ("A", "Space", "F5", "⎋"), or "key <code>" for a code without one.
    [[nodiscard]] static QString keyName(quint16 keyCode);
    // Splits a display text into key caps: each leading modifier glyph is a cap of its own, and
    // everything from the first other character on is one last cap.
    [[nodiscard]] static QStringList caps(const QString &display);
    // "⌃", "⌥", "⇧", "⌘", in display order.
    [[nodiscard]] static const QStringList &modifierGlyphs();

    [[nodiscard]] QJsonValue toJson() const;
    [[nodiscard]] static KeyShortcut fromJson(const JsonValueRef &value);

    friend constexpr bool operator==(const KeyShortcut &, const KeyShortcut &) = default;

private:
    quint16 m_keyCode;
    quint64 m_modifiers;
};

} // namespace zorv
