#include "profiles/profileset.h"
#include "../settings/jsontesting.h"

#include <QJsonArray>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;
using zorv::testing::decodeJson;

namespace {

const QUuid kFirst(u"0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0"_s);
const QUuid kSecond(u"11111111-2222-3333-4444-555555555555"_s);

SectionLayout sampleLayout() {
    SectionLayout layout;
    layout.sections.insert(Section::hidden,
                           {MenuBarItemID(u"com.example.clock"_s, std::nullopt, u"Clock"_s, 0)});
    return layout.normalized();
}

Profile profile(const QUuid &id, const QString &name) {
    return Profile{id, name, sampleLayout(), std::nullopt, std::nullopt};
}

TEST(ProfileSetJson, AnEmptySetIsJustAnEmptyList) {
    const QJsonObject json = ProfileSet().toJson().toObject();
    EXPECT_EQ(json, (QJsonObject{{u"profiles"_s, QJsonArray()}}));
    EXPECT_EQ(decodeJson<ProfileSet>(json), ProfileSet());
}

TEST(ProfileSetJson, EveryFieldRoundTrips) {
    Profile withEverything = profile(kFirst, u"Work"_s);
    withEverything.appearance = Appearance{true, u"#FFAA00"_s, 0.5, true, false, 4};
    withEverything.shortcut = KeyShortcut(18, KeyShortcut::kControl | KeyShortcut::kOption);
    const ProfileSet set{{withEverything, profile(kSecond, u"Home"_s)}, kSecond};
    EXPECT_EQ(decodeJson<ProfileSet>(set.toJson()), set);
}

TEST(ProfileSetJson, OnlyARememberedLookWritesAppearance) {
    Profile plain = profile(kFirst, u"Plain"_s);
    const QJsonObject plainJson = plain.toJson().toObject();
    EXPECT_EQ(plainJson.keys(), (QStringList{u"id"_s, u"layout"_s, u"name"_s}));

    plain.appearance = Appearance();
    const QJsonObject lookJson = plain.toJson().toObject();
    EXPECT_EQ(lookJson.value(u"appearance"_s).toObject().size(), 6);
    EXPECT_EQ(decodeJson<Profile>(lookJson).appearance, Appearance());
}

TEST(ProfileSetJson, IdsAreWrittenInUpperCaseAndReadInEitherCase) {
    Profile lower = profile(kFirst, u"Work"_s);
    QJsonObject json = lower.toJson().toObject();
    EXPECT_EQ(json.value(u"id"_s).toString(), u"0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0"_s);
    json.insert(u"id"_s, u"0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0"_s);
    const Profile read = decodeJson<Profile>(json);
    EXPECT_EQ(read.id, kFirst);
    EXPECT_EQ(read.toJson().toObject().value(u"id"_s).toString(),
              u"0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0"_s);
}

TEST(ProfileSetJson, OneBrokenProfileFailsTheWholeSet) {
    const QJsonObject good = profile(kFirst, u"Good"_s).toJson().toObject();
    const QList<std::pair<QString, QJsonValue>> faults = {
        {u"id"_s, QJsonValue::Undefined},
        {u"name"_s, QJsonValue::Undefined},
        {u"layout"_s, QJsonValue::Undefined},
        {u"id"_s, u"not-a-uuid"_s},
        {u"layout"_s,
         QJsonArray{QJsonObject{{u"section"_s, u"Shown"_s}, {u"ids"_s, QJsonArray()}}}},
    };
    for (const auto &[key, value] : faults) {
        QJsonObject bad = good;
        bad.insert(key, value); // Undefined removes the key
        const QJsonObject set{{u"profiles"_s, QJsonArray{good, bad}}};
        EXPECT_THROW((void)decodeJson<ProfileSet>(set), DecodeError) << key.toStdString();
    }
}

TEST(ProfileSetActive, FindsTheFirstProfileWithTheActiveId) {
    const Profile first = profile(kFirst, u"First"_s);
    const Profile twin = profile(kFirst, u"Twin"_s);
    EXPECT_EQ(ProfileSet({first, twin}, std::nullopt).active(), std::nullopt);
    EXPECT_EQ(ProfileSet({first, twin}, kFirst).active(), first);

    // An active id that names no profile is kept, and simply finds nothing.
    const ProfileSet dangling({first}, kSecond);
    EXPECT_EQ(dangling.active(), std::nullopt);
    const auto read = decodeJson<ProfileSet>(dangling.toJson());
    EXPECT_EQ(read.activeID, kSecond);
    EXPECT_EQ(read, dangling);
}

} // namespace
