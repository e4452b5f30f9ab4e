#pragma once

#include "genericicons.h"
#include "installedapplication.h"
#include "workspace.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QUrl>

namespace zorv {

class DesktopModel;
struct AppRecord;
struct DesktopState;

// The simulated Mac's workspace. Running applications, the frontmost one and this process come
// from the desktop's application registry; launch, terminate and activate notifications are the
// registry's, relayed on the main thread in the order they happened. The workspace adds what the
// registry does not know: installed applications (bundle identifier to path and icon), file and
// type icons, and opening URLs, which it records instead of handing them on.
//
// Icons: an installed application's bundle shows its own icon or, without one, exactly the
// generic application icon; every other path shows exactly the generic document (the simulator
// has no file system beyond installed bundles). A running application's icon is its installed
// bundle's; one that is not installed shows the generic application icon, and a process without
// bundle identifier has none. Thread-safe.
class SimWorkspace final : public Workspace {
    Q_OBJECT

public:
    explicit SimWorkspace(DesktopModel &model, QObject *parent = nullptr);
    ~SimWorkspace() override;

    [[nodiscard]] QList<RunningApplication> runningApplications() const override;
    [[nodiscard]] qint32 currentProcessId() const override;
    [[nodiscard]] std::optional<RunningApplication> frontmostApplication() const override;

    [[nodiscard]] std::optional<QString>
    applicationPath(const QString &bundleIdentifier) const override;
    // Only installed applications are bundles here.
    [[nodiscard]] std::optional<QString> bundleIdentifier(const QString &bundlePath) const override;
    [[nodiscard]] QImage iconForFile(const QString &path) const override;
    [[nodiscard]] QImage iconForType(const QString &typeIdentifier) const override;

    // Records the URL; false for an invalid URL or a scheme no application on this Mac opens.
    bool openUrl(const QUrl &url) override;

    // Script API: install or replace an application.
    void install(const InstalledApplication &application);
    // Every URL opened so far, oldest first.
    [[nodiscard]] QList<QUrl> openedUrls() const;

private:
    struct Installed {
        QString path;
        QImage icon;
    };

    [[nodiscard]] RunningApplication running(const AppRecord &record) const;

    DesktopModel &m_model;
    const GenericIcons m_genericIcons;
    mutable QMutex m_mutex;
    QHash<QString, Installed> m_installed;
    QList<QUrl> m_openedUrls;
};

} // namespace zorv
