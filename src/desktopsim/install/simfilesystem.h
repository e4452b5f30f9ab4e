#pragma once

#include "bundlelocation.h"
#include "filemanager.h"

#include <QSet>
#include <QString>

namespace zorv {

// The simulated Mac's disk, rooted in a real folder: the Mac path "/Applications/Zorv.app" is
// `root` + "/Applications/Zorv.app" on this machine. It answers where the running bundle is
// (possibly translocated: the system then runs it from a read-only copy under
// "/private/var/folders/…/AppTranslocation/…" while the original stays where it was downloaded),
// the user's home folder ("/Users/<user>") with its Desktop, and Trash ("<home>/.Trash", where a
// trashed item keeps its name, with a number added when the name is taken). Script calls make folders read-only and
// copies into a folder fail. Main thread.
class SimFileSystem final : public BundleLocation, public FileManager {
public:
    static inline const QString defaultUser = QStringLiteral("user");

    // `root` must exist; every Mac path maps below it.
    explicit SimFileSystem(QString root, QString user = defaultUser);

    // BundleLocation.
    [[nodiscard]] QString runningBundlePath() const override;
    [[nodiscard]] std::optional<QString> translocatedOriginal(const QString &path) const override;
    [[nodiscard]] QString applicationsFolder() const override;
    [[nodiscard]] QString homeFolder() const override;
    // "<home>/Desktop".
    [[nodiscard]] QString desktopFolder() const;

    // FileManager.
    [[nodiscard]] bool exists(const QString &path) const override;
    [[nodiscard]] bool isWritable(const QString &path) const override;
    [[nodiscard]] std::optional<QString> createFolder(const QString &path) override;
    [[nodiscard]] std::optional<QString> copyItem(const QString &from, const QString &to) override;
    [[nodiscard]] std::optional<QString> moveItem(const QString &from, const QString &to) override;
    [[nodiscard]] std::optional<QString> removeItem(const QString &path) override;
    [[nodiscard]] std::optional<QString> trashItem(const QString &path) override;

    // Script API.
    // The bundle runs from `path` (a Mac path).
    void setRunningBundle(const QString &path);
    // The bundle at `original` runs translocated: from a fresh path under AppTranslocation.
    void translocate(const QString &original);
    // Writes a minimal bundle (its executable and information file) at the Mac path.
    void installBundle(const QString &path, const QByteArray &executable = "build 1");
    // Makes a folder (and what is created in it) read-only, or writable again.
    void setReadOnly(const QString &path, bool readOnly);
    // Copies into this folder fail part-way, leaving what was copied so far.
    void setCopiesFail(const QString &folder, bool fail);
    // The host path of a Mac path.
    [[nodiscard]] QString hostPath(const QString &path) const;
    [[nodiscard]] QString trashFolder() const;

private:
    [[nodiscard]] bool isReadOnly(const QString &path) const;
    [[nodiscard]] static bool inside(const QString &path, const QString &folder);

    QString m_root;
    QString m_user;
    QString m_runningBundle;
    QString m_translocatedFrom;
    QSet<QString> m_readOnly;
    QSet<QString> m_failingCopies;
};

} // namespace zorv
