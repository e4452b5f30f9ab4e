#include "simprocesslauncher.h"

namespace zorv {

bool SimProcessLauncher::run(const QString &program, const QStringList &arguments,
                             bool waitForExit) {
    if (m_failing.contains(program)) {
        return false;
    }
    m_launches.append({program, arguments, waitForExit});
    return true;
}

void SimProcessLauncher::setFailsToStart(const QString &program, bool fails) {
    if (fails) {
        m_failing.insert(program);
    } else {
        m_failing.remove(program);
    }
}

} // namespace zorv
