#pragma once

#include "clock.h"

#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorv {

// The writer of the engine's trail of decisions in the app folder: whole snapshots
// ("diagnostics.json", "last-activate.json", ...) and JSON-lines logs ("events.jsonl",
// "reconcile-log.jsonl") that keep at least their newest 600 lines. Each record is stamped with
// "at", the time of writing (ISO 8601, UTC, whole seconds), replacing any "at" it had; keys come
// out sorted and "/" escaped. Nothing in the engine depends on these files, so every failure is
// swallowed.
//
// A log line costs one appending write. A log is cut back to its newest kMaxLogLines lines at
// its first line in this process (which also ends a line a crash left unfinished) and whenever
// it reaches kCutBackAtLines, so it never holds more than that plus what others appended.
// Main thread only: two cut-backs of one log at once could lose lines.
class Diagnostics {
public:
    static constexpr qsizetype kMaxLogLines = 600;
    static constexpr qsizetype kCutBackAtLines = 2 * kMaxLogLines;
    // How much of a log's end a cut-back reads: lines before it are dropped.
    static constexpr qint64 kMaxLogReadBytes = qint64(8) << 20;

    Diagnostics(QString folder, const Clock &clock);

    // Replaces the file `fileName` with the pretty-printed record.
    void write(const QString &fileName, const QJsonObject &record) const;
    // Like write(), but leaves the file as it is while the record differs from the one this writer
    // last put there only in `volatileKeys`, until that one is `refreshAfter` old.
    void writeWhenChanged(const QString &fileName, const QJsonObject &record,
                          const QStringList &volatileKeys, Duration refreshAfter) const;
    // Writes the newest record writeWhenChanged() left out of `fileName`, if any: for a reader
    // that needs the file up to date now.
    void writeLeftOut(const QString &fileName) const;
    // Adds the record as the last compact line of the log `fileName`. A log that cannot be read
    // as UTF-8 text starts over; blank lines are dropped.
    void append(const QString &fileName, const QJsonObject &record) const;

private:
    [[nodiscard]] QJsonObject stamped(QJsonObject record) const;
    [[nodiscard]] QString pathOf(const QString &fileName) const;
    // Keeps the newest kMaxLogLines lines of the log at `path`; the lines it holds afterwards.
    [[nodiscard]] static qsizetype cutBack(const QString &path);

    struct Written {
        QJsonObject record; // without its volatile keys
        MonotonicTime at;
        // The newest record given since, whole, while the file does not hold it.
        std::optional<QJsonObject> leftOut;
    };

    QString m_folder;
    const Clock &m_clock;
    // What writeWhenChanged() last wrote to each file.
    mutable QHash<QString, Written> m_written;
    // Lines in each log this process appends to, as far as it knows; a log not listed is cut
    // back before its next line. Only a cache of the files' state, hence mutable.
    mutable QHash<QString, qsizetype> m_logLines;
};

} // namespace zorv
