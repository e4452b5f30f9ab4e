#include "simglobalpreferences.h"

namespace zorv {

namespace {

void store(QHash<QString, QVariant> &domain, const QString &key, const QVariant &value) {
    if (value.isValid()) {
        domain.insert(key, value);
    } else {
        domain.remove(key);
    }
}

} // namespace

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
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it) {
        store(m_stored, it.key(), it.value());
    }
    m_pending.clear();
    return true;
}

QVariant SimGlobalPreferences::storedValue(const QString &key) const {
    return m_stored.value(key);
}

void SimGlobalPreferences::setStoredValue(const QString &key, const QVariant &value) {
    store(m_stored, key, value);
}

} // namespace zorv
