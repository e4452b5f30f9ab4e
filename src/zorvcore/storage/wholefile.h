#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorv {

// The whole content of the regular file at `path` (or the one a symbolic link there leads to);
// nullopt when it cannot be opened, is something else (a folder, a named pipe, a device), or a
// read fails part way, so that a truncated read is never taken for the file.
[[nodiscard]] std::optional<QByteArray> readWholeFile(const QString &path);

// At most `maxBytes` from the start of the regular file at `path`, read as readWholeFile() reads;
// for files whose size is not ours to trust (it may change between a size check and the read).
[[nodiscard]] std::optional<QByteArray> readFileHead(const QString &path, qint64 maxBytes);

// The lines at the end of the regular file at `path`, read as readWholeFile() reads: the whole
// file when it holds at most `maxBytes`, otherwise the lines that begin within its last
// `maxBytes` (the line that boundary cuts is left out). For logs, whose size is not ours to trust.
[[nodiscard]] std::optional<QByteArray> readLastLines(const QString &path, qint64 maxBytes);

} // namespace zorv
