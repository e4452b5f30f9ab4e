#include "profiles/profileset.h"
#include "../settings/jsontesting.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;
using zorv::testing::decodeJson;

namespace {

// Two profiles, the first, active one with every optional field, the second with none.
const QJsonObject kSet = parseJson(R"({"activeID": "0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0",
  "profiles": [{"id": "0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0", "name": "Work", "appearance": {
    "tintEnabled": true, "tintHex": "#FFAA00", "tintOpacity": 0.5, "borderEnabled": true,
    "shadowEnabled": false, "cornerRadius": 4}, "shortcut": {"keyCode": 18, "modifiers": 786432},
    "layout": [{"section": "alwaysHidden", "ids": []}, {"section": "hidden", "ids": [{"bundleID":
    "com.a", "ordinal": 0, "title": "A"}]}, {"section": "shown", "ids": []}]}, {"id":
    "11111111-2222-3333-4444-555555555555", "name": "Home", "layout": [{"section": "alwaysHidden",
    "ids": []}, {"section": "hidden", "ids": []}, {"section": "shown", "ids": []}]}]})")
                             .toObject();

TEST(ProfileSetJson, EveryFieldRoundTripsWithIdsInUpperCaseAndAbsentOptionalsLeftOut) {
    const ProfileSet set = decodeJson<ProfileSet>(kSet);
    EXPECT_EQ(set.toJson(), kSet);
    EXPECT_EQ(ProfileSet().toJson(), (QJsonObject{{u"profiles"_s, QJsonArray()}}));
    EXPECT_EQ(decodeJson<ProfileSet>(ProfileSet().toJson()), ProfileSet());
}

TEST(ProfileSetJson, OneBrokenProfileFailsTheWholeSet) {
    const QJsonArray profiles = kSet.value(u"profiles"_s).toArray();
    for (const auto &[key, value] : {std::pair{u"id"_s, QJsonValue(QJsonValue::Undefined)},
                                     {u"name"_s, QJsonValue::Undefined},
                                     {u"layout"_s, QJsonValue::Undefined},
                                     {u"id"_s, u"not-a-uuid"_s},
                                     {u"appearance"_s, QJsonObject()}}) {
        QJsonObject bad = profiles.at(1).toObject();
        bad.insert(key, value); // Undefined removes the key
        QJsonObject set = kSet;
        set.insert(u"profiles"_s, QJsonArray{profiles.at(0), bad});
        EXPECT_THROW((void)decodeJson<ProfileSet>(set), DecodeError) << key.toStdString();
    }
}

TEST(ProfileSetActive, FindsTheFirstProfileWithTheActiveIdAndKeepsADanglingOne) {
    ProfileSet set = decodeJson<ProfileSet>(kSet);
    set.profiles.append(set.profiles.first());
    set.profiles.last().name = u"Twin"_s;
    EXPECT_EQ(set.active()->name, u"Work"_s);
    EXPECT_EQ((ProfileSet{set.profiles, std::nullopt}.active()), std::nullopt);
    const ProfileSet dangling{set.profiles, QUuid::createUuid()};
    EXPECT_EQ(dangling.active(), std::nullopt);
    EXPECT_EQ(decodeJson<ProfileSet>(dangling.toJson()), dangling);
}

} // namespace
