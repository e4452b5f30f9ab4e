#include "appinput.h"
#include "cloudsync/cloudsync.h"
#include "jsonreader.h"
#include "scenariomac.h"
#include "settingswindowcontroller.h"
#include "storage/zorvpaths.h"
#include "transfer/syncedbundle.h"
#include "wholeapptest.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QQuickItem>
#include <QQuickWindow>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr double arrivesAt = 30;
const QString annasDesk = u"Anna's Desk"_s;

// What Anna's MacBook Air writes to the shared iCloud record a few seconds before it arrives here:
// an auto-rehide delay of 42 seconds and a profile of its own.
QJsonObject annasRecord() {
    const QJsonObject laptop = shippedScenario(u"laptop"_s);
    const QDateTime sent = QDateTime::fromString(laptop.value(u"start"_s).toString(), Qt::ISODate)
                               .addSecs(qint64(arrivesAt) - 5);
    Settings settings;
    settings.autoRehideSeconds = 42;
    const ProfileSet profiles{
        {Profile{QUuid(u"6A1C2F0E-2D4B-4C55-9E5A-0B1D6C7A8E90"_s), annasDesk, {}, {}, {}}}, {}};
    const SyncedBundle record(sent, u"ANNA-MACBOOK-AIR"_s, u"Anna's MacBook Air"_s,
                              SyncedSettings(settings), SectionLayout(), profiles, TriggerSet());
    return QJsonDocument::fromJson(record.encoded()).object();
}

Scenario laptopWithAnnasChange() {
    return reachableLaptop({QJsonObject{{u"at"_s, arrivesAt},
                                        {u"do"_s, u"cloudChange"_s},
                                        {u"from"_s, u"Anna's MacBook Air"_s},
                                        {u"key"_s, CloudSync::storeKey},
                                        {u"value"_s, annasRecord()}}});
}

QJsonObject storeFile(const QString &name) {
    QFile file(ZorvPaths::file(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return parseJson(file.readAll()).toObject();
}

QStringList profileNames(const QJsonArray &profiles) {
    QStringList names;
    for (const QJsonValue &profile : profiles) {
        names.append(profile.toObject().value(u"name"_s).toString());
    }
    names.sort();
    return names;
}

class CloudChangeAppTest : public WholeAppTest {
protected:
    CloudChangeAppTest() : WholeAppTest(laptopWithAnnasChange()) {}
};

// The user types a new profile's name in Settings while a change from another Mac arrives through
// iCloud: the field keeps what was typed, the other Mac's settings and profile are taken and
// shown, and once the user saves, the files here and the shared record hold both sides' work.
TEST_F(CloudChangeAppTest, AChangeFromAnotherMacArrivesWhileTheUserTypes) {
    ASSERT_NO_FATAL_FAILURE(launch(R"({"onboardingCompleted": true, "cloudSyncEnabled": true})"));
    QQuickWindow *window = openSettingsFromStatusMenu();
    ASSERT_NE(window, nullptr);
    for (const QString &control : {u"rail-profiles"_s, u"newName"_s}) {
        if (window->property("guideShown").toBool()) {
            ASSERT_NO_FATAL_FAILURE(clickControl(window, u"guideDone"_s));
        }
        ASSERT_NO_FATAL_FAILURE(clickControl(window, control));
    }
    QQuickItem *field = findIn(window->contentItem(), u"newName"_s);
    ASSERT_NE(field, nullptr);
    ASSERT_NO_FATAL_FAILURE(type(u"Tra"_s));

    ASSERT_LT(platform.scenario().elapsed(), seconds(arrivesAt));
    run(arrivesAt);
    ASSERT_EQ(platform.scenario().eventsApplied(), 1);
    EXPECT_EQ(field->property("text").toString(), u"Tra"_s) << "what was typed stays";
    EXPECT_EQ(app.model()->settings().autoRehideSeconds, 42);
    EXPECT_EQ(app.model()->lastCloudSyncNote().value_or(QString()),
              u"Updated from Anna's MacBook Air."_s);
    QQuickItem *annasRow = findIn(window->contentItem(), u"profile-0"_s);
    ASSERT_NE(annasRow, nullptr) << "the other Mac's profile is listed";
    EXPECT_EQ(annasRow->property("name").toString(), annasDesk);

    ASSERT_NO_FATAL_FAILURE(type(u"vel"_s));
    press(KeyCode::returnKey);
    run(2);

    const QStringList both{annasDesk, u"Travel"_s};
    EXPECT_EQ(profileNames(storeFile(u"profiles.json"_s).value(u"profiles"_s).toArray()), both);
    EXPECT_EQ(storeFile(u"settings.json"_s).value(u"autoRehideSeconds"_s).toDouble(), 42);
    const std::optional<QByteArray> shared = platform.cloud().data(CloudSync::storeKey);
    ASSERT_TRUE(shared);
    const SyncedBundle record = SyncedBundle::decode(*shared);
    EXPECT_EQ(profileNames(record.profiles.toJson().toObject().value(u"profiles"_s).toArray()),
              both);
    EXPECT_EQ(record.settings.autoRehideSeconds, 42);
}

} // namespace
} // namespace zorv
