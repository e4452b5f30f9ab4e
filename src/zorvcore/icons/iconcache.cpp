#include "iconcache.h"

#include "glyphfile.h"
#include "iconimages.h"
#include "jsonreader.h"
#include "jsonwriter.h"
#include "storage/atomicfile.h"
#include "storage/wholefile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QPainter>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// The remembered icon's size in points; a new image of that size has one pixel per point.
constexpr int kIconSize = 44;

// The types whose generic icons the workspace hands out for files without an icon of their own.
const QStringList kGenericTypes = {u"public.item"_s, u"public.data"_s,
                                   u"com.apple.application-bundle"_s};

// Names of an application's own menu-bar glyph in "Contents/Resources", in order of preference.
const QStringList kGlyphFileNames = {u"MenuBarIcon.pdf"_s,      u"MenuBarIcon@2x.png"_s,
                                     u"MenuBarIcon.png"_s,      u"MenuBarIcon.tiff"_s,
                                     u"StatusIcon.pdf"_s,       u"StatusIcon@2x.png"_s,
                                     u"StatusIcon.png"_s,       u"StatusBarIcon.pdf"_s,
                                     u"StatusBarIcon@2x.png"_s, u"StatusBarIcon.png"_s};

std::optional<QImage> present(const QImage &image) {
    return image.isNull() ? std::nullopt : std::optional<QImage>(image);
}

} // namespace

IconCache::IconCache(QString folder, const Workspace &workspace)
    : m_folder(std::move(folder)), m_workspace(workspace) {
    loadNames();
}

void IconCache::remember(const QString &bundleID, const QString &name,
                         const std::optional<QImage> &icon) {
    // An application whose name could not be read, or that stands in under its bundle identifier
    // (an item whose application is not running), must not lose the name remembered earlier.
    if (!name.isEmpty() && name != bundleID && m_names.value(bundleID) != name) {
        m_names.insert(bundleID, name);
        writeNames();
    }
    if (!icon || icon->isNull() || holdsGoodIcon(bundleID) || isPlaceholder(*icon)) {
        return;
    }
    m_memory.insert(bundleID, *icon);
    m_goodIcons.insert(bundleID);
    m_noIconFile.remove(bundleID);
    ++m_revisions[bundleID];
    writeIcon(bundleID, *icon);
}

quint64 IconCache::revision(const QString &bundleID) const {
    return m_revisions.value(bundleID);
}

std::optional<QImage> IconCache::icon(const QString &bundleID) {
    const auto held = m_memory.constFind(bundleID);
    if (held != m_memory.cend()) {
        return *held;
    }
    if (m_noIconFile.contains(bundleID)) {
        return std::nullopt;
    }
    const QImage loaded(iconFile(bundleID));
    if (loaded.isNull()) {
        m_noIconFile.insert(bundleID);
        return std::nullopt;
    }
    m_memory.insert(bundleID, loaded);
    return loaded;
}

std::optional<QString> IconCache::name(const QString &bundleID) const {
    const auto found = m_names.constFind(bundleID);
    return found != m_names.cend() ? std::optional<QString>(*found) : std::nullopt;
}

std::optional<QImage> IconCache::installedIcon(const QString &bundleID) const {
    const auto app = outermostAppURL(bundleID);
    if (!app) {
        return std::nullopt;
    }
    return present(m_workspace.iconForFile(app->toLocalFile()));
}

std::optional<QUrl> IconCache::outermostAppURL(const QString &bundleID) const {
    std::optional<QString> path;
    for (const RunningApplication &app : m_workspace.runningApplications()) {
        if (app.bundleIdentifier == bundleID && app.bundlePath) {
            path = app.bundlePath;
            break;
        }
    }
    return outermostAppURL(bundleID, path);
}

std::optional<QUrl>
IconCache::outermostAppURL(const QString &bundleID,
                           const std::optional<QString> &runningBundlePath) const {
    std::optional<QString> path = runningBundlePath;
    if (!path) {
        path = m_workspace.applicationPath(bundleID);
    }
    if (!path) {
        return std::nullopt;
    }
    return QUrl::fromLocalFile(outermostAppPath(*path));
}

QString IconCache::outermostAppPath(const QString &path) {
    QString built;
    for (const QString &component : path.split(u'/', Qt::SkipEmptyParts)) {
        built += u'/' + component;
        if (component.endsWith(u".app"_s)) {
            return built;
        }
    }
    return path;
}

std::optional<QImage> IconCache::menuBarGlyph(const QString &bundleID) const {
    const auto app = outermostAppURL(bundleID);
    return app ? menuBarGlyph(*app) : std::nullopt;
}

