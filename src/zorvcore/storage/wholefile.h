#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorv {

// The whole content of the file at `path`; nullopt when it cannot be opened or a read fails part
// way, so that a truncated read is never taken for the file.
[[nodiscard]] std::optional<QByteArray> readWholeFile(const QString &path);

} // namespace zorv
