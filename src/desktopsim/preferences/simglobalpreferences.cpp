#include "simglobalpreferences.h"

#include <utility>

namespace zorv {

QVariant SimGlobalPreferences::value(const QString &key) const {
    const auto pending = m_pending.constFind(key);
    return pending != m_pending.cend() ? *pending : storedValue(key);
}

void SimGlobalPreferences::setValue(const QString &key, const QVariant &value) {
    m_pending.insert(key, value);
}

void SimGlobalPreferences::removeValue(const QString &key) {
    m_pending.insert(key, QVariant());
}

bool SimGlobalPreferences::synchronize() {
    ++m_synchronizeCount;
    if (m_synchronizeFails) {
        return false;
    }
    const QHash<QString, QVariant> pending = std::exchange(m_pending, {});
    for (auto it = pending.cbegin(); it != pending.cend(); ++it) {
        store(it.key(), it.value());
    }
    return true;
}

QVariant SimGlobalPreferences::storedValue(const QString &key) const {
    return m_stored.value(key);
}

void SimGlobalPreferences::setStoredValue(const QString &key, const QVariant &value) {
    store(key, value);
}

void SimGlobalPreferences::store(const QString &key, const QVariant &value) {
    if (value.isValid()) {
        m_stored.insert(key, value);
    } else if (!m_stored.remove(key)) {
        return;
    }
    if (m_onStoredChange) {
        m_onStoredChange(key, value);
    }
}

} // namespace zorv
