#pragma once

#include <QColor>
#include <QString>
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
    // The colour as "#" and six upper-case hexadecimal digits, its sRGB red, green and blue each
    // times 255 rounded half away from zero. Components beyond sRGB (wide-gamut colours) are
    // clamped to 0-255, so the text always parses again; alpha is dropped; an invalid colour is
    // black.
    [[nodiscard]] static QString hexString(const QColor &color);
};

} // namespace zorv
