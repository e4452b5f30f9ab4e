#pragma once

#include <QColor>
#include <QStringView>

#include <optional>

namespace zorv {

// Colours the program keeps as text: "#" followed by six hexadecimal digits (the palette's values,
// the menu-bar tint, the accent buttons' label). The one hex parser of the user interface; each
// caller picks its own fallback for text that does not parse.
class HexColor {
public:
    // Spaces and tabs around the text are ignored (line breaks are not), one leading "#" is
    // optional, and exactly six hexadecimal digits must follow: no sign, no other character. The
    // result is opaque sRGB; nothing else gives a colour.
    [[nodiscard]] static std::optional<QColor> parse(QStringView text);
};

} // namespace zorv
