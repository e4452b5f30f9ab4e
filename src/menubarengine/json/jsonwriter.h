#pragma once

#include <QByteArray>
#include <QJsonValue>

#include <optional>

namespace zorv {

// The one canonical JSON writer of the system. Keys are sorted at every level; integers (and
// doubles with an integral value of at most 2^53) are written as integers, other doubles in their
// shortest round-trip form. Writing the same value twice gives identical bytes.
//
// Pretty form: two-space indent, one member per line, `"key" : value`.
// Compact form: no insignificant white space.
struct JsonFormat {
    enum class Layout { Pretty, Compact };
    Layout layout = Layout::Pretty;
    // Writes "/" as "\/" (the engine's diagnostics files).
    bool escapeSlashes = false;

    static constexpr JsonFormat pretty() { return {Layout::Pretty, false}; }
    static constexpr JsonFormat compact() { return {Layout::Compact, false}; }
};

// nullopt when the value holds a non-finite number: such a write must be dropped, never half done.
[[nodiscard]] std::optional<QByteArray> writeJson(const QJsonValue &value, JsonFormat format);

} // namespace zorv
