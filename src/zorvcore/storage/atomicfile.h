#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace zorv {

// Whether a write waits until the new content is on the disk. Store files and backups do (a few
// milliseconds per write, and the user's setup survives a power cut); the engine's diagnostics,
// written several times per scan on the main thread, do not.
enum class FileDurability { Synced, Unsynced };

// Replaces the file at `path` with `bytes` through a temporary file in the same folder that is
// renamed into place, so a reader sees either the old or the new content, never half of it.
// Returns nullopt on success, otherwise the reason the write failed (the old file is untouched).
// `beforeReplacing`, when given, runs once the temporary file holds all of `bytes` and just before
// it takes the file's place; it does not run when the write fails before that point (a folder
// in the way among the reasons).
[[nodiscard]] std::optional<QString>
writeFileAtomically(const QString &path, const QByteArray &bytes, FileDurability durability,
                    const std::function<void()> &beforeReplacing = {});

// Removes the temporary files that writeFileAtomically() leaves in `folder` when the process dies
// between creating one and renaming it into place: regular files named "<target>.writing-XXXXXX"
// (six ASCII letters) whose target name `isTarget` accepts. Meant for start-up, before anything
// writes those targets again; a file that cannot be removed stays for the next start.
void removeStaleTemporaryFiles(const QString &folder,
                               const std::function<bool(const QString &target)> &isTarget);

} // namespace zorv
