#include "iconcachetestfixture.h"

#include "icons/iconimages.h"

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QColor corner(const std::optional<QImage> &image) {
    return image ? image->pixelColor(0, 0) : QColor();
}

TEST_F(IconCacheTest, NameFileIsCompactAndRewrittenOnlyWhenANameChanges) {
    cache->remember(u"com.b"_s, u"Beta"_s, std::nullopt);
    cache->remember(u"com.a"_s, u"Alpha"_s, std::nullopt);
    QFile file(path(u"icon-names.json"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), R"({"com.a":"Alpha","com.b":"Beta"})");
    file.remove();

    cache->remember(u"com.a"_s, u"Alpha"_s, std::nullopt);
    // An application whose name could not be read keeps the one remembered earlier.
    cache->remember(u"com.a"_s, QString(), std::nullopt);
    EXPECT_FALSE(QFile::exists(path(u"icon-names.json"_s)));
    cache->remember(u"com.a"_s, u"Alpha 2"_s, std::nullopt);
    relaunch();
    EXPECT_EQ(cache->name(u"com.a"_s), u"Alpha 2"_s);
    EXPECT_EQ(cache->name(u"com.b"_s), u"Beta"_s);
}

TEST_F(IconCacheTest, AnUnreadableNameFileStartsAfresh) {
    QFile file(path(u"icon-names.json"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"com.a":"Alpha","com.b":2})");
    file.close();
    relaunch();
    EXPECT_EQ(cache->name(u"com.a"_s), std::nullopt);
}

TEST_F(IconCacheTest, RemembersThe44PointIconUnderItsFileKeyAcrossLaunches) {
    cache->remember(u"com.example/tool"_s, u"Tool"_s, solidIcon(Qt::red, 128));
    // The first good icon stays for the run.
    cache->remember(u"com.example/tool"_s, u"Tool"_s, solidIcon(Qt::blue));
    const QImage stored(path(u"icons/com.example_tool.png"_s));
    EXPECT_EQ(stored.size(), QSize(44, 44));
    EXPECT_EQ(corner(stored), QColor(Qt::red));

    relaunch();
    EXPECT_EQ(corner(cache->icon(u"com.example/tool"_s)), QColor(Qt::red));
    // In a new run the newest icon wins.
    relaunch();
    cache->remember(u"com.example/tool"_s, u"Tool"_s, solidIcon(Qt::blue));
    relaunch();
    EXPECT_EQ(corner(cache->icon(u"com.example/tool"_s)), QColor(Qt::blue));
}

TEST_F(IconCacheTest, PlaceholdersAreNeverRememberedNorPreferred) {
    cache->remember(u"com.a"_s, u"A"_s, generic("com.apple.application-bundle"));
    EXPECT_EQ(cache->icon(u"com.a"_s), std::nullopt);
    EXPECT_EQ(cache->name(u"com.a"_s), u"A"_s);

    // Installed without an icon of its own: the running application's icon wins.
    install(u"com.a"_s);
    EXPECT_EQ(corner(cache->bestIcon(u"com.a"_s, solidIcon(Qt::red))), QColor(Qt::red));
    // The running icon is generic too: the icon remembered in an earlier launch wins.
    cache->remember(u"com.a"_s, u"A"_s, solidIcon(Qt::blue));
    cache->remember(u"com.a"_s, u"A"_s, generic("public.item"));
    relaunch();
    EXPECT_EQ(corner(cache->bestIcon(u"com.a"_s, generic("public.data"))), QColor(Qt::blue));
    // Launched but not installed: the running icon is the generic one, so there is none.
    applications.launch(AppSpec{u"com.unknown"_s, u"Unknown"_s});
    const auto running = workspace.runningApplications().constLast();
    EXPECT_EQ(cache->bestIcon(u"com.unknown"_s, running.icon), std::nullopt);
}

TEST_F(IconCacheTest, PrefersTheFirstGlyphFileAsATemplateThenTheInstalledIcon) {
    const ApplicationIcon own{Qt::darkGreen, u"G"_s};
    install(u"com.glyph"_s,
            {{u"StatusIcon.png"_s, solidIcon(Qt::red, 18)},
             {u"StatusBarIcon.png"_s, solidIcon(Qt::blue)}},
            own);
    const auto glyph = cache->bestIcon(u"com.glyph"_s, solidIcon(Qt::yellow));
    EXPECT_EQ(corner(glyph), QColor(Qt::red));
    EXPECT_TRUE(glyph && isTemplateImage(*glyph));

    // The first file present decides: an unreadable one means no glyph, not the next file.
    install(u"com.broken"_s,
            {{u"MenuBarIcon.png"_s, QImage()}, {u"StatusIcon.png"_s, solidIcon(Qt::red)}}, own);
    EXPECT_EQ(cache->bestIcon(u"com.broken"_s, std::nullopt), own.render());
}

// A helper inside another application's bundle stands for that application.
TEST_F(IconCacheTest, FindsTheOutermostApplicationOfAHelper) {
    workspace.install({u"com.helper"_s, u"/Applications/Outer.app/Contents/Library/Helper.app"_s,
                       ApplicationIcon{Qt::red, u"H"_s}});
    workspace.install(
        {u"com.outer"_s, u"/Applications/Outer.app"_s, ApplicationIcon{Qt::blue, u"O"_s}});
    applications.launch(AppSpec{u"com.helper"_s, u"Helper"_s});
    EXPECT_EQ(cache->outermostAppUrl(u"com.helper"_s),
              QUrl::fromLocalFile(u"/Applications/Outer.app"_s));
    EXPECT_EQ(cache->installedIcon(u"com.helper"_s), ApplicationIcon({Qt::blue, u"O"_s}).render());
    EXPECT_EQ(cache->outermostAppUrl(u"com.missing"_s), std::nullopt);
}

TEST(IconCacheOutermostAppPath, CutsAfterTheFirstApplicationBundle) {
    const std::pair<QString, QString> cases[] = {
        {u"/Applications/Outer.app/Contents/Library/LoginItems/Helper.app"_s,
         u"/Applications/Outer.app"_s},
        {u"//Applications//Tool.app/"_s, u"/Applications/Tool.app"_s},
        {u"/usr/local/bin/tool"_s, u"/usr/local/bin/tool"_s},
        {u"/Applications/Outer.APP/Contents"_s, u"/Applications/Outer.APP/Contents"_s},
    };
    for (const auto &[path, expected] : cases) {
        EXPECT_EQ(IconCache::outermostAppPath(path), expected) << path.toStdString();
    }
}

} // namespace
} // namespace zorv
