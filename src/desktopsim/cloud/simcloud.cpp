#include "simcloud.h"

#include "simcloudkeyvaluestore.h"

namespace zorv {

SimCloud::SimCloud(QObject *parent) : QObject(parent) {}

SimCloud::~SimCloud() = default;

std::optional<QByteArray> SimCloud::data(const QString &key) const {
    const auto entry = m_entries.constFind(key);
    if (entry == m_entries.cend() || entry->removed) {
        return std::nullopt;
    }
    return entry->data;
}

int SimCloud::attach(SimCloudKeyValueStore *device) {
    m_devices.append(device);
    return m_nextDeviceId++;
}

void SimCloud::detach(SimCloudKeyValueStore *device) {
    m_devices.removeIf([device](const QPointer<SimCloudKeyValueStore> &attached) {
        return attached.isNull() || attached == device;
    });
}

QHash<QString, QByteArray> SimCloud::snapshot() const {
    QHash<QString, QByteArray> values;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        if (!it->removed) {
            values.insert(it.key(), it->data);
        }
    }
    return values;
}

void SimCloud::upload(SimCloudKeyValueStore *writer, const QString &key,
                      const std::optional<QByteArray> &data) {
    m_entries.insert(key,
                     Entry{data.value_or(QByteArray()), writer->m_deviceId, !data.has_value()});
    m_writes.append(SimCloudWrite{writer->deviceName(), key, data});
    ++m_writeCount;
    if (m_writes.size() > writesKept) {
        m_writes.remove(0, m_writes.size() - writesKept);
    }
    for (const QPointer<SimCloudKeyValueStore> &device : std::as_const(m_devices)) {
        if (device && device != writer && device->hasIdentityToken()) {
            device->scheduleDownload(key);
        }
    }
}

bool SimCloud::download(SimCloudKeyValueStore *device, const QString &key) const {
    const auto entry = m_entries.constFind(key);
    // A later write of the device's own has overtaken the one that was on its way.
    if (entry == m_entries.cend() || entry->writerId == device->m_deviceId) {
        return false;
    }
    if (entry->removed) {
        device->m_local.remove(key);
    } else {
        device->m_local.insert(key, entry->data);
    }
    return true;
}

} // namespace zorv
