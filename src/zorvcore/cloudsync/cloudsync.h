#pragma once

#include "cloudkeyvaluestore.h"
#include "transfer/syncedbundle.h"

#include <QMetaObject>
#include <QString>

#include <functional>
#include <optional>

namespace zorv {

// Keeps the user's synced bundle under one key of the iCloud key-value store, so that all the
// user's Macs share settings, layout, profiles and rules.
//
// Writes that would not change the content are skipped, and only bundles that another Mac wrote
// are reported: the store announces other devices' writes only, and pushing back the result of
// adopting a remote bundle that changed nothing writes nothing, so two Macs never wake each other
// in a loop. Whether iCloud can be used is decided once, when the object is made: signing in later
// is noticed at the next launch. An unreadable bundle reads as none; a bundle that cannot be
// encoded is not written, and push() says why, for its owner to log. The app model owns it and
// decides when to start, push and merge. Main thread.
class CloudSync {
public:
    using RemoteChangeCallback = std::function<void(const SyncedBundle &bundle)>;

    inline static const QString storeKey = QStringLiteral("zorv.settings.v1");

    // Available only when an iCloud account is signed in and the store's first synchronise
    // succeeds; that synchronise is asked for either way. The store must outlive this object.
    explicit CloudSync(CloudKeyValueStore &store);
    ~CloudSync();
    CloudSync(const CloudSync &) = delete;
    CloudSync &operator=(const CloudSync &) = delete;

    [[nodiscard]] bool isAvailable() const { return m_available; }

    // Starts delivering other Macs' bundles to onRemoteChange and synchronises the store; does
    // nothing when unavailable or already started.
    void start();
    // Stops the deliveries; the callback stays set.
    void stop();

    // The bundle in the store; none when unavailable, missing or unreadable.
    [[nodiscard]] std::optional<SyncedBundle> pull() const;
    enum class PushCondition {
        // Skipped when the stored bundle already has the same content.
        ContentDiffers,
        // Written even then: for a stamp that the other Macs must learn.
        Always,
    };
    // Stores the bundle; returns why it could not be written (nullopt when it was written, when
    // the condition skipped it, or when iCloud is unavailable).
    std::optional<QString> push(const SyncedBundle &bundle,
                                PushCondition condition = PushCondition::ContentDiffers);
    // Deletes the stored bundle.
    void clearRemote();

    [[nodiscard]] const RemoteChangeCallback &onRemoteChange() const { return m_onRemoteChange; }
    void setOnRemoteChange(RemoteChangeCallback callback);

private:
    void handleExternalChange();

    struct Record {
        QByteArray data;
        SyncedBundle bundle;
    };

    CloudKeyValueStore &m_store;
    // The last record read or written, with its decoded bundle.
    mutable std::optional<Record> m_lastRecord;
    const bool m_available;
    QMetaObject::Connection m_observer;
    RemoteChangeCallback m_onRemoteChange;
};

} // namespace zorv
