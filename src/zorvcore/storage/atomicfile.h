#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorv {

// Replaces the file at `path` with `bytes` through a temporary file in the same folder that is
// renamed into place, so a reader sees either the old or the new content, never half of it.
// Returns nullopt on success, otherwise the reason the write failed (the old file is untouched).
[[nodiscard]] std::optional<QString> writeFileAtomically(const QString &path,
                                                         const QByteArray &bytes);

} // namespace zorv
