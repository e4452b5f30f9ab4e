#pragma once

#include <QDateTime>
#include <QJsonValue>
#include <QString>

#include <functional>

namespace zorv {

class SystemLog;

// What reading a store file at start came to.
enum class StoreLoadOutcome {
    // The file was read and decoded (keys it lacks filled in from the defaults).
    Loaded,
    // There is no file: the defaults stand, nothing is logged.
    Missing,
    // The file could not be read or decoded and was moved to a quarantine name.
    SetAside,
    // The file could not be read or decoded, nor moved away: it is still in place, and the next
    // write replaces it.
    LeftInPlace,
};

// Reads the store file at `path` once, after removing the temporary files that a write of it cut
// short by a crash left beside it (see removeStaleTemporaryFiles()): parses it, lays it over
// `defaults` (deepMerge) and hands the result to `decode`, which throws DecodeError when it does
// not fit the value type. A file that exists but cannot be read (permissions, I/O error, anything
// but a regular file in its place, such as a folder or a named pipe), is not JSON, or does not
// decode is set aside under the name "<file>.unreadable-<Unix seconds at `now`>" (with
// "-2", "-3", ... added when that name is taken), and the outcome is written to `log`.
[[nodiscard]] StoreLoadOutcome loadStoreFile(const QString &path, const QJsonValue &defaults,
                                             const std::function<void(const QJsonValue &)> &decode,
                                             const QDateTime &now, SystemLog &log);

} // namespace zorv
