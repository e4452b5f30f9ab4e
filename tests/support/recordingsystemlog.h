#pragma once

#include "systemlog.h"

#include <QStringList>

namespace zorv {

// A system log that keeps every line for the test to inspect.
class RecordingSystemLog final : public SystemLog {
public:
    void write(const QString &line) override { m_lines.append(line); }

    [[nodiscard]] const QStringList &lines() const { return m_lines; }
    void clear() { m_lines.clear(); }

private:
    QStringList m_lines;
};

} // namespace zorv
