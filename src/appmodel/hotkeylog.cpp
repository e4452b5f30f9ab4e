#include "hotkeylog.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace zorv {

HotkeyLog::HotkeyLog(QString path, const Clock &clock) : m_path(std::move(path)), m_clock(clock) {}

void HotkeyLog::append(const QString &key, const QString &note) const {
    const QString stamp = m_clock.wallNow().toUTC().toString(Qt::ISODate);
    const QByteArray line = u"%1 key=%2 %3\n"_s.arg(stamp, key, note).toUtf8();
    QFile file(m_path);
    // Append never creates the folder; a failed open or write loses the line on purpose.
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        file.write(line);
    }
}

} // namespace zorv
