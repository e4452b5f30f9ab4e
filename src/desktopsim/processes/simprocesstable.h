#pragma once

#include "processtable.h"

#include <QDateTime>
#include <QList>
#include <QMutex>
#include <QString>

#include <optional>

namespace zorv {

// The simulated Mac's process table: every user's processes, among them one "loginwindow" per
// logged-in user, whose start marks the beginning of that user's login session. Starts empty;
// scripts log users in, start and end processes (ending a "loginwindow" ends that session), and
// can make the table unreadable. Any thread.
class SimProcessTable : public ProcessTable {
public:
    static constexpr quint32 kDefaultUserId = 501;

    explicit SimProcessTable(quint32 currentUserId = kDefaultUserId);

    [[nodiscard]] std::optional<QList<ProcessRecord>> processes() const override;
    [[nodiscard]] quint32 currentUserId() const override;

    // Adds a process with the next free process id, started at `startedAt` (to the microsecond
    // QDateTime can hold, the millisecond); returns its id.
    qint32 start(quint32 userId, const QString &command, const QDateTime &startedAt);
    // Starts the user's "loginwindow" process: a new login session from `at`.
    qint32 logIn(quint32 userId, const QDateTime &at);
    // Ends one process; false when no process has that id.
    bool end(qint32 processId);
    void setUnreadable(bool unreadable);

private:
    mutable QMutex m_mutex;
    const quint32 m_currentUserId;
    QList<ProcessRecord> m_processes;
    qint32 m_nextProcessId = 100;
    bool m_unreadable = false;
};

} // namespace zorv
