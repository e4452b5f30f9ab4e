#pragma once

#include "systemlog.h"

#include <QMutex>
#include <QStringList>

namespace zorv {

// The simulated desktop's system log: keeps every line so tests can read what the system
// reported, and, when asked (the application does), echoes each line to standard error the way
// the real log shows up in a terminal. Thread-safe.
class SimSystemLog final : public SystemLog {
public:
    explicit SimSystemLog(bool echoToStderr = false);

    void write(const QString &line) override;

    [[nodiscard]] QStringList lines() const;

private:
    const bool m_echoToStderr;
    mutable QMutex m_mutex;
    QStringList m_lines;
};

} // namespace zorv
