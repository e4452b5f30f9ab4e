#include "transfer/settingsbundle.h"
#include "bundlesamples.h"
#include "transfer/encodeerror.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;
using namespace zorv::testing;

namespace {

const QDateTime kExported(QDate(2026, 12, 5), QTime(14, 44, 7, 750), Qt::UTC);

SettingsBundle sampleBundle(std::optional<QDateTime> exported = kExported) {
    Settings settings;
    settings.revealShortcut = KeyShortcut(11, KeyShortcut::kCommand);
    settings.spacingBaselineSession = QDateTime(QDate(2026, 12, 1), QTime(7, 0, 1), Qt::UTC);
    return SettingsBundle(exported, settings,
                          layoutOf({itemID(u"com.example.a"_s)}, {itemID(u"com.example.b"_s)}),
                          sampleProfiles(u"Work"_s), sampleTriggers(u"Battery"_s));
}

QJsonObject encodedObject(const SettingsBundle &bundle) {
    return QJsonDocument::fromJson(bundle.encoded()).object();
}

SettingsBundle::ImportError::Reason importFailure(const QByteArray &data) {
    try {
        (void)SettingsBundle::decode(data);
    } catch (const SettingsBundle::ImportError &error) {
        return error.reason();
    }
    ADD_FAILURE() << "no import error";
    return {};
}

TEST(SettingsBundleEncoding, IsPrettySortedStableAndIso) {
    const SettingsBundle bundle = sampleBundle();
    EXPECT_EQ(bundle.format, u"zorv-settings-v1"_s);
    const QByteArray bytes = bundle.encoded();
    EXPECT_EQ(bytes, sampleBundle().encoded());
    EXPECT_TRUE(bytes.startsWith("{\n  \"exported\" : \"2026-12-05T14:44:07Z\",\n  \"format\""));
    // The date inside the settings takes the document's form too.
    EXPECT_EQ(encodedObject(bundle)[u"settings"_s][u"spacingBaselineSession"_s].toString(),
              u"2026-12-01T07:00:01Z"_s);
}

TEST(SettingsBundleEncoding, RoundTripsToTheSecond) {
    const SettingsBundle read = SettingsBundle::decode(sampleBundle().encoded());
    SettingsBundle expected = sampleBundle(kExported.addMSecs(-750));
    EXPECT_EQ(read, expected);

    const SettingsBundle undated = sampleBundle(std::nullopt);
    EXPECT_FALSE(encodedObject(undated).contains(u"exported"_s));
    EXPECT_EQ(SettingsBundle::decode(undated.encoded()), undated);
}

TEST(SettingsBundleEncoding, RefusesWhatCouldNotBeReadBack) {
    SettingsBundle bundle = sampleBundle();
    bundle.settings.autoRehideSeconds = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW((void)bundle.encoded(), EncodeError);

    bundle = sampleBundle();
    TriggerCondition deep = TriggerCondition::onBattery();
    for (int i = 0; i < 150; ++i) {
        deep = TriggerCondition::not_(deep);
    }
    bundle.triggers.rules[0].condition = deep;
    EXPECT_THROW((void)bundle.encoded(), EncodeError);
}

TEST(SettingsBundleImport, RefusesOversizedDocumentsBeforeParsing) {
    const QByteArray valid = sampleBundle().encoded();
    const qsizetype limit = 10 * 1024 * 1024;
    QByteArray atLimit = valid + QByteArray(limit - valid.size(), ' ');
    ASSERT_EQ(atLimit.size(), 10'485'760);
    EXPECT_NO_THROW((void)SettingsBundle::decode(atLimit));

    EXPECT_EQ(importFailure(atLimit + ' '), SettingsBundle::ImportError::Reason::tooLarge);
    EXPECT_EQ(importFailure(QByteArray(limit + 1, '[')),
              SettingsBundle::ImportError::Reason::tooLarge);
}

TEST(SettingsBundleImport, RefusesAnotherFormatOnlyOnceItDecodes) {
    QJsonObject object = encodedObject(sampleBundle());
    object.insert(u"format"_s, u"zorv-settings-v2"_s);
    EXPECT_EQ(importFailure(QJsonDocument(object).toJson()),
              SettingsBundle::ImportError::Reason::unsupportedFormat);
    object.insert(u"format"_s, u"ZORV-SETTINGS-V1"_s);
    EXPECT_EQ(importFailure(QJsonDocument(object).toJson()),
              SettingsBundle::ImportError::Reason::unsupportedFormat);

    // A foreign document that does not decode reports the decoding fault.
    object.remove(u"layout"_s);
    EXPECT_THROW((void)SettingsBundle::decode(QJsonDocument(object).toJson()), DecodeError);
}

TEST(SettingsBundleImport, DecodesStrictlyWithoutDefaults) {
    const QJsonObject complete = encodedObject(sampleBundle());
    QList<QJsonObject> faults;
    for (const QString &key :
         {u"format"_s, u"settings"_s, u"layout"_s, u"profiles"_s, u"triggers"_s}) {
        QJsonObject missing = complete;
        missing.remove(key);
        faults.append(missing);
    }
    QJsonObject settingsWithoutSync = complete;
    QJsonObject settings = complete[u"settings"_s].toObject();
    settings.remove(u"cloudSyncEnabled"_s);
    settingsWithoutSync.insert(u"settings"_s, settings);
    faults.append(settingsWithoutSync);
    QJsonObject referenceDate = complete;
    referenceDate.insert(u"exported"_s, 786'000'000.0);
    faults.append(referenceDate);
    QJsonObject fractionalDate = complete;
    fractionalDate.insert(u"exported"_s, u"2026-12-05T14:44:07.5Z"_s);
    faults.append(fractionalDate);

    for (const QJsonObject &fault : faults) {
        EXPECT_THROW((void)SettingsBundle::decode(QJsonDocument(fault).toJson()), DecodeError);
    }
    EXPECT_THROW((void)SettingsBundle::decode("not json"), DecodeError);
    EXPECT_THROW((void)SettingsBundle::decode("[]"), DecodeError);
}

TEST(SettingsBundleImport, ARuleNestedPastTheLimitFailsToDecode) {
    const QByteArray document = sampleBundle().encoded();
    const SettingsBundle shallow =
        SettingsBundle::decode(withTriggers(document, deeplyNestedTriggers(40)));
    TriggerCondition expected = TriggerCondition::onBattery();
    for (int i = 0; i < 40; ++i) {
        expected = TriggerCondition::not_(expected);
    }
    ASSERT_EQ(shallow.triggers.rules.size(), 1);
    EXPECT_EQ(shallow.triggers.rules.at(0).condition, expected);

    EXPECT_THROW(
        (void)SettingsBundle::decode(withTriggers(document, deeplyNestedTriggers(200'000))),
        DecodeError);
}

TEST(SettingsBundleImport, ErrorsExplainThemselves) {
    using Reason = SettingsBundle::ImportError::Reason;
    EXPECT_EQ(SettingsBundle::ImportError(Reason::tooLarge).errorDescription(),
              u"The settings file is larger than 10 MB."_s);
    EXPECT_EQ(SettingsBundle::ImportError(Reason::unsupportedFormat).errorDescription(),
              u"This settings format is not supported by this version of Zorv."_s);
    EXPECT_STREQ(SettingsBundle::ImportError(Reason::tooLarge).what(),
                 "The settings file is larger than 10 MB.");
}

} // namespace
