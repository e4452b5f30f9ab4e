#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace zorv {

// One entry of the kernel's process table: who runs it, its short command name and when it
// started (seconds and microseconds since 1970, UTC).
struct ProcessRecord {
    qint32 processId = 0;
    quint32 userId = 0;
    QString command;
    qint64 startSeconds = 0;
    qint32 startMicroseconds = 0;

    friend bool operator==(const ProcessRecord &, const ProcessRecord &) = default;
};

// Stands in for the kernel's process table (sysctl KERN_PROC_ALL) and the process's user id
// (getuid). Any thread.
class ProcessTable {
public:
    virtual ~ProcessTable() = default;

    // Every process of every user; absent when the table cannot be read.
    [[nodiscard]] virtual std::optional<QList<ProcessRecord>> processes() const = 0;
    [[nodiscard]] virtual quint32 currentUserId() const = 0;
};

} // namespace zorv
