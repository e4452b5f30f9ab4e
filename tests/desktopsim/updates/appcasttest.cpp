#include "updates/appcast.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QByteArray feed(const QByteArray &items) {
    return R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:s="http://example.com/updates"><channel><title>Zorv</title>)" +
           items + "</channel></rss>";
}

TEST(AppcastTest, ReadsItemsFromElementsOrTheEnclosure) {
    const struct {
        const char *name;
        QByteArray bytes;
        std::optional<QList<AppcastItem>> items;
    } cases[] = {
        {"versions as elements",
         feed("<item><title>Zorv 1.2</title><s:version>12</s:version>"
              "<s:shortVersionString>1.2</s:shortVersionString>"
              "<enclosure url=\"https://example.com/Zorv-1.2.zip\"/></item>"),
         QList<AppcastItem>{
             {u"Zorv 1.2"_s, u"12"_s, u"1.2"_s, u"https://example.com/Zorv-1.2.zip"_s, {}}}},
        {"versions on the enclosure, no short version",
         feed("<item><title>B</title><enclosure url=\"u\" s:version=\"7\"/></item>"),
         QList<AppcastItem>{{u"B"_s, u"7"_s, u"7"_s, u"u"_s, {}}}},
        {"an item without a version is skipped",
         feed("<item><title>notes</title></item><item><s:version>3</s:version></item>"),
         QList<AppcastItem>{{QString(), u"3"_s, u"3"_s, QString(), {}}}},
        {"release notes as escaped markup or as elements",
         feed("<item><s:version>4</s:version><description><![CDATA[<p>Fixes</p>]]>"
              "</description></item><item><s:version>5</s:version><description><p>Faster</p>"
              "</description></item>"),
         QList<AppcastItem>{{QString(), u"4"_s, u"4"_s, QString(), u"<p>Fixes</p>"_s},
                            {QString(), u"5"_s, u"5"_s, QString(), u"Faster"_s}}},
        {"an empty channel", feed(""), QList<AppcastItem>{}},
        {"not XML", "{\"version\": 2}", std::nullopt},
        {"cut off", feed("<item><s:version>3</s:version>").chopped(10), std::nullopt},
        {"another document", "<html><body>Sign in</body></html>", std::nullopt},
        {"rss without a channel", "<rss version=\"2.0\"></rss>", std::nullopt},
        {"garbage after the channel", feed("") + "<oops>", std::nullopt},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Appcast::parse(c.bytes), c.items) << c.name;
    }
}

TEST(AppcastTest, OffersTheHighestBuildAboveTheRunningOne) {
    const QList<AppcastItem> items{{u"a"_s, u"9"_s, u"0.9"_s, {}, {}},
                                   {u"b"_s, u"12.1"_s, u"1.2.1"_s, {}, {}},
                                   {u"c"_s, u"12"_s, u"1.2"_s, {}, {}},
                                   {u"d"_s, u"nonsense"_s, u"x"_s, {}, {}}};
    EXPECT_EQ(Appcast::newest(items, u"10"_s)->title, u"b"_s);
    EXPECT_EQ(Appcast::newest(items, u"12.0.5"_s)->title, u"b"_s);
    EXPECT_FALSE(Appcast::newest(items, u"12.1"_s));
    EXPECT_FALSE(Appcast::newest({}, u"1"_s));
}

} // namespace
} // namespace zorv
