#pragma once

#include "clock.h"
#include "latesttask.h"
#include "storeloader.h"

#include <QJsonValue>
#include <QString>

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
    // False when the file was there at start but could neither be read nor moved aside: the store
    // then keeps its value in memory only.
    [[nodiscard]] bool isWritable() const { return m_writable; }

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

private:
    QCoro::Task<> writeAfterQuietPeriod(CancellationToken cancellation);
    void writeNow();

    QString m_directory;
    QString m_path;
    Duration m_debounce;
    Clock &m_clock;
    bool m_writable = true;
    LatestTask m_pendingWrite;
};

} // namespace zorv
