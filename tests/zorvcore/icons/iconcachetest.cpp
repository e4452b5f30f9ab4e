#include "icons/iconcache.h"
#include "icons/iconimages.h"
#include "manualclock.h"
#include "model/desktopmodel.h"
#include "script/applicationregistry.h"
#include "workspace/simworkspace.h"

#include <QDir>
#include <QFile>
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
    cache->remember(u"com.a"_s, QString(), std::nullopt); // a name that could not be read
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
    EXPECT_EQ(corner(cache->bestIcon(u"com.a"_s, solid(Qt::red))), QColor(Qt::red));
    // The running icon is generic too: the icon remembered earlier wins.
    cache->remember(u"com.a"_s, u"A"_s, solid(Qt::blue));
    cache->remember(u"com.a"_s, u"A"_s, generic(u"public.item"_s));
    relaunch();
    EXPECT_EQ(corner(cache->bestIcon(u"com.a"_s, generic(u"public.data"_s))), QColor(Qt::blue));
    // Launched but not installed: the running icon is the generic one, so there is none.
    applications.launch(AppDescription{u"com.unknown"_s, u"Unknown"_s});
    const auto running = workspace.runningApplications().constLast();
    EXPECT_EQ(cache->bestIcon(u"com.unknown"_s, running.icon), std::nullopt);
}

TEST_F(IconCacheTest, PrefersTheFirstGlyphFileAsATemplateThenTheInstalledIcon) {
    const ApplicationIcon own{Qt::darkGreen, u"G"_s};
    install(u"com.glyph"_s,
            {{u"StatusBarIcon.png"_s, solid(Qt::blue)}, {u"StatusIcon.png"_s, solid(Qt::red, 18)}},
            own);
    const auto glyph = cache->bestIcon(u"com.glyph"_s, solid(Qt::yellow));
    EXPECT_EQ(corner(glyph), QColor(Qt::red));
    EXPECT_TRUE(glyph && isTemplateImage(*glyph));
    // The first file present decides: an unreadable one means no glyph, not the next file.
    install(u"com.broken"_s,
            {{u"MenuBarIcon.png"_s, QImage()}, {u"StatusIcon.png"_s, solid(Qt::red)}}, own);
    EXPECT_EQ(cache->bestIcon(u"com.broken"_s, std::nullopt), own.render());
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
