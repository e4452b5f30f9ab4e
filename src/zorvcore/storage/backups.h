#pragma once

#include "storevalue.h"

#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorv {

class Clock;

// Timestamped JSON snapshots in the backups folder, "<label>-<yyyyMMdd-HHmmss-SSS>.json" (UTC),
// with the newest `keep` of each label kept. The stamp has a fixed width, so name order within a
// label is time order. A label matches every longer label that extends it with a hyphen, so
// labels should not be prefixes of one another. Files with other names ("before-import-<UUID>.json"
// among them) are never listed or removed. Creating it removes what writes cut short by a crash
// left in the folder ("<name>.json.writing-XXXXXX", see removeStaleTemporaryFiles()). Main thread
// only.
class Backups {
public:
    Backups(QString folder, const Clock &clock);

    // Writes a snapshot of `value` (pretty-printed, sorted keys, dates as seconds since 2001) and
    // removes all but the newest `keep` snapshots of the label. Returns the written file's path,
    // or nullopt when nothing could be written (existing snapshots are then left alone).
    template <StoreValue T>
    std::optional<QString> snapshot(const T &value, const QString &label, int keep) const {
        return snapshotJson(toStoreJson(value), label, keep);
    }

    // The newest snapshot of the label; nullopt when there is none or it cannot be read or
    // decoded (older snapshots are not tried).
    template <StoreValue T> [[nodiscard]] std::optional<T> latest(const QString &label) const {
        const auto json = latestJson(label);
        if (!json) {
            return std::nullopt;
        }
        try {
            return fromStoreJson<T>(*json);
        } catch (const DecodeError &) {
            return std::nullopt;
        }
    }

private:
    std::optional<QString> snapshotJson(const QJsonValue &json, const QString &label,
                                        int keep) const;
    [[nodiscard]] std::optional<QJsonValue> latestJson(const QString &label) const;
    // The label's snapshot file names, oldest first.
    [[nodiscard]] QStringList files(const QString &label) const;
    // Removes all but the newest `keep` of the label's snapshots, leaving `incoming` (a name
    // about to be replaced) out of both the count and the removal.
    void prune(const QString &label, int keep, const QString &incoming = {}) const;

    QString m_folder;
    const Clock &m_clock;
};

} // namespace zorv
