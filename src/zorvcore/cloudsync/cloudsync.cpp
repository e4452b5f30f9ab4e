#include "cloudsync.h"

#include "decodeerror.h"
#include "transfer/encodeerror.h"

namespace zorv {

namespace {

bool availability(CloudKeyValueStore &store) {
    const bool signedIn = store.hasIdentityToken();
    const bool synchronized = store.synchronize();
    return signedIn && synchronized;
}

} // namespace

CloudSync::CloudSync(CloudKeyValueStore &store)
    : m_store(store), m_available(availability(store)) {}

CloudSync::~CloudSync() {
    stop();
}

void CloudSync::start() {
    if (!m_available || m_observer) {
        return;
    }
    m_observer = QObject::connect(&m_store, &CloudKeyValueStore::changedExternally, &m_store,
                                  [this] { handleExternalChange(); });
    m_store.synchronize();
}

void CloudSync::stop() {
    QObject::disconnect(m_observer);
    m_observer = {};
}

std::optional<SyncedBundle> CloudSync::pull() const {
    if (!m_available) {
        return std::nullopt;
    }
    const auto data = m_store.data(storeKey);
    if (!data) {
        return std::nullopt;
    }
    // The record read or written last is not decoded again: with a large setup, decoding costs
    // more than everything else a push does.
    if (m_lastRecord && m_lastRecord->data == *data) {
        return m_lastRecord->bundle;
    }
    try {
        SyncedBundle bundle = SyncedBundle::decode(*data);
        m_lastRecord = Record{*data, bundle};
        return bundle;
    } catch (const DecodeError &) {
        // Whatever is there is overwritten by the next push.
        return std::nullopt;
    }
}

std::optional<QString> CloudSync::push(const SyncedBundle &bundle, PushCondition condition) {
    if (!m_available) {
        return std::nullopt;
    }
    if (condition == PushCondition::ContentDiffers) {
        if (const auto remote = pull(); remote && remote->contentEquals(bundle)) {
            return std::nullopt;
        }
    }
    QByteArray data;
    try {
        data = bundle.encoded();
    } catch (const EncodeError &error) {
        return error.message();
    }
    m_store.setData(data, storeKey);
    m_lastRecord = Record{data, bundle};
    m_store.synchronize();
    return std::nullopt;
}

void CloudSync::clearRemote() {
    if (!m_available) {
        return;
    }
    m_store.removeObject(storeKey);
    m_store.synchronize();
}

void CloudSync::setOnRemoteChange(RemoteChangeCallback callback) {
    m_onRemoteChange = std::move(callback);
}

void CloudSync::handleExternalChange() {
    const auto bundle = pull();
    if (!bundle || !m_onRemoteChange) {
        return;
    }
    // A copy, so that the callback may replace itself or destroy this object.
    const RemoteChangeCallback callback = m_onRemoteChange;
    callback(*bundle);
}

} // namespace zorv
