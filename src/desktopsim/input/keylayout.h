#pragma once

#include <QChar>

#include <optional>

namespace zorv {

// The characters the simulated Mac's keyboard (a US layout) types: what a key code gives alone
// and with Shift. Letters are given in lower case.
class KeyLayout {
public:
    [[nodiscard]] static std::optional<QChar> character(quint16 keyCode, bool shift = false);

    // The key that types a character, and whether Shift is held for it (capitals and the
    // symbols above the digits); nothing for a character the keyboard does not type.
    struct Stroke {
        quint16 keyCode = 0;
        bool shift = false;

        friend bool operator==(const Stroke &, const Stroke &) = default;
    };
    [[nodiscard]] static std::optional<Stroke> stroke(QChar character);
};

} // namespace zorv
