#include "transfer/settingsbundle.h"
#include "bundlesamples.h"
#include "transfer/encodeerror.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;
using namespace zorv::testing;

namespace {

const QDateTime kExported(QDate(2026, 12, 5), QTime(14, 44, 7, 750), Qt::UTC);

SettingsBundle sample(std::optional<QDateTime> exported = kExported) {
    Settings settings;
    settings.spacingBaselineSession = QDateTime(QDate(2026, 12, 1), QTime(7, 0, 1), Qt::UTC);
    return SettingsBundle(exported, settings, layoutOf({itemID("com.example.a")}),
                          sampleProfiles(u"Work"_s), sampleTriggers(u"Battery"_s));
}

QByteArray text(const QJsonObject &object) {
    return writeJson(object, JsonFormat::compact()).value();
}

TEST(SettingsBundleTest, IsPrettySortedIsoAndReadsBackToTheSecond) {
    const QByteArray bytes = sample().encoded();
    EXPECT_TRUE(bytes.startsWith("{\n  \"exported\" : \"2026-12-05T14:44:07Z\",\n"
                                 "  \"format\" : \"zorv-settings-v1\",\n  \"layout\" : ["));
    // The date inside the settings takes the document's form too.
    EXPECT_TRUE(bytes.contains("\"spacingBaselineSession\" : \"2026-12-01T07:00:01Z\""));
    EXPECT_EQ(SettingsBundle::decode(bytes), sample(kExported.addMSecs(-750)));
    const SettingsBundle undated = sample(std::nullopt);
    EXPECT_FALSE(undated.encoded().contains("exported"));
    EXPECT_EQ(SettingsBundle::decode(undated.encoded()), undated);

    SettingsBundle unwritable = sample();
    unwritable.settings.autoRehideSeconds = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW((void)unwritable.encoded(), EncodeError);
}

// An export that import could not read back is refused, not written.
TEST(SettingsBundleTest, RefusesToWriteRulesNestedBeyondWhatCanBeRead) {
    const auto nested = [](int depth) {
        TriggerCondition condition = TriggerCondition::onBattery();
        for (int i = 0; i < depth; ++i) {
            condition = TriggerCondition::not_(condition);
        }
        SettingsBundle bundle = sample(kExported.addMSecs(-750));
        bundle.triggers.rules.first().condition = condition;
        return bundle;
    };
    // The document, the triggers, their list, the rule and its innermost case take six levels;
    // each "not" takes two more.
    const SettingsBundle deepest = nested((kMaxJsonNesting - 6) / 2);
    EXPECT_EQ(SettingsBundle::decode(deepest.encoded()), deepest);
    EXPECT_THROW((void)nested((kMaxJsonNesting - 6) / 2 + 1).encoded(), EncodeError);
}

// Anything one byte past 10 MB is refused before parsing, even text that would not parse.
TEST(SettingsBundleTest, RefusesOversizedDocumentsBeforeParsing) {
    const QByteArray valid = sample().encoded();
    const QByteArray atLimit = valid + QByteArray(10'485'760 - valid.size(), ' ');
    EXPECT_NO_THROW((void)SettingsBundle::decode(atLimit));
    EXPECT_THROW((void)SettingsBundle::decode(atLimit + ' '), SettingsBundle::ImportError);
    EXPECT_THROW((void)SettingsBundle::decode(QByteArray(10'485'761, '[')),
                 SettingsBundle::ImportError);
}

TEST(SettingsBundleTest, DecodesStrictlyThenRefusesAnotherFormat) {
    const QByteArray document = sample().encoded();
    const QJsonObject complete = parseJson(document).toObject();
    for (const QString &key :
         {u"format"_s, u"settings"_s, u"layout"_s, u"profiles"_s, u"triggers"_s}) {
        QJsonObject missing = complete;
        missing.remove(key);
        EXPECT_THROW((void)SettingsBundle::decode(text(missing)), DecodeError) << key.toStdString();
    }
    EXPECT_NO_THROW((void)SettingsBundle::decode(withDeeplyNestedRule(document, 40)));
    EXPECT_THROW((void)SettingsBundle::decode(withDeeplyNestedRule(document, 200'000)),
                 DecodeError);

    QJsonObject foreign = complete;
    foreign.insert(u"format"_s, u"ZORV-SETTINGS-V1"_s);
    EXPECT_THROW((void)SettingsBundle::decode(text(foreign)), SettingsBundle::ImportError);
    // Decoded before the tag is checked, and strictly: unlike the synced settings, the exported
    // ones need every key.
    QJsonObject settings = complete.value(u"settings"_s).toObject();
    settings.remove(u"cloudSyncEnabled"_s);
    foreign.insert(u"settings"_s, settings);
    EXPECT_THROW((void)SettingsBundle::decode(text(foreign)), DecodeError);
}

} // namespace
