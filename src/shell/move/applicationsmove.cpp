#include "applicationsmove.h"

#include "bundlelocation.h"
#include "filemanager.h"
#include "installlocation.h"
#include "processlauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace zorv {

ApplicationsMove::ApplicationsMove(Services services) : m_services(std::move(services)) {}

bool ApplicationsMove::isInstalled(const BundleLocation &location) {
    const QString original =
        InstallLocation::untranslocated(location.runningBundlePath(), location);
    return InstallLocation::isInApplicationsFolder(original, location);
}

QString ApplicationsMove::sourceFolderName(const BundleLocation &location) {
    const QString original =
        InstallLocation::untranslocated(location.runningBundlePath(), location);
    return QFileInfo(QFileInfo(QDir::cleanPath(original)).path()).fileName();
}

std::optional<QString> ApplicationsMove::install(const QString &destination) {
    FileManager &files = m_services.files;
    const QString running = m_services.location.runningBundlePath();
    const QString folder = QFileInfo(destination).path();
    const QString temporary =
        folder + u"/.Zorv-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces) + u".app"_s;
    if (auto error = files.copyItem(running, temporary)) {
        (void)files.removeItem(temporary);
        return error;
    }
    if (files.exists(destination)) {
        if (auto error = files.trashItem(destination)) {
            (void)files.removeItem(temporary);
            return error;
        }
    }
    if (auto error = files.moveItem(temporary, destination)) {
        (void)files.removeItem(temporary);
        return error;
    }
    return std::nullopt;
}

std::optional<QString> ApplicationsMove::performMove() {
    const BundleLocation &location = m_services.location;
    FileManager &files = m_services.files;
    const QString source =
        QDir::cleanPath(InstallLocation::untranslocated(location.runningBundlePath(), location));
    const QString candidates[] = {QDir::cleanPath(location.applicationsFolder()),
                                  QDir::cleanPath(location.homeFolder() + u"/Applications"_s)};
    QString reason = u"Applications folder is not writable."_s;
    std::optional<QString> destination;
    for (const QString &candidate : candidates) {
        if (auto error = files.createFolder(candidate)) {
            reason = *error;
            continue;
        }
        if (!files.isWritable(candidate)) {
            continue;
        }
        const QString target = candidate + u'/' + bundleName;
        // The bundle already lies there (run translocated from its installed place): nothing to
        // copy, and the installed copy must not go to the Trash.
        if (target == source) {
            destination = target;
            break;
        }
        if (auto error = install(target)) {
            reason = *error;
            continue;
        }
        destination = target;
        break;
    }
    if (!destination) {
        return u"Couldn't move Zorv: "_s + reason +
               u" You can drag Zorv.app to Applications yourself."_s;
    }
    ProcessLauncher &processes = m_services.processes;
    (void)processes.run(u"/usr/bin/xattr"_s, {u"-dr"_s, u"com.apple.quarantine"_s, *destination},
                        true);
    if (source != *destination) {
        (void)files.trashItem(source);
    }
    (void)processes.run(u"/bin/sh"_s, {u"-c"_s, relaunchScript, *destination}, false);
    if (m_services.terminate) {
        m_services.terminate();
    }
    return std::nullopt;
}

} // namespace zorv
