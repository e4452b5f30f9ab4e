#include "cancellation.h"

#include <QMutex>
#include <QMutexLocker>

#include <map>

namespace zorv {

class CancellationState {
public:
    bool cancelled = false;
    quint64 nextId = 1;
    std::map<quint64, std::function<void()>> callbacks;
    mutable QMutex mutex;
};

CancellationToken::CancellationToken(std::shared_ptr<CancellationState> state)
    : m_state(std::move(state)) {}

bool CancellationToken::isCancelled() const {
    if (!m_state) {
        return false;
    }
    QMutexLocker lock(&m_state->mutex);
    return m_state->cancelled;
}

quint64 CancellationToken::onCancel(std::function<void()> callback) const {
    if (!m_state) {
        return 0;
    }
    {
        QMutexLocker lock(&m_state->mutex);
        if (!m_state->cancelled) {
            const quint64 id = m_state->nextId++;
            m_state->callbacks.emplace(id, std::move(callback));
            return id;
        }
    }
    callback();
    return 0;
}

void CancellationToken::removeCallback(quint64 id) const {
    if (!m_state || id == 0) {
        return;
    }
    QMutexLocker lock(&m_state->mutex);
    m_state->callbacks.erase(id);
}

CancellationSource::CancellationSource() : m_state(std::make_shared<CancellationState>()) {}

CancellationToken CancellationSource::token() const {
    return CancellationToken(m_state);
}

bool CancellationSource::isCancelled() const {
    return CancellationToken(m_state).isCancelled();
}

void CancellationSource::cancel() {
    std::map<quint64, std::function<void()>> callbacks;
    {
        QMutexLocker lock(&m_state->mutex);
        if (m_state->cancelled) {
            return;
        }
        m_state->cancelled = true;
        callbacks.swap(m_state->callbacks);
    }
    // Outside the lock: a callback may resume a coroutine that touches this token again.
    for (auto &[id, callback] : callbacks) {
        callback();
    }
}

} // namespace zorv
