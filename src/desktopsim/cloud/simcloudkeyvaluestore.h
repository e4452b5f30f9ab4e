#pragma once

#include "cloudkeyvaluestore.h"

#include <QByteArray>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QString>

#include <optional>

namespace zorv {

class SimCloud;

// One simulated Mac's view of the shared iCloud key-value store. Like the real store it keeps a
// local copy: reads answer from it, a write changes it at once and goes on to the server, and
// other Macs' writes replace it as they arrive, each arrival posting changedExternally. A Mac
// without an iCloud account (no identity token) keeps its copy to itself and hears of nothing.
// Starts with the server's current content. Main thread.
class SimCloudKeyValueStore : public CloudKeyValueStore {
    Q_OBJECT

public:
    SimCloudKeyValueStore(SimCloud &cloud, QString deviceName, QObject *parent = nullptr);
    ~SimCloudKeyValueStore() override;

    [[nodiscard]] bool hasIdentityToken() const override;
    // Returns the scripted result (true unless a test made it fail); changes travel on their own.
    bool synchronize() override;

    [[nodiscard]] std::optional<QByteArray> data(const QString &key) const override;
    void setData(const QByteArray &data, const QString &key) override;
    void removeObject(const QString &key) override;

    [[nodiscard]] const QString &deviceName() const { return m_deviceName; }
    // Signing in or out changes only whether later writes are exchanged.
    void setSignedIn(bool signedIn) { m_signedIn = signedIn; }
    void setSynchronizeSucceeds(bool succeeds) { m_synchronizeSucceeds = succeeds; }
    [[nodiscard]] int synchronizeCount() const { return m_synchronizeCount; }

private:
    friend class SimCloud;

    void write(const QString &key, const std::optional<QByteArray> &data);
    // Queues taking the server's value of the key at the next turn of the event loop; several
    // writes of one key before then arrive together, with one notification.
    void scheduleDownload(const QString &key);

    QPointer<SimCloud> m_cloud;
    const QString m_deviceName;
    int m_deviceId = 0;
    QHash<QString, QByteArray> m_local;
    QSet<QString> m_pendingDownloads;
    bool m_signedIn = true;
    bool m_synchronizeSucceeds = true;
    int m_synchronizeCount = 0;
};

} // namespace zorv
