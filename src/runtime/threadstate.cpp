#include "threadstate.h"

#include <QByteArray>
#include <QFile>

#ifdef Q_OS_LINUX
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace zorv {

qint64 currentSystemThreadId() {
#ifdef Q_OS_LINUX
    return static_cast<qint64>(::syscall(SYS_gettid));
#else
    return 0;
#endif
}

bool isThreadBlocked(qint64 systemThreadId) {
#ifdef Q_OS_LINUX
    QFile stat(QStringLiteral("/proc/self/task/%1/stat").arg(systemThreadId));
    if (!stat.open(QIODevice::ReadOnly)) {
        return true;
    }
    // "tid (name) S ...": the name may hold spaces and parentheses, the state follows the last ')'.
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0 || close + 2 >= line.size()) {
        return true;
    }
    const char state = line.at(close + 2);
    return state != 'R';
#else
    Q_UNUSED(systemThreadId);
    return true;
#endif
}

} // namespace zorv
