#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace zorv {

// One entry of an appcast feed, as the updater hands it to its delegate.
struct AppcastItem {
    QString title;
    // The machine version compared with the bundle's build ("sparkle:version").
    QString version;
    // The version shown to people ("sparkle:shortVersionString"; the machine version without one).
    QString displayVersionString;
    // Where the update is downloaded from (the enclosure's "url").
    QString downloadUrl;
    // The release notes as the feed carries them (the item's "description", often HTML); empty
    // without.
    QString itemDescription;

    friend bool operator==(const AppcastItem &, const AppcastItem &) = default;
};

// An error the updater ends an update cycle with: the error's domain and code.
struct UpdaterError {
    // The update framework's own error domain.
    static inline const QString frameworkDomain = QStringLiteral("SUSparkleErrorDomain");
    // Its codes that this application tells apart.
    static constexpr int appcastParseError = 1000;
    static constexpr int noUpdateError = 1001;
    static constexpr int appcastError = 1002;
    static constexpr int installationCanceledError = 4007;

    QString domain;
    int code = 0;
    QString description;

    friend bool operator==(const UpdaterError &, const UpdaterError &) = default;
};

// How a check began: quietly (information only, no windows) or at the user's request, with the
// updater's own windows.
enum class UpdateCheckKind { Information, Interactive };

// What the updater tells the application about its work. Every call arrives on the main thread.
class UpdaterDelegate {
public:
    virtual ~UpdaterDelegate() = default;

    // The feed to read instead of the bundle's own ("SUFeedURL"); absent: the bundle's.
    [[nodiscard]] virtual std::optional<QString> feedURLString() = 0;
    virtual void didFindValidUpdate(const AppcastItem &item) = 0;
    virtual void didNotFindUpdate() = 0;
    // Every check ends here, after the found or not-found call when there was one; `error` is
    // absent when the cycle ended normally.
    virtual void didFinishUpdateCycle(UpdateCheckKind kind,
                                      const std::optional<UpdaterError> &error) = 0;
    // The user chose to install `item`; the application is about to be replaced and relaunched.
    virtual void willInstallUpdate(const AppcastItem &item) = 0;
    // How the updater's windows write a version; the framework's own default shows it as it is.
    [[nodiscard]] virtual QString displayVersion(const QString &version) { return version; }
};

// Stands in for the update framework's updater: it reads the appcast feed over HTTP, decides
// whether the feed offers a newer build, reports to its delegate and, for an interactive check,
// shows its own windows. Main thread.
class Updater {
public:
    virtual ~Updater() = default;

    // Not owned; null detaches.
    virtual void setDelegate(UpdaterDelegate *delegate) = 0;
    // Extra headers every feed request carries.
    virtual void setHttpHeaders(const QList<QPair<QByteArray, QByteArray>> &headers) = 0;

    [[nodiscard]] virtual bool automaticallyChecksForUpdates() const = 0;
    virtual void setAutomaticallyChecksForUpdates(bool on) = 0;
    // When the last check finished; absent when none ever did.
    [[nodiscard]] virtual std::optional<QDateTime> lastUpdateCheckDate() const = 0;
    // False while a check or an installation is under way, or when checking is not possible;
    // true while one of the updater's windows waits for the user, when a check brings it forward.
    [[nodiscard]] virtual bool canCheckForUpdates() const = 0;
    // A check is under way or one of the updater's windows is open.
    [[nodiscard]] virtual bool sessionInProgress() const = 0;

    // A background probe without any window; the result arrives through the delegate. Nothing
    // while a session is in progress.
    virtual void checkForUpdateInformation() = 0;
    // A check with the updater's own windows. While one of them is open it starts nothing new and
    // brings that window to the front with the keyboard.
    virtual void checkForUpdates() = 0;
};

} // namespace zorv
