#include "icons/iconcache.h"
#include "icons/iconimages.h"
#include "manualclock.h"
#include "model/desktopmodel.h"
#include "script/applicationregistry.h"
#include "workspace/simworkspace.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QImage solid(QColor color, int size = 64) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(color);
    return image;
}

// A one-page PDF of the size in points, its left half black.
QByteArray pdf(QSizeF points) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(points, QPageSize::Point));
    writer.setPageMargins(QMarginsF());
    writer.setResolution(72);
    QPainter painter(&writer);
    painter.fillRect(QRectF(0, 0, points.width() / 2, points.height()), Qt::black);
    painter.end();
    return bytes;
}

QByteArray tiff(const QImage &image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "tiff").write(image);
    return bytes;
}

QColor corner(const std::optional<QImage> &image) {
    return image ? image->pixelColor(0, 0) : QColor();
}

// A cache over a fresh folder and the simulated Mac's workspace; relaunch() makes a new cache over
// the same files, as the next launch of the application would.
class IconCacheTest : public ::testing::Test {
protected:
    IconCacheTest() { relaunch(); }

    void relaunch() { cache = std::make_unique<IconCache>(folder.path(), workspace); }
    QString path(const QString &relative) const { return QDir(folder.path()).filePath(relative); }
    QImage generic(const QString &type) const { return workspace.iconForType(type); }

    // Installs a bundle on disk with these files in Contents/Resources, in order.
    void install(const QString &bundleID, const QList<std::pair<QString, QImage>> &resources = {},
                 std::optional<ApplicationIcon> icon = std::nullopt) {
        const QString resourcesPath = apps.path() + u'/' + bundleID + u".app/Contents/Resources"_s;
        QDir().mkpath(resourcesPath);
        for (const auto &[name, image] : resources) {
            QFile file(resourcesPath + u'/' + name);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            image.save(&file, "PNG");
        }
        workspace.install({bundleID, apps.path() + u'/' + bundleID + u".app"_s, icon});
    }

    QTemporaryDir folder;
    QTemporaryDir apps;
    ManualClock clock;
    DesktopModel model{clock};
    ApplicationRegistry applications{model};
    SimWorkspace workspace{model};
    std::unique_ptr<IconCache> cache;
};

TEST_F(IconCacheTest, NameFileIsCompactRewrittenOnlyOnAChangeAndReadStrictly) {
    cache->remember(u"com.b"_s, u"Beta"_s, std::nullopt);
    cache->remember(u"com.a"_s, u"Alpha"_s, std::nullopt);
    QFile file(path(u"icon-names.json"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), R"({"com.a":"Alpha","com.b":"Beta"})");
    file.close();
    file.remove();
    cache->remember(u"com.a"_s, u"Alpha"_s, std::nullopt);
    cache->remember(u"com.a"_s, QString(), std::nullopt);  // a name that could not be read
    cache->remember(u"com.a"_s, u"com.a"_s, std::nullopt); // only the bundle identifier
    EXPECT_FALSE(file.exists());
    cache->remember(u"com.a"_s, u"Alpha 2"_s, std::nullopt);
    relaunch();
    EXPECT_EQ(cache->name(u"com.a"_s), u"Alpha 2"_s);
    EXPECT_EQ(cache->name(u"com.b"_s), u"Beta"_s);

    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"com.a":"Alpha","com.b":2})");
    file.close();
    relaunch();
    EXPECT_EQ(cache->name(u"com.a"_s), std::nullopt);
}

TEST_F(IconCacheTest, KeepsTheFirstGoodIconForTheRunAndTheNewestAcrossLaunches) {
    cache->remember(u"com.example/tool"_s, u"Tool"_s, solid(Qt::red, 128));
    cache->remember(u"com.example/tool"_s, u"Tool"_s, solid(Qt::blue));
    const QImage stored(path(u"icons/com.example_tool.png"_s));
    EXPECT_EQ(stored.size(), QSize(44, 44));
    EXPECT_EQ(corner(stored), QColor(Qt::red));
    relaunch();
    EXPECT_EQ(corner(cache->icon(u"com.example/tool"_s)), QColor(Qt::red));
    relaunch();
    cache->remember(u"com.example/tool"_s, u"Tool"_s, solid(Qt::blue));
    relaunch();
    EXPECT_EQ(corner(cache->icon(u"com.example/tool"_s)), QColor(Qt::blue));
}

