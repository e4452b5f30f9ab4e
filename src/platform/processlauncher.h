#pragma once

#include <QString>
#include <QStringList>

namespace zorv {

// Stands in for starting helper programs (Process): runs `program` with `arguments`, waiting
// for it to exit when asked. False when it could not be started. Main thread.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;

    virtual bool run(const QString &program, const QStringList &arguments, bool waitForExit) = 0;
};

} // namespace zorv
