#pragma once

#include <QByteArrayList>
#include <QJsonObject>
#include <QString>

namespace zorv {

class Clock;

// The writer of the engine's trail of decisions in the app folder: whole snapshots
// ("diagnostics.json", "last-activate.json", ...) and JSON-lines logs ("events.jsonl",
// "reconcile-log.jsonl") kept to their newest 600 lines. Each record is stamped with "at", the
// time of writing (ISO 8601, UTC, whole seconds), replacing any "at" it had; keys come out sorted
// and "/" escaped. Nothing in the engine depends on these files, so every failure is swallowed.
//
// Main thread only: an append reads, trims and rewrites the whole log, so two appends to one log
// at once could lose a line.
class Diagnostics {
public:
    static constexpr qsizetype kMaxLogLines = 600;

    Diagnostics(QString folder, const Clock &clock);

    // Replaces the file `fileName` with the pretty-printed record.
    void write(const QString &fileName, const QJsonObject &record) const;
    // Adds the record as the last compact line of the log `fileName`. A log that cannot be read
    // as UTF-8 text starts over; blank lines are dropped.
    void append(const QString &fileName, const QJsonObject &record) const;

private:
    [[nodiscard]] QJsonObject stamped(QJsonObject record) const;
    [[nodiscard]] QString pathOf(const QString &fileName) const;
    [[nodiscard]] static QByteArrayList existingLines(const QString &path);

    QString m_folder;
    const Clock &m_clock;
};

} // namespace zorv
