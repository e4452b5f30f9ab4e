#pragma once

#include <QChar>

#include <optional>

namespace zorv {

// The characters the simulated Mac's keyboard (a US layout) types: what a key code gives alone
// and with Shift. Letters are given in lower case.
class KeyLayout {
public:
    [[nodiscard]] static std::optional<QChar> character(quint16 keyCode, bool shift = false);
};

} // namespace zorv
