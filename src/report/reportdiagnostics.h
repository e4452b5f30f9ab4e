#pragma once

#include <QString>

namespace zorv {

// The diagnostics text a problem report carries: whether the process is trusted for the
// accessibility interface, then the engine's diagnostics snapshot and the tails of its two logs,
// each with every item title replaced, so no title of another application's status item leaves
// the machine.
class ReportDiagnostics {
public:
    ReportDiagnostics() = delete;

    // What a file that cannot be read contributes.
    static inline const QString missingFile = QStringLiteral("(none)");
    // What a file or log line that does not parse as JSON contributes: its titles could not be
    // found, so none of it is sent.
    static inline const QString unreadable = QStringLiteral("(unreadable, not sent)");
    // The most recent lines of each log that are sent.
    static constexpr qsizetype maxLogLines = 300;
    // How much of each log's end is read: a log is not ours to trust with its size.
    static constexpr qint64 maxLogBytes = qint64(4) << 20;

    // Reads "diagnostics.json", "events.jsonl" and "reconcile-log.jsonl" from the data folder;
    // never creates the folder.
    [[nodiscard]] static QString snapshot(const QString &dataFolder, bool trusted);
    // One JSON document as a compact line with sorted keys and every value under a key spelled
    // exactly "title", at any depth, replaced by "(title not sent)"; `unreadable` for text that
    // is not a JSON object or array.
    [[nodiscard]] static QString withoutTitles(const QString &text);
};

} // namespace zorv
