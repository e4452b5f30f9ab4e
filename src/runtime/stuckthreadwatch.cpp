#include "stuckthreadwatch.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#ifdef Q_OS_LINUX
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace zorv {

qint64 StuckThreadWatch::currentSystemThreadId() {
#ifdef Q_OS_LINUX
    return static_cast<qint64>(::syscall(SYS_gettid));
#else
    return 0;
#endif
}

bool StuckThreadWatch::stuckFor(std::chrono::milliseconds period, quint64 progress) {
    const Look now = look();
    const auto at = std::chrono::steady_clock::now();
    if (!now.asleep || !m_watching || progress != m_progress ||
        now.processorTicks != m_processorTicks) {
        m_watching = now.asleep;
        m_since = at;
        m_progress = progress;
        m_processorTicks = now.processorTicks;
        return false;
    }
    if (at - m_since < period) {
        return false;
    }
    m_watching = false;
    return true;
}

StuckThreadWatch::Look StuckThreadWatch::look() const {
    Look found;
#ifdef Q_OS_LINUX
    QFile stat(QStringLiteral("/proc/self/task/%1/stat").arg(m_thread));
    if (!stat.open(QIODevice::ReadOnly)) {
        return found;
    }
    // "tid (name) S ...": the name may hold spaces and parentheses, so fields count from the last
    // ')'. After it come the state (field 3) and, as fields 14 and 15, user and system time.
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0) {
        return found;
    }
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    if (fields.size() < 13) {
        return found;
    }
    found.asleep = fields[0] != "R";
    found.processorTicks = fields[11].toULongLong() + fields[12].toULongLong();
#endif
    return found;
}

} // namespace zorv
