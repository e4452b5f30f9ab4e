#pragma once

#include "processlauncher.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace zorv {

// Starting helper programs on the simulated Mac: nothing runs, every launch is recorded for
// tests to read. A script call makes a program fail to start. Main thread.
class SimProcessLauncher final : public ProcessLauncher {
public:
    struct Launch {
        QString program;
        QStringList arguments;
        bool waited = false;

        friend bool operator==(const Launch &, const Launch &) = default;
    };

    bool run(const QString &program, const QStringList &arguments, bool waitForExit) override;

    [[nodiscard]] const QList<Launch> &launches() const { return m_launches; }
    // Script API.
    void setFailsToStart(const QString &program, bool fails);

private:
    QList<Launch> m_launches;
    QSet<QString> m_failing;
};

} // namespace zorv
