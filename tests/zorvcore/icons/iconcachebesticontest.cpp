#include "iconcachetestfixture.h"

#include "icons/iconimages.h"

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

RunningApplication runningApp(const QString &bundleID, std::optional<QString> bundlePath) {
    RunningApplication app;
    app.processId = 42;
    app.bundleIdentifier = bundleID;
    app.bundlePath = std::move(bundlePath);
    return app;
}

TEST(IconCacheOutermostAppPath, CutsAfterTheFirstApplicationBundle) {
    const struct {
        QString path;
        QString expected;
    } cases[] = {
        {u"/Applications/Outer.app/Contents/Library/LoginItems/Helper.app"_s,
         u"/Applications/Outer.app"_s},
        {u"/Applications/Outer.app/"_s, u"/Applications/Outer.app"_s},
        {u"//Applications//Tool.app//Contents"_s, u"/Applications/Tool.app"_s},
        {u"/usr/local/bin/tool"_s, u"/usr/local/bin/tool"_s},
        {u"/Applications/Outer.APP/Contents"_s, u"/Applications/Outer.APP/Contents"_s},
        {u"Relative.app/Contents"_s, u"/Relative.app"_s},
        {QString(), QString()},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(IconCache::outermostAppPath(c.path), c.expected) << c.path.toStdString();
    }
}

TEST_F(IconCacheTest, FindsTheAppThroughARunningCopyFirstThenTheInstalledOne) {
    workspace.installed.insert(u"com.example.helper"_s, u"/Installed/Outer.app"_s);
    EXPECT_EQ(cache->outermostAppUrl(u"com.example.helper"_s),
              QUrl::fromLocalFile(u"/Installed/Outer.app"_s));

    // A running copy without a known bundle does not count.
    workspace.running = {
        runningApp(u"com.example.helper"_s, std::nullopt),
        runningApp(u"com.example.helper"_s, u"/Running/Outer.app/Contents/Helper.app"_s)};
    EXPECT_EQ(cache->outermostAppUrl(u"com.example.helper"_s),
              QUrl::fromLocalFile(u"/Running/Outer.app"_s));
    EXPECT_EQ(cache->outermostAppUrl(u"com.example.missing"_s), std::nullopt);
}

TEST_F(IconCacheTest, TakesTheFirstGlyphFileInOrderAsATemplate) {
    const QString app =
        makeApp(u"Outer.app"_s, {{u"StatusIcon.png"_s, pngBytes(solidIcon(Qt::red, 18))},
                                 {u"StatusBarIcon.pdf"_s, "%PDF-1.4"},
                                 {u"StatusBarIcon.png"_s, pngBytes(solidIcon(Qt::blue, 18))}});
    workspace.installed.insert(u"com.example.outer"_s, app);
    workspace.fileIcons.insert(app, solidIcon(Qt::green));

    EXPECT_EQ(IconCache::menuBarGlyphUrl(QUrl::fromLocalFile(app)),
              QUrl::fromLocalFile(app + u"/Contents/Resources/StatusIcon.png"_s));
    const auto best = cache->bestIcon(u"com.example.outer"_s, solidIcon(Qt::yellow));
    ASSERT_TRUE(best.has_value());
    EXPECT_EQ(best->pixelColor(0, 0), QColor(Qt::red));
    EXPECT_TRUE(isTemplateImage(*best));
}

TEST_F(IconCacheTest, HighResolutionGlyphsKeepTheirPointSize) {
    const QString app =
        makeApp(u"Sharp.app"_s, {{u"MenuBarIcon@2x.png"_s, pngBytes(solidIcon(Qt::red, 36))}});
    const auto glyph = IconCache::menuBarGlyph(QUrl::fromLocalFile(app));
    ASSERT_TRUE(glyph.has_value());
    EXPECT_EQ(glyph->deviceIndependentSize(), QSizeF(18, 18));
}

// The first glyph file that exists decides; an unreadable one means no glyph, not the next file.
TEST_F(IconCacheTest, AnUnreadableGlyphFallsThroughToTheInstalledIcon) {
    const QString app =
        makeApp(u"Broken.app"_s, {{u"MenuBarIcon.png"_s, QByteArray()},
                                  {u"StatusIcon.png"_s, pngBytes(solidIcon(Qt::red, 18))}});
    workspace.installed.insert(u"com.example.broken"_s, app);
    workspace.fileIcons.insert(app, solidIcon(Qt::green));

    EXPECT_EQ(IconCache::menuBarGlyph(QUrl::fromLocalFile(app)), std::nullopt);
    const auto best = cache->bestIcon(u"com.example.broken"_s, std::nullopt);
    ASSERT_TRUE(best.has_value());
    EXPECT_EQ(best->pixelColor(0, 0), QColor(Qt::green));
    EXPECT_FALSE(isTemplateImage(*best));
}

// Each step is skipped when it only has a generic icon to offer.
TEST_F(IconCacheTest, PlaceholdersNeverWinOverARealIcon) {
    const QString bundleID = u"com.example.plain"_s;
    const QString app = makeApp(u"Plain.app"_s);
    workspace.installed.insert(bundleID, app);

    // Installed without an icon of its own: the running icon wins.
    const auto best = cache->bestIcon(bundleID, solidIcon(Qt::red));
    ASSERT_TRUE(best.has_value());
    EXPECT_TRUE(samePixels(*best, solidIcon(Qt::red)));

    // The running icon is generic too: the one remembered earlier wins.
    cache->remember(bundleID, u"Plain"_s, solidIcon(Qt::blue));
    relaunch();
    const auto remembered = cache->bestIcon(bundleID, workspace.genericApplication);
    ASSERT_TRUE(remembered.has_value());
    EXPECT_EQ(remembered->pixelColor(0, 0), QColor(Qt::blue));

    // Nothing but generic icons anywhere: none.
    EXPECT_EQ(cache->bestIcon(u"com.example.unknown"_s, workspace.genericDocument), std::nullopt);
}

TEST_F(IconCacheTest, AnAppNeitherRunningNorInstalledGetsItsIconFromAnEarlierLaunch) {
    cache->remember(u"com.example.gone"_s, u"Gone"_s, solidIcon(Qt::magenta));
    relaunch();
    const auto best = cache->bestIcon(u"com.example.gone"_s, std::nullopt);
    ASSERT_TRUE(best.has_value());
    EXPECT_EQ(best->pixelColor(0, 0), QColor(Qt::magenta));
    EXPECT_EQ(cache->installedIcon(u"com.example.gone"_s), std::nullopt);
}

} // namespace
} // namespace zorv
