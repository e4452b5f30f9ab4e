#include "installlocation.h"

#include "bundlelocation.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace zorv {

bool InstallLocation::isInApplicationsFolder(const QString &bundlePath,
                                             const BundleLocation &location) {
    if (bundlePath.isEmpty()) {
        return false;
    }
    const QString path = QDir::cleanPath(bundlePath);
    const QString folders[] = {QDir::cleanPath(location.applicationsFolder()),
                               QDir::cleanPath(location.homeFolder() + u"/Applications"_s)};
    for (const QString &folder : folders) {
        if (path.startsWith(folder + u'/') && path.size() > folder.size() + 1) {
            return true;
        }
    }
    return false;
}

QString InstallLocation::untranslocated(const QString &bundlePath, const BundleLocation &location) {
    return location.translocatedOriginal(bundlePath).value_or(bundlePath);
}

} // namespace zorv
