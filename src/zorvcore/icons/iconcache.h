#pragma once

#include "workspace.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QString>
#include <QUrl>

#include <optional>

namespace zorv {

// Finds the best picture for an application by its bundle identifier and remembers each
// application's name and icon across launches, so that items of applications that are no longer
// running, or no longer installed, still show who they belong to.
//
// The system's generic icons (a blank document, a generic application) are recognised and never
// replace a real icon. Files in `folder`: "icon-names.json" (bundle identifier to name, compact
// JSON) and "icons/<bundle identifier with "/" as "_">.png" (the icon at 44 x 44 points). A good
// icon remembered once in a run stays for the run; across launches the newest one wins. Every
// failure is silent: a missing file, an unreadable glyph or a failed write yields nothing.
// Not thread-safe: one thread at a time (the app model hands it from job to job).
class IconCache {
public:
    // The workspace must outlive the cache.
    IconCache(QString folder, const Workspace &workspace);

    // Records the name (an empty one, or one that is only the bundle identifier, is ignored) and,
    // unless it is a generic placeholder or a good icon is already remembered in this run, the
    // icon.
    void remember(const QString &bundleID, const QString &name, const std::optional<QImage> &icon);
    // Grows each time remember() takes an icon for the application, which can change what
    // bestIcon() finds for it.
    [[nodiscard]] quint64 revision(const QString &bundleID) const;
    // The remembered icon, from memory or else from its file.
    [[nodiscard]] std::optional<QImage> icon(const QString &bundleID);
    [[nodiscard]] std::optional<QString> name(const QString &bundleID) const;

    // The workspace's icon for the application's outermost bundle.
    [[nodiscard]] std::optional<QImage> installedIcon(const QString &bundleID) const;
    // Where the application lives: a running copy's bundle, else the installed one, cut to the
    // outermost application bundle.
    [[nodiscard]] std::optional<QUrl> outermostAppURL(const QString &bundleID) const;
    // The same for a caller that has looked up the running copy's bundle path (none when no
    // running copy's bundle is known).
    [[nodiscard]] std::optional<QUrl>
    outermostAppURL(const QString &bundleID, const std::optional<QString> &runningBundlePath) const;
    // The path cut after its first component ending in ".app", so that a helper inside another
    // application stands for that application; unchanged when no component does.
    [[nodiscard]] static QString outermostAppPath(const QString &path);

    // The application's own menu-bar glyph, marked as a template image.
    [[nodiscard]] std::optional<QImage> menuBarGlyph(const QString &bundleID) const;
    // Only the first glyph file that exists counts: when it cannot be read there is no glyph.
    [[nodiscard]] static std::optional<QImage> menuBarGlyph(const QUrl &appUrl);
    [[nodiscard]] static std::optional<QUrl> menuBarGlyphURL(const QUrl &appUrl);

    // The first of: the menu-bar glyph; the installed icon, the running application's icon and
    // the remembered icon, each unless it is a generic placeholder. `runningBundlePath` is the
    // bundle path of the first running copy that has one (see outermostAppURL()).
    [[nodiscard]] std::optional<QImage> bestIcon(const QString &bundleID,
                                                 const std::optional<QImage> &running,
                                                 const std::optional<QString> &runningBundlePath);

private:
    [[nodiscard]] bool isPlaceholder(const QImage &image) const;
    [[nodiscard]] std::optional<QImage> unlessPlaceholder(std::optional<QImage> image) const;
    // Whether memory holds an icon for the application that is not a placeholder.
    [[nodiscard]] bool holdsGoodIcon(const QString &bundleID);
    [[nodiscard]] QString iconsFolder() const;
    // Makes the icons folder once in the run, before the first icon file is written.
    void makeIconsFolder() const;
    [[nodiscard]] QString iconFile(const QString &bundleID) const;
    [[nodiscard]] QString namesFile() const;
    void loadNames();
    void writeNames() const;
    void writeIcon(const QString &bundleID, const QImage &icon) const;

    const QString m_folder;
    const Workspace &m_workspace;
    QHash<QString, QString> m_names;
    QHash<QString, QImage> m_memory;
    // Applications whose icon file was looked for and missing; remember() writes one.
    QSet<QString> m_noIconFile;
    // See revision().
    QHash<QString, quint64> m_revisions;
    // Applications whose icon in memory is known not to be a placeholder. Such an icon stays for
    // the run, so each is fingerprinted at most once.
    QSet<QString> m_goodIcons;
    // The fingerprints of the workspace's generic icons, made on first use.
    mutable std::optional<QSet<QByteArray>> m_placeholders;
    mutable bool m_madeIconsFolder = false;
};

} // namespace zorv
