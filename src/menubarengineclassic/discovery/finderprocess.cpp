#include "finderprocess.h"

#include "workspace.h"

using namespace Qt::StringLiterals;

namespace zorv {

std::optional<qint32> finderProcess(const Workspace &workspace) {
    for (const RunningApplication &application : workspace.runningApplications()) {
        if (application.bundleIdentifier == u"com.apple.finder"_s) {
            return application.processId;
        }
    }
    return std::nullopt;
}

} // namespace zorv
