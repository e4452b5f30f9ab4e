#pragma once

#include <QByteArray>
#include <QJsonValue>

#include <optional>

namespace zorv {

// How writeJson() lays out a document.
//
// Pretty form: two-space indent, one member or element per line, `"key" : value`, empty
// containers as `{}` and `[]`:
//   {
//     "a" : 1,
//     "b" : [
//       1,
//       2
//     ]
//   }
// Compact form: no insignificant white space at all.
// Neither form ends with a line feed: a JSON-lines log adds its own separator, and a snapshot file
// holds exactly the document.
struct JsonFormat {
    enum class Layout { Pretty, Compact };
    Layout layout = Layout::Pretty;
    // Writes "/" as "\/" (the engine's diagnostics files).
    bool escapeSlashes = false;

    static constexpr JsonFormat pretty() { return {Layout::Pretty, false}; }
    static constexpr JsonFormat compact() { return {Layout::Compact, false}; }
    [[nodiscard]] constexpr JsonFormat withEscapedSlashes() const { return {layout, true}; }
};

// The one canonical JSON writer of the system; writing the same value twice gives identical bytes.
// - Keys are sorted at every level by UTF-16 code unit (so "Z" comes before "a", and characters
//   beyond U+FFFF, written as surrogates, before U+E000 to U+FFFF).
// - Strings are UTF-8; only '"', '\\', control characters (as \b \f \n \r \t or \u00XX) and, when
//   asked, '/' are escaped. A lone surrogate, which UTF-8 cannot hold, is written as its \uXXXX
//   escape so that the text reads back unchanged, and so is U+FEFF, which many readers drop at
//   the start of a text.
// - Integers (and doubles with an integral value within +-2^53, -0.0 included) are written as
//   integers, other doubles in their shortest round-trip form ("0.1", "1e+300").
// Returns nullopt, and nothing is half written, when the value holds a non-finite number, an
// undefined value, or containers nested deeper than kMaxJsonNesting: parseJson() would refuse the
// result, so such a file must never be written.
[[nodiscard]] std::optional<QByteArray> writeJson(const QJsonValue &value, JsonFormat format);

} // namespace zorv
