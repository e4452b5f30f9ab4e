#pragma once

#include "simcloudwrite.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

namespace zorv {

class SimCloudKeyValueStore;

// The iCloud account that several simulated Macs share: the key-value server's copy of every
// key. Each Mac is a SimCloudKeyValueStore over the same SimCloud. A write from one Mac reaches
// the server at once and every other signed-in Mac at the next turn of the main event loop,
// where that Mac posts its external-change notification; the writer never hears of its own
// write. The server keeps a log of the latest writes (at most writesKept, so that a Mac that runs
// for weeks does not fill its memory with them) and counts every write, so tests can check that
// nothing was written (by the count: the log stops growing once full). Main thread.
class SimCloud : public QObject {
    Q_OBJECT

public:
    explicit SimCloud(QObject *parent = nullptr);
    ~SimCloud() override;

    // The server's copy of the key.
    [[nodiscard]] std::optional<QByteArray> data(const QString &key) const;
    // Each write holds a whole record (the synced setup is tens of kilobytes), so only a few
    // are kept.
    static constexpr qsizetype writesKept = 10;

    // The latest writes that reached the server, oldest first: all of them until there were
    // writesKept.
    [[nodiscard]] const QList<SimCloudWrite> &writes() const { return m_writes; }
    // How many writes reached the server in all.
    [[nodiscard]] qint64 writeCount() const { return m_writeCount; }

private:
    friend class SimCloudKeyValueStore;

    struct Entry {
        QByteArray data;
        // The Mac that wrote the current value (or removed the key).
        int writerId = 0;
        bool removed = false;
    };

    // Returns the Mac's number, unique in this cloud.
    int attach(SimCloudKeyValueStore *device);
    void detach(SimCloudKeyValueStore *device);
    [[nodiscard]] QHash<QString, QByteArray> snapshot() const;
    void upload(SimCloudKeyValueStore *writer, const QString &key,
                const std::optional<QByteArray> &data);
    // Brings one Mac's copy of the key up to the server's; false when the server's value is that
    // Mac's own write, which it already holds.
    [[nodiscard]] bool download(SimCloudKeyValueStore *device, const QString &key) const;

    QHash<QString, Entry> m_entries;
    QList<SimCloudWrite> m_writes;
    qint64 m_writeCount = 0;
    QList<QPointer<SimCloudKeyValueStore>> m_devices;
    int m_nextDeviceId = 1;
};

} // namespace zorv
