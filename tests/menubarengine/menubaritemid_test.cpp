#include "jsonwriter.h"
#include "menubaritemid.h"

#include <QJsonObject>

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

MenuBarItemID itemID(std::optional<QString> axIdentifier, qint64 ordinal,
                     std::optional<QString> title = {}, QString bundleID = u"com.example.a"_s) {
    return {std::move(bundleID), std::move(axIdentifier), std::move(title), ordinal};
}

} // namespace

TEST(MenuBarItemIDTest, EqualityUsesIdentifierOrElseOrdinalAndHashFollowsIt) {
    const struct {
        MenuBarItemID a, b;
        bool equal;
    } cases[] = {
        {itemID(u"clock"_s, 0, u"9:41"_s), itemID(u"clock"_s, 3, u"9:42"_s), true},
        {itemID(u"clock"_s, 0), itemID(u"date"_s, 0), false},
        {itemID(std::nullopt, 1, u"A"_s), itemID(std::nullopt, 1, u"B"_s), true},
        {itemID(std::nullopt, 1), itemID(std::nullopt, 2), false},
        // An empty identifier counts as none, and an identifier never equals a slot.
        {itemID(u""_s, 2), itemID(std::nullopt, 2), true},
        {itemID(u""_s, 1), itemID(u""_s, 2), false},
        {itemID(u"1"_s, 1), itemID(std::nullopt, 1), false},
        {itemID(u"clock"_s, 0), itemID(u"clock"_s, 0, {}, u"com.example.b"_s), false},
        // Ordinals are 64-bit: values 2^32 apart are different slots.
        {itemID(std::nullopt, 4294967296), itemID(std::nullopt, 0), false},
        {itemID(std::nullopt, 4294967296), itemID(std::nullopt, 4294967296), true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        EXPECT_EQ(c.a == c.b, c.equal);
        EXPECT_EQ(c.b == c.a, c.equal);
        if (c.equal) {
            EXPECT_EQ(qHash(c.a, 7), qHash(c.b, 7));
            EXPECT_EQ(std::hash<MenuBarItemID>{}(c.a), std::hash<MenuBarItemID>{}(c.b));
        }
    }
}

TEST(MenuBarItemIDTest, SystemPinnedAndEphemeralBundles) {
    for (QStringView pinned :
         {u"com.apple.controlcenter", u"com.apple.controlcenter.bluetooth",
          u"com.apple.systemuiserver", u"com.apple.Spotlight", u"com.apple.Siri"}) {
        EXPECT_TRUE(MenuBarItemID::isSystemPinned(pinned)) << pinned.toString().toStdString();
    }
    for (QStringView other :
         {u"com.apple.systemuiserver.helper", u"com.apple.spotlight", u"com.apple.SiriNCService",
          u"com.apple.ControlCenter", u"pid:4711"}) {
        EXPECT_FALSE(MenuBarItemID::isSystemPinned(other)) << other.toString().toStdString();
    }
    EXPECT_TRUE(MenuBarItemID::isEphemeral(u"pid:4711"));
    EXPECT_FALSE(MenuBarItemID::isEphemeral(u"com.example.pid:1"));
}

// Ordinals are 64-bit: those beyond the 32-bit range read and write back unchanged.
TEST(MenuBarItemIDTest, JsonLeavesOutAbsentKeysReadsNullAsAbsentAndKeeps64BitOrdinals) {
    EXPECT_EQ(itemID(std::nullopt, 3).toJson(),
              (QJsonObject{{u"bundleID"_s, u"com.example.a"_s}, {u"ordinal"_s, 3}}));
    const MenuBarItemID full = itemID(u""_s, 3, u"Clock"_s);
    EXPECT_EQ(MenuBarItemID::fromJson(JsonValueRef(full.toJson())).toJson(), full.toJson());

    const auto read = MenuBarItemID::fromJson(JsonValueRef(
        parseJson(R"({"bundleID": "com.example.a", "axIdentifier": null, "ordinal": 3, "x": 1})")));
    EXPECT_EQ(read.axIdentifier, std::nullopt);
    EXPECT_EQ(read, full);
    for (const qint64 ordinal : {qint64(2147483647), qint64(2147483648), qint64(4294967296),
                                 qint64(-2147483649), std::numeric_limits<qint64>::max()}) {
        const QByteArray json =
            R"({"bundleID":"com.example.a","ordinal":)" + QByteArray::number(ordinal) + "}";
        const MenuBarItemID read = MenuBarItemID::fromJson(JsonValueRef(parseJson(json)));
        EXPECT_EQ(read.ordinal, ordinal);
        EXPECT_EQ(writeJson(read.toJson(), JsonFormat::compact()), json);
    }
    for (const char *bad :
         {R"({"bundleID": "com.example.a"})", R"({"ordinal": 0})",
          R"({"bundleID": 7, "ordinal": 0})", R"({"bundleID": "com.example.a", "ordinal": 1.5})",
          R"({"bundleID": "com.example.a", "ordinal": 0, "title": 3})",
          R"({"bundleID": "com.example.a", "ordinal": 9223372036854775808})"}) {
        EXPECT_THROW((void)MenuBarItemID::fromJson(JsonValueRef(parseJson(bad))), DecodeError)
            << bad;
    }
}