TEST_F(IconCacheTest, PlaceholdersNeverReplaceNorBeatARealIcon) {
    cache->remember(u"com.a"_s, u"A"_s, generic(u"com.apple.application-bundle"_s));
    EXPECT_EQ(cache->icon(u"com.a"_s), std::nullopt);
    // Installed without an icon of its own: the running application's icon wins.
    install(u"com.a"_s);
    EXPECT_EQ(corner(cache->bestIcon(u"com.a"_s, solid(Qt::red), std::nullopt)), QColor(Qt::red));
    // The running icon is generic too: the icon remembered earlier wins.
    cache->remember(u"com.a"_s, u"A"_s, solid(Qt::blue));
    cache->remember(u"com.a"_s, u"A"_s, generic(u"public.item"_s));
    relaunch();
    EXPECT_EQ(corner(cache->bestIcon(u"com.a"_s, generic(u"public.data"_s), std::nullopt)),
              QColor(Qt::blue));
    // Launched but not installed: the running icon is the generic one, so there is none.
    applications.launch(AppDescription{u"com.unknown"_s, u"Unknown"_s});
    const auto running = workspace.runningApplications().constLast();
    EXPECT_EQ(cache->bestIcon(u"com.unknown"_s, running.icon, running.bundlePath), std::nullopt);
}

TEST_F(IconCacheTest, PrefersTheFirstGlyphFileAsATemplateThenTheInstalledIcon) {
    const ApplicationIcon own{Qt::darkGreen, u"G"_s};
    install(u"com.glyph"_s,
            {{u"StatusBarIcon.png"_s, solid(Qt::blue)}, {u"StatusIcon.png"_s, solid(Qt::red, 18)}},
            own);
    const auto glyph = cache->bestIcon(u"com.glyph"_s, solid(Qt::yellow), std::nullopt);
    EXPECT_EQ(corner(glyph), QColor(Qt::red));
    EXPECT_TRUE(glyph && isTemplateImage(*glyph));
    // The first file present decides: an unreadable one means no glyph, not the next file.
    install(u"com.broken"_s,
            {{u"MenuBarIcon.png"_s, QImage()}, {u"StatusIcon.png"_s, solid(Qt::red)}}, own);
    EXPECT_EQ(cache->bestIcon(u"com.broken"_s, std::nullopt, std::nullopt), own.render());
}

// A PDF glyph is its first page drawn at twice its size in points (shrunk to fit when huge); a
// PDF that does not load or a file too large to be a glyph gives none, so the installed icon shows.
TEST_F(IconCacheTest, ReadsPdfAndTiffGlyphsAndSkipsBrokenOrHugeFiles) {
    const ApplicationIcon own{Qt::darkGreen, u"G"_s};
    const struct {
        QString name;
        QString file;
        QByteArray bytes;
        QSize pixels; // empty: no glyph
        double ratio;
    } cases[] = {
        {u"pdf"_s, u"MenuBarIcon.pdf"_s, pdf({18, 16}), {36, 32}, 2.0},
        {u"tiff"_s, u"MenuBarIcon.tiff"_s, tiff(solid(Qt::red, 20)), {20, 20}, 1.0},
        {u"hugePage"_s, u"StatusIcon.pdf"_s, pdf({5000, 2500}), {512, 256}, 2.0},
        {u"brokenPdf"_s, u"StatusBarIcon.pdf"_s, "%PDF-1.4 no document", {}, 0.0},
        {u"hugeFile"_s, u"MenuBarIcon.pdf"_s, pdf({18, 16}) + QByteArray(600 * 1024, ' '), {}, 0.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString bundleID = u"com.case."_s + c.name;
        install(bundleID, {}, own);
        QFile file(apps.path() + u'/' + bundleID + u".app/Contents/Resources/"_s + c.file);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        const auto best = cache->bestIcon(bundleID, std::nullopt, std::nullopt);
        ASSERT_TRUE(best);
        if (c.pixels.isEmpty()) {
            EXPECT_EQ(*best, own.render());
            continue;
        }
        EXPECT_TRUE(isTemplateImage(*best));
        EXPECT_EQ(best->size(), c.pixels);
        EXPECT_EQ(best->devicePixelRatio(), c.ratio);
        EXPECT_EQ(best->pixelColor(1, 1).alpha(), 255);
    }
}

// A helper inside another application's bundle stands for that application.
TEST_F(IconCacheTest, AHelperTakesItsOutermostApplicationsIcon) {
    workspace.install({u"com.helper"_s, u"/Applications/Outer.app/Contents/Library/Helper.app"_s,
                       ApplicationIcon{Qt::red, u"H"_s}});
    workspace.install(
        {u"com.outer"_s, u"/Applications/Outer.app"_s, ApplicationIcon{Qt::blue, u"O"_s}});
    applications.launch(AppDescription{u"com.helper"_s, u"Helper"_s});
    EXPECT_EQ(cache->installedIcon(u"com.helper"_s), ApplicationIcon({Qt::blue, u"O"_s}).render());
    EXPECT_EQ(IconCache::outermostAppPath(u"//Applications//Tool.app/x"_s),
              u"/Applications/Tool.app"_s);
    EXPECT_EQ(IconCache::outermostAppPath(u"/Applications/Outer.APP/x"_s),
              u"/Applications/Outer.APP/x"_s);
}

} // namespace
} // namespace zorv
