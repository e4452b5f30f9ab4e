#pragma once

#include "runningapplication.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <optional>

namespace zorv {

// Stands in for the shared workspace (NSWorkspace) and the process's own identity: the running
// applications, the frontmost one, where installed applications live, file and type icons,
// opening URLs, and the launch, terminate and activate notifications.
//
// Icons: a file without an icon of its own gets the generic icon of its type, pixel for pixel the
// image iconForType() returns for that type, so generic placeholders can be recognised by
// comparing pictures.
//
// Queries are thread-safe; the notifications are delivered on the main thread.
class Workspace : public QObject {
    Q_OBJECT

public:
    explicit Workspace(QObject *parent = nullptr);
    ~Workspace() override;

    // In launch order.
    [[nodiscard]] virtual QList<RunningApplication> runningApplications() const = 0;
    // This process's id.
    [[nodiscard]] virtual qint32 currentProcessId() const = 0;
    [[nodiscard]] virtual std::optional<RunningApplication> frontmostApplication() const = 0;

    // Where the installed application with the bundle identifier lives; absent when none is.
    [[nodiscard]] virtual std::optional<QString>
    applicationPath(const QString &bundleIdentifier) const = 0;
    // The identifier of the application bundle at the path; absent when the path holds no
    // bundle or the bundle has none.
    [[nodiscard]] virtual std::optional<QString>
    bundleIdentifier(const QString &bundlePath) const = 0;
    // The icon the Finder shows for the file or folder at the path.
    [[nodiscard]] virtual QImage iconForFile(const QString &path) const = 0;
    // The generic icon of a file type or content type ("public.item", "public.data",
    // "com.apple.application-bundle").
    [[nodiscard]] virtual QImage iconForType(const QString &typeIdentifier) const = 0;

    // Hands the URL to the application that opens it; false when none does.
    virtual bool openUrl(const QUrl &url) = 0;

Q_SIGNALS:
    void applicationLaunched(const zorv::RunningApplication &application);
    void applicationTerminated(const zorv::RunningApplication &application);
    void applicationActivated(const zorv::RunningApplication &application);
};

} // namespace zorv
