#pragma once

#include "clock.h"
#include "latesttask.h"
#include "storeloader.h"

#include <QByteArray>
#include <QJsonValue>
#include <QString>

#include <optional>

namespace zorv {

class SystemLog;

// The file side of a JSONStore, independent of the value type: where the file is, whether it may
// be written, the debounced write and the immediate ones. Main thread only.
class JSONStoreBase {
public:
    JSONStoreBase(const JSONStoreBase &) = delete;
    JSONStoreBase &operator=(const JSONStoreBase &) = delete;
    virtual ~JSONStoreBase() = default;

    [[nodiscard]] const QString &path() const { return m_path; }

    // What the file holds, for putting it back byte for byte (keys this version does not know
    // included).
    struct FileImage {
        // False when the file does not hold the store's value (a write is pending or failed, or
        // the file could not be read at start): the value is then written afresh instead.
        bool exact = false;
        // The file's bytes; nullopt when there is no file.
        std::optional<QByteArray> bytes;
    };
    [[nodiscard]] FileImage fileImage() const;

    // Cancels the pending write, if any, and writes the current value now, even when nothing
    // changed. A failure is dropped: the value stays in memory and the next change tries again.
    void flush();
    // Drops the pending write, if any, for a caller that writes the current value itself.
    void cancelPendingWrite();

protected:
    JSONStoreBase(const QString &directory, const QString &fileName, Duration debounce,
                  Clock &clock);

    [[nodiscard]] virtual QJsonValue currentJson() const = 0;

    // Called once by the typed store after it has read the file.
    void setLoadOutcome(StoreLoadOutcome outcome);
    // (Re)starts the quiet period after which the current value is written.
    void scheduleWrite();
    // Writes `json` now; throws StoreError, leaving the file as it was, when that fails.
    void writeOrThrow(const QJsonValue &json);
    // Puts the image's bytes back (or removes the file when there was none); throws StoreError,
    // leaving the file as it was, when that fails. An image that is not exact is refused.
    void restoreOrThrow(const FileImage &image);

private:
    QCoro::Task<> writeAfterQuietPeriod(CancellationToken cancellation);
    void writeNow();

    QString m_directory;
    QString m_path;
    Duration m_debounce;
    Clock &m_clock;
    // Whether the file holds the current value: set by every write that succeeds, cleared by
    // every change.
    bool m_fileCurrent = true;
    LatestTask m_pendingWrite;
};

} // namespace zorv
