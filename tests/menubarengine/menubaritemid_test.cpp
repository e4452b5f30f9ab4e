#include "menubaritemid.h"
#include "section.h"

#include "jsonreader.h"

#include <QJsonObject>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

MenuBarItemID itemID(const QString &bundleID, std::optional<QString> axIdentifier, int ordinal,
                     std::optional<QString> title = std::nullopt) {
    return MenuBarItemID{.bundleID = bundleID,
                         .axIdentifier = std::move(axIdentifier),
                         .title = std::move(title),
                         .ordinal = ordinal};
}

JsonValueRef json(const char *text) {
    return JsonValueRef(parseJson(QByteArray(text)));
}

struct IdentityCase {
    const char *name;
    MenuBarItemID a;
    MenuBarItemID b;
    bool equal;
};

} // namespace

TEST(MenuBarItemIDTest, EqualityUsesIdentifierOrElseOrdinalAndHashFollowsIt) {
    const QString app = u"com.example.app"_s;
    const IdentityCase cases[] = {
        {"same identifier, different ordinal and title", itemID(app, u"clock"_s, 0, u"9:41"_s),
         itemID(app, u"clock"_s, 3, u"9:42"_s), true},
        {"different identifier", itemID(app, u"clock"_s, 0), itemID(app, u"date"_s, 0), false},
        {"no identifier, same ordinal, different title", itemID(app, std::nullopt, 1, u"A"_s),
         itemID(app, std::nullopt, 1, u"B"_s), true},
        {"no identifier, different ordinal", itemID(app, std::nullopt, 1),
         itemID(app, std::nullopt, 2), false},
        {"empty identifier counts as none", itemID(app, u""_s, 2), itemID(app, std::nullopt, 2),
         true},
        {"empty identifiers, different ordinal", itemID(app, u""_s, 1), itemID(app, u""_s, 2),
         false},
        {"identifier never equals a slot", itemID(app, u"clock"_s, 0), itemID(app, std::nullopt, 0),
         false},
        {"different application", itemID(app, u"clock"_s, 0),
         itemID(u"com.example.other"_s, u"clock"_s, 0), false},
        {"identifier text equal to nothing of the slot", itemID(app, u"1"_s, 1),
         itemID(app, std::nullopt, 1), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.a == c.b, c.equal);
        EXPECT_EQ(c.b == c.a, c.equal);
        if (c.equal) {
            EXPECT_EQ(qHash(c.a, 7), qHash(c.b, 7));
            EXPECT_EQ(std::hash<MenuBarItemID>{}(c.a), std::hash<MenuBarItemID>{}(c.b));
        }
    }
}

TEST(MenuBarItemIDTest, SystemPinnedAndEphemeralRules) {
    struct Case {
        const char *bundleID;
        bool pinned;
        bool ephemeral;
    };
    const Case cases[] = {
        {"com.apple.controlcenter", true, false},
        {"com.apple.controlcenter.bluetooth", true, false},
        {"com.apple.systemuiserver", true, false},
        {"com.apple.systemuiserver.helper", false, false},
        {"com.apple.Spotlight", true, false},
        {"com.apple.spotlight", false, false},
        {"com.apple.Siri", true, false},
        {"com.apple.SiriNCService", false, false},
        {"com.apple.ControlCenter", false, false},
        {"pid:4711", false, true},
        {"com.example.pid:1", false, false},
        {"com.example.app", false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bundleID);
        const MenuBarItemID id = itemID(QString::fromLatin1(c.bundleID), std::nullopt, 0);
        EXPECT_EQ(id.isSystemPinned(), c.pinned);
        EXPECT_EQ(id.isEphemeral(), c.ephemeral);
    }
}

TEST(MenuBarItemIDTest, JsonOptionalKeysAreLeftOutWhenAbsentAndReadAsAbsentWhenNull) {
    const QJsonObject bare = itemID(u"com.example.app"_s, std::nullopt, 3).toJson().toObject();
    EXPECT_EQ(bare, (QJsonObject{{u"bundleID"_s, u"com.example.app"_s}, {u"ordinal"_s, 3}}));
    const MenuBarItemID full = itemID(u"com.example.app"_s, u""_s, 3, u"Clock"_s);
    EXPECT_EQ(full.toJson().toObject().keys().size(), 4);

    const auto read = MenuBarItemID::fromJson(
        json(R"({"bundleID": "com.example.app", "axIdentifier": null, "ordinal": 3, "x": 1})"));
    EXPECT_EQ(read.axIdentifier, std::nullopt);
    EXPECT_EQ(read.title, std::nullopt);
    EXPECT_EQ(read, full);

    const auto roundTrip = MenuBarItemID::fromJson(JsonValueRef(full.toJson()));
    EXPECT_EQ(roundTrip.axIdentifier, u""_s);
    EXPECT_EQ(roundTrip.title, u"Clock"_s);
    EXPECT_EQ(roundTrip.ordinal, 3);
}

TEST(MenuBarItemIDTest, JsonRejectsMissingOrMistypedRequiredKeys) {
    const char *documents[] = {
        R"({"bundleID": "com.example.app"})",
        R"({"ordinal": 0})",
        R"({"bundleID": "com.example.app", "ordinal": "0"})",
        R"({"bundleID": "com.example.app", "ordinal": 1.5})",
        R"({"bundleID": 7, "ordinal": 0})",
        R"({"bundleID": "com.example.app", "ordinal": 0, "title": 3})",
        R"([{"bundleID": "com.example.app", "ordinal": 0}])",
    };
    for (const char *document : documents) {
        SCOPED_TRACE(document);
        EXPECT_THROW((void)MenuBarItemID::fromJson(json(document)), DecodeError);
    }
}

TEST(SectionTest, RawValuesRoundTripAndNothingElseDecodes) {
    for (Section section : allSections) {
        EXPECT_EQ(sectionFromRawValue(rawValue(section)), section);
        EXPECT_EQ(JsonValueRef(toJson(section)).as<Section>(), section);
    }
    EXPECT_EQ(rawValue(Section::alwaysHidden), u"alwaysHidden"_s);
    for (const QString &raw : {u"Hidden"_s, u"always-hidden"_s, u"Shown"_s, u""_s}) {
        SCOPED_TRACE(raw.toStdString());
        EXPECT_EQ(sectionFromRawValue(raw), std::nullopt);
        EXPECT_THROW((void)JsonValueRef(QJsonValue(raw)).as<Section>(), DecodeError);
    }
}
