#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorv {

// The whole content of the regular file at `path` (or the one a symbolic link there leads to);
// nullopt when it cannot be opened, is something else (a folder, a named pipe, a device), or a
// read fails part way, so that a truncated read is never taken for the file.
[[nodiscard]] std::optional<QByteArray> readWholeFile(const QString &path);

} // namespace zorv
