#include "simprocesstable.h"

#include <QMutexLocker>

using namespace Qt::StringLiterals;

namespace zorv {

SimProcessTable::SimProcessTable(quint32 currentUserId) : m_currentUserId(currentUserId) {}

std::optional<QList<ProcessRecord>> SimProcessTable::processes() const {
    const QMutexLocker lock(&m_mutex);
    if (m_unreadable) {
        return std::nullopt;
    }
    return m_processes;
}

quint32 SimProcessTable::currentUserId() const {
    return m_currentUserId;
}

qint32 SimProcessTable::start(quint32 userId, const QString &command, const QDateTime &startedAt) {
    const QMutexLocker lock(&m_mutex);
    const qint64 msecs = startedAt.toMSecsSinceEpoch();
    ProcessRecord record;
    record.processId = m_nextProcessId++;
    record.userId = userId;
    record.command = command;
    // Floor division keeps the microseconds in 0..999,999 for dates before 1970 as well.
    record.startSeconds = msecs / 1000 - (msecs % 1000 < 0 ? 1 : 0);
    record.startMicroseconds = static_cast<qint32>((msecs - record.startSeconds * 1000) * 1000);
    m_processes.append(record);
    return record.processId;
}

qint32 SimProcessTable::logIn(quint32 userId, const QDateTime &at) {
    return start(userId, u"loginwindow"_s, at);
}

bool SimProcessTable::end(qint32 processId) {
    const QMutexLocker lock(&m_mutex);
    return m_processes.removeIf([processId](const ProcessRecord &record) {
        return record.processId == processId;
    }) > 0;
}

void SimProcessTable::setUnreadable(bool unreadable) {
    const QMutexLocker lock(&m_mutex);
    m_unreadable = unreadable;
}

} // namespace zorv
