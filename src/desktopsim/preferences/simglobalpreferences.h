#pragma once

#include "globalpreferences.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <functional>

namespace zorv {

// The simulated Mac's per-host global preferences domain (any application, current user, current
// host), seen from Zorv's process.
//
// As with the real preferences daemon, Zorv's writes are first kept in its own process: value()
// sees them at once, but other applications read the stored domain (storedValue()), which changes
// only when synchronize() succeeds. Applications read settings such as "NSStatusItemSpacing" when
// they launch, so a change reaches the bar only through applications launched after it was
// synchronised. Tests and scenarios set the stored domain directly (a value written by the user or
// another application) and can make synchronising fail. Main thread.
class SimGlobalPreferences : public GlobalPreferences {
public:
    // Told of every change of the stored domain: the key and its new value (invalid when removed).
    using StoredChangeCallback = std::function<void(const QString &key, const QVariant &value)>;

    SimGlobalPreferences() = default;

    [[nodiscard]] QVariant value(const QString &key) const override;
    // An invalid QVariant removes the key, as a null value does for the real call.
    void setValue(const QString &key, const QVariant &value) override;
    void removeValue(const QString &key) override;
    // Writes this process's pending changes to the stored domain; while failing is switched on it
    // keeps them pending and returns false.
    bool synchronize() override;

    // The domain as an application launching now reads it; invalid when the key is not stored.
    [[nodiscard]] QVariant storedValue(const QString &key) const;
    // A change made outside Zorv; Zorv's own view sees it unless it has a pending change of the
    // same key.
    void setStoredValue(const QString &key, const QVariant &value);
    void setOnStoredChange(StoredChangeCallback callback) {
        m_onStoredChange = std::move(callback);
    }
    void setSynchronizeFails(bool fails) { m_synchronizeFails = fails; }
    // How many times synchronize() was called, successful or not.
    [[nodiscard]] int synchronizeCount() const { return m_synchronizeCount; }

private:
    void store(const QString &key, const QVariant &value);

    QHash<QString, QVariant> m_stored;
    // Key to the value this process wrote since its last successful synchronise; an invalid value
    // is a pending removal.
    QHash<QString, QVariant> m_pending;
    StoredChangeCallback m_onStoredChange;
    bool m_synchronizeFails = false;
    int m_synchronizeCount = 0;
};

} // namespace zorv