std::optional<QImage> IconCache::menuBarGlyph(const QUrl &appUrl) {
    const auto url = menuBarGlyphURL(appUrl);
    if (!url) {
        return std::nullopt;
    }
    std::optional<QImage> glyph = readGlyphFile(url->toLocalFile());
    if (glyph) {
        markAsTemplate(*glyph);
    }
    return glyph;
}

std::optional<QUrl> IconCache::menuBarGlyphURL(const QUrl &appUrl) {
    const QDir resources(appUrl.toLocalFile() + u"/Contents/Resources"_s);
    for (const QString &fileName : kGlyphFileNames) {
        const QString path = resources.filePath(fileName);
        if (QFileInfo::exists(path)) {
            return QUrl::fromLocalFile(path);
        }
    }
    return std::nullopt;
}

std::optional<QImage> IconCache::bestIcon(const QString &bundleID,
                                          const std::optional<QImage> &running,
                                          const std::optional<QString> &runningBundlePath) {
    const auto app = outermostAppURL(bundleID, runningBundlePath);
    if (app) {
        if (auto glyph = menuBarGlyph(*app)) {
            return glyph;
        }
        if (auto installed =
                unlessPlaceholder(present(m_workspace.iconForFile(app->toLocalFile())))) {
            return installed;
        }
    }
    if (auto own = unlessPlaceholder(running)) {
        return own;
    }
    auto remembered = icon(bundleID);
    return remembered && holdsGoodIcon(bundleID) ? remembered : std::nullopt;
}

bool IconCache::holdsGoodIcon(const QString &bundleID) {
    if (m_goodIcons.contains(bundleID)) {
        return true;
    }
    const auto held = m_memory.constFind(bundleID);
    // An image whose fingerprint cannot be made counts as good.
    if (held == m_memory.cend() || isPlaceholder(*held)) {
        return false;
    }
    m_goodIcons.insert(bundleID);
    return true;
}

bool IconCache::isPlaceholder(const QImage &image) const {
    const auto fingerprint = zorvNormalizedPNG(image);
    if (!fingerprint) {
        return false;
    }
    if (!m_placeholders) {
        m_placeholders.emplace();
        for (const QString &type : kGenericTypes) {
            if (const auto generic = zorvNormalizedPNG(m_workspace.iconForType(type))) {
                m_placeholders->insert(*generic);
            }
        }
    }
    return m_placeholders->contains(*fingerprint);
}

std::optional<QImage> IconCache::unlessPlaceholder(std::optional<QImage> image) const {
    if (!image || image->isNull() || isPlaceholder(*image)) {
        return std::nullopt;
    }
    return image;
}

QString IconCache::iconsFolder() const {
    return QDir(m_folder).filePath(u"icons"_s);
}

void IconCache::makeIconsFolder() const {
    if (!m_madeIconsFolder) {
        m_madeIconsFolder = QDir().mkpath(iconsFolder());
    }
}

QString IconCache::iconFile(const QString &bundleID) const {
    QString key = bundleID;
    key.replace(u'/', u'_');
    return QDir(iconsFolder()).filePath(key + u".png"_s);
}

QString IconCache::namesFile() const {
    return QDir(m_folder).filePath(u"icon-names.json"_s);
}

void IconCache::loadNames() {
    const auto bytes = readWholeFile(namesFile());
    if (!bytes) {
        return;
    }
    try {
        const JsonObjectRef object = JsonValueRef(parseJson(*bytes)).toObject();
        QHash<QString, QString> names;
        for (const QString &key : object.keys()) {
            names.insert(key, object.required<QString>(key));
        }
        m_names = std::move(names);
    } catch (const DecodeError &) {
        // An unreadable name file starts the names afresh; the next change rewrites it.
    }
}

void IconCache::writeNames() const {
    QJsonObject object;
    for (auto it = m_names.cbegin(); it != m_names.cend(); ++it) {
        object.insert(it.key(), it.value());
    }
    if (const auto bytes = writeJson(object, JsonFormat::compact())) {
        (void)writeFileAtomically(namesFile(), *bytes, FileDurability::Synced);
    }
}

void IconCache::writeIcon(const QString &bundleID, const QImage &icon) const {
    QImage scaled(kIconSize, kIconSize, QImage::Format_ARGB32_Premultiplied);
    scaled.fill(Qt::transparent);
    {
        QPainter painter(&scaled);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(0, 0, kIconSize, kIconSize), icon);
    }
    if (const auto png = zorvPNGData(scaled)) {
        makeIconsFolder();
        (void)writeFileAtomically(iconFile(bundleID), *png, FileDurability::Synced);
    }
}

} // namespace zorv
