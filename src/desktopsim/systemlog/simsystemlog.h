#pragma once

#include "systemlog.h"

#include <QMutex>
#include <QStringList>

namespace zorv {

// The simulated desktop's system log: keeps the latest lines (at most linesKept, so that a Mac
// that runs for weeks does not fill its memory with them) so tests can read what the system
// reported, and, when asked (the application does), echoes each line to standard error the way
// the real log shows up in a terminal. Thread-safe.
class SimSystemLog final : public SystemLog {
public:
    static constexpr qsizetype linesKept = 10000;

    explicit SimSystemLog(bool echoToStderr = false);

    void write(const QString &line) override;

    // Oldest first.
    [[nodiscard]] QStringList lines() const;

private:
    const bool m_echoToStderr;
    mutable QMutex m_mutex;
    QStringList m_lines;
};

} // namespace zorv
