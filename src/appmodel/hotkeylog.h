#pragma once

#include "clock.h"

#include <QString>

namespace zorv {

// The hot-key log, "hotkey-log.txt" beside the store files: one line per item hot key and per
// failed activation, "<UTC time to the second> key=<key> <note>". It only grows. Writing never
// fails visibly: a missing folder or an unwritable file loses the line. Main thread.
class HotkeyLog {
public:
    HotkeyLog(QString path, const Clock &clock);

    void append(const QString &key, const QString &note) const;

private:
    QString m_path;
    const Clock &m_clock;
};

} // namespace zorv
