#include "simsystemlog.h"

#include <QMutexLocker>

#include <cstdio>

namespace zorv {

SimSystemLog::SimSystemLog(bool echoToStderr) : m_echoToStderr(echoToStderr) {}

void SimSystemLog::write(const QString &line) {
    QMutexLocker lock(&m_mutex);
    m_lines.append(line);
    if (m_lines.size() > linesKept) {
        m_lines.remove(0, m_lines.size() - linesKept);
    }
    if (m_echoToStderr) {
        // Under the lock, so lines written from several threads never interleave.
        const QByteArray bytes = line.toUtf8() + '\n';
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
        std::fflush(stderr);
    }
}

QStringList SimSystemLog::lines() const {
    QMutexLocker lock(&m_mutex);
    return m_lines;
}

} // namespace zorv
