#include "iconcachetestfixture.h"

#include <QBuffer>
#include <QFile>

using namespace Qt::StringLiterals;

namespace zorv {

QByteArray pngBytes(const QImage &image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool samePixels(const QImage &a, const QImage &b) {
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

namespace {

TEST_F(IconCacheTest, NameFileIsCompactJsonRewrittenOnlyOnChange) {
    cache->remember(u"com.example.b"_s, u"Beta"_s, std::nullopt);
    cache->remember(u"com.example.a"_s, u"Alpha"_s, std::nullopt);
    EXPECT_EQ(contents(u"icon-names.json"_s),
              R"({"com.example.a":"Alpha","com.example.b":"Beta"})");

    // The same name again writes nothing: a removed file stays removed.
    QFile::remove(path(u"icon-names.json"_s));
    cache->remember(u"com.example.a"_s, u"Alpha"_s, std::nullopt);
    EXPECT_FALSE(QFile::exists(path(u"icon-names.json"_s)));
    cache->remember(u"com.example.a"_s, u"Alpha 2"_s, std::nullopt);
    EXPECT_TRUE(QFile::exists(path(u"icon-names.json"_s)));

    relaunch();
    EXPECT_EQ(cache->name(u"com.example.a"_s), u"Alpha 2"_s);
    EXPECT_EQ(cache->name(u"com.example.b"_s), u"Beta"_s);
    EXPECT_EQ(cache->name(u"com.example.c"_s), std::nullopt);
}

TEST_F(IconCacheTest, AnEmptyNameNeverReplacesAKnownOne) {
    cache->remember(u"com.example.a"_s, u"Alpha"_s, std::nullopt);
    cache->remember(u"com.example.a"_s, QString(), std::nullopt);
    relaunch();
    EXPECT_EQ(cache->name(u"com.example.a"_s), u"Alpha"_s);
}

TEST_F(IconCacheTest, AnUnreadableNameFileStartsAfreshAndIsOverwritten) {
    for (const QByteArray &bad :
         {QByteArray("{not json"), QByteArray(R"({"a":"A","b":2})"), QByteArray(R"(["a"])")}) {
        QFile file(path(u"icon-names.json"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bad);
        file.close();
        relaunch();
        EXPECT_EQ(cache->name(u"a"_s), std::nullopt) << bad.constData();
        cache->remember(u"c"_s, u"C"_s, std::nullopt);
        EXPECT_EQ(contents(u"icon-names.json"_s), R"({"c":"C"})");
    }
}

TEST_F(IconCacheTest, IconFilesAre44PointPngsKeyedWithSlashesReplaced) {
    const QImage red = solidIcon(Qt::red, 128);
    cache->remember(u"com.example/tool"_s, u"Tool"_s, red);
    const QImage stored(path(u"icons/com.example_tool.png"_s));
    ASSERT_FALSE(stored.isNull());
    EXPECT_EQ(stored.size(), QSize(44, 44));
    EXPECT_EQ(stored.pixelColor(22, 22), QColor(Qt::red));

    // Within the run the memory answers; after a relaunch the file, under the same key.
    EXPECT_TRUE(samePixels(*cache->icon(u"com.example/tool"_s), red));
    relaunch();
    const auto loaded = cache->icon(u"com.example/tool"_s);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_TRUE(samePixels(*loaded, stored));
    EXPECT_EQ(cache->icon(u"com.example/other"_s), std::nullopt);
}

TEST_F(IconCacheTest, FirstGoodIconWinsInARunAndTheNewestAcrossLaunches) {
    cache->remember(u"a"_s, u"A"_s, solidIcon(Qt::red));
    cache->remember(u"a"_s, u"A"_s, solidIcon(Qt::blue));
    EXPECT_EQ(QImage(path(u"icons/a.png"_s)).pixelColor(0, 0), QColor(Qt::red));
    EXPECT_TRUE(samePixels(*cache->icon(u"a"_s), solidIcon(Qt::red)));

    relaunch();
    cache->remember(u"a"_s, u"A"_s, solidIcon(Qt::blue));
    EXPECT_EQ(QImage(path(u"icons/a.png"_s)).pixelColor(0, 0), QColor(Qt::blue));
}

TEST_F(IconCacheTest, GenericPlaceholdersAreNeverRememberedButTheirNamesAre) {
    for (const QImage &generic : {workspace.genericApplication, workspace.genericDocument}) {
        cache->remember(u"a"_s, u"A"_s, generic);
        EXPECT_EQ(cache->icon(u"a"_s), std::nullopt);
        EXPECT_FALSE(QFile::exists(path(u"icons/a.png"_s)));
    }
    EXPECT_EQ(cache->name(u"a"_s), u"A"_s);

    // A real icon that comes later is taken, and a placeholder after it changes nothing.
    cache->remember(u"a"_s, u"A"_s, solidIcon(Qt::green));
    cache->remember(u"a"_s, u"A"_s, workspace.genericApplication);
    EXPECT_TRUE(samePixels(*cache->icon(u"a"_s), solidIcon(Qt::green)));
}

TEST_F(IconCacheTest, ANullIconIsNoIcon) {
    cache->remember(u"a"_s, u"A"_s, QImage());
    EXPECT_EQ(cache->icon(u"a"_s), std::nullopt);
    EXPECT_EQ(cache->bestIcon(u"a"_s, QImage()), std::nullopt);
}

} // namespace
} // namespace zorv
