#include "simcloudkeyvaluestore.h"

#include "simcloud.h"

namespace zorv {

SimCloudKeyValueStore::SimCloudKeyValueStore(SimCloud &cloud, QString deviceName, QObject *parent)
    : CloudKeyValueStore(parent), m_cloud(&cloud), m_deviceName(std::move(deviceName)),
      m_deviceId(cloud.attach(this)), m_local(cloud.snapshot()) {}

SimCloudKeyValueStore::~SimCloudKeyValueStore() {
    if (m_cloud) {
        m_cloud->detach(this);
    }
}

bool SimCloudKeyValueStore::hasIdentityToken() const {
    return m_signedIn;
}

bool SimCloudKeyValueStore::synchronize() {
    ++m_synchronizeCount;
    return m_synchronizeSucceeds;
}

std::optional<QByteArray> SimCloudKeyValueStore::data(const QString &key) const {
    const auto value = m_local.constFind(key);
    return value != m_local.cend() ? std::optional<QByteArray>(*value) : std::nullopt;
}

void SimCloudKeyValueStore::setData(const QByteArray &data, const QString &key) {
    write(key, data);
}

void SimCloudKeyValueStore::removeObject(const QString &key) {
    write(key, std::nullopt);
}

void SimCloudKeyValueStore::write(const QString &key, const std::optional<QByteArray> &data) {
    if (data) {
        m_local.insert(key, *data);
    } else {
        m_local.remove(key);
    }
    if (m_cloud && m_signedIn) {
        m_cloud->upload(this, key, data);
    }
}

void SimCloudKeyValueStore::scheduleDownload(const QString &key) {
    if (m_pendingDownloads.contains(key)) {
        return;
    }
    m_pendingDownloads.insert(key);
    QMetaObject::invokeMethod(
        this,
        [this, key] {
            m_pendingDownloads.remove(key);
            if (m_cloud && m_signedIn && m_cloud->download(this, key)) {
                Q_EMIT changedExternally();
            }
        },
        Qt::QueuedConnection);
}

} // namespace zorv
