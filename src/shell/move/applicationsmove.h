#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace zorv {

class BundleLocation;
class FileManager;
class ProcessLauncher;

// Moves the running application into an Applications folder: copies the bundle into the first
// folder that takes it ("/Applications", else "~/Applications"), clears the download
// quarantine, trashes the old copy and relaunches from the new place. The copy goes to a
// temporary name in the target folder first and replaces an installed copy only once it is
// complete, so a failed copy leaves the installed one in place; a bundle whose real location is
// already the destination is never trashed. Main thread.
class ApplicationsMove {
public:
    struct Services {
        const BundleLocation &location;
        FileManager &files;
        ProcessLauncher &processes;
        // Ends this process (after the relaunch has been started).
        std::function<void()> terminate;
    };

    static inline const QString bundleName = QStringLiteral("Zorv.app");
    static inline const QString relaunchScript = QStringLiteral(
        "for i in $(seq 1 50); do pgrep -x Zorv >/dev/null || break; sleep 0.2; done; "
        "/usr/bin/open \"$0\"");

    explicit ApplicationsMove(Services services);

    // The running bundle's real location lies in an Applications folder: no offer is needed.
    [[nodiscard]] static bool isInstalled(const BundleLocation &location);
    // The name of the folder the bundle really lies in ("Downloads").
    [[nodiscard]] static QString sourceFolderName(const BundleLocation &location);

    // Performs the move. On success the relaunch is started and the process ends; otherwise the
    // message for the user.
    [[nodiscard]] std::optional<QString> performMove();

private:
    // Installs the running bundle as `destination`; the reason when it cannot.
    [[nodiscard]] std::optional<QString> install(const QString &destination);

    Services m_services;
};

} // namespace zorv
