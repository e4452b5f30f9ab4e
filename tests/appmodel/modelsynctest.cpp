#include "modelsync.h"
#include "appmodelharness.h"
#include "cloudexchange.h"
#include "jsondates.h"
#include "spacing/spacingcontroller.h"
#include "storage/atomicfile.h"
#include "storage/wholefile.h"

#include <QCryptographicHash>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QDateTime wholeSecondsOf(const QDateTime &date) {
    return QDateTime::fromSecsSinceEpoch(date.toSecsSinceEpoch(), Qt::UTC);
}

class ModelSyncTest : public ::testing::Test {
protected:
    ManualClock clock;
    SimCloud cloud;
    AppModelHarness macA{clock, cloud, u"Mac A"_s};
    AppModelHarness macB{clock, cloud, u"Mac B"_s};

    void startSyncing() {
        for (AppModelHarness *mac : {&macA, &macB}) {
            mac->started().sync().setCloudSync(true);
            exchange();
        }
    }
    // Lets the records travel; Macs that keep correcting each other fail here, saying what they
    // disagree about, instead of never settling.
    void exchange() { EXPECT_TRUE(exchangeRecords(cloud, {&macA, &macB})); }
    void later() {
        exchange();
        clock.advance(seconds(60));
        exchange();
    }
};

TEST_F(ModelSyncTest, TheSideThatChangedLastWinsInBothDirections) {
    AppModel &a = macA.started();
    a.sync().setCloudSync(true);
    later();
    a.setAutoRehide(20);
    exchange();
    // B joins later with nothing changed on it: it never outranks the setup A already shares.
    later();
    AppModel &b = macB.started();
    b.sync().setCloudSync(true);
    exchange();
    EXPECT_EQ(b.settings().autoRehideSeconds, 20);
    EXPECT_EQ(a.settings().autoRehideSeconds, 20);

    later();
    a.setAutoRehide(25);
    exchange();
    EXPECT_EQ(b.settings().autoRehideSeconds, 25);
    EXPECT_EQ(b.lastCloudSyncNote(), u"Updated from Mac A."_s);
    // The record B has already taken in leaves B alone when it comes again.
    b.setLastCloudSyncNote(std::nullopt);
    qint64 writes = cloud.writeCount();
    runTask(b.sync().adopt(*b.cloudSync().pull()));
    EXPECT_FALSE(b.lastCloudSyncNote());
    EXPECT_EQ(cloud.writeCount(), writes);

    later();
    b.setRevealOnHover(true);
    exchange();
    EXPECT_TRUE(a.settings().revealOnHover);
    EXPECT_EQ(a.settings().autoRehideSeconds, 25);
    EXPECT_EQ(a.lastCloudSyncNote(), u"Updated from Mac B."_s);

    // Both change before either hears of the other: the later change wins on both Macs, and the
    // records stop travelling once they agree.
    later();
    a.setAutoRehide(30);
    clock.advance(seconds(2));
    b.setRevealOnScroll(true);
    exchange();
    writes = cloud.writeCount();
    later();
    EXPECT_EQ(cloud.writeCount(), writes);
    EXPECT_EQ(SyncedSettings(a.settings()), SyncedSettings(b.settings()));
    EXPECT_TRUE(a.settings().revealOnScroll);
}

TEST_F(ModelSyncTest, AnItemTheOtherMacCannotShowStaysWithoutBackAndForth) {
    const MenuBarItemID onlyOnA = MockMenuBarEngine::fixtures().first().id;
    macB.build();
    macB.engine().leaveOutOnApply(onlyOnA.bundleID);
    startSyncing();
    later();
    macA.model().move(onlyOnA, Section::hidden);
    exchange();
    const SectionLayout arranged = macA.model().layoutOrder();
    EXPECT_EQ(arranged.sectionOf(onlyOnA), Section::hidden);
    const qint64 writes = cloud.writeCount();
    exchange();
    EXPECT_EQ(cloud.writeCount(), writes);
    EXPECT_EQ(macA.model().layoutOrder(), arranged);
    EXPECT_FALSE(macB.model().layoutOrder().sectionOf(onlyOnA));
}

TEST_F(ModelSyncTest, ForeignSpacingAndAutoHideAreChecked) {
    startSyncing();
    const struct {
        std::optional<qint64> spacing;
        double autoRehide;
        std::optional<qint64> keptSpacing;
        double keptAutoRehide;
    } cases[] = {
        {99, 1e9, std::nullopt, 3600},
        {1, -5, std::nullopt, 0},
        {24, 12, 24, 12},
    };
    for (const auto &c : cases) {
        later();
        Settings foreign;
        foreign.iconSpacing = c.spacing;
        foreign.autoRehideSeconds = c.autoRehide;
        const SyncedBundle bundle(clock.wallNow(), u"OTHER"_s, u"Other"_s, SyncedSettings(foreign),
                                  {}, {}, {});
        runTask(macA.model().sync().adopt(bundle));
        EXPECT_EQ(macA.model().settings().iconSpacing, c.keptSpacing);
        EXPECT_EQ(macA.model().settings().autoRehideSeconds, c.keptAutoRehide);
        EXPECT_EQ(SpacingController(macA.preferences).currentSpacing(), c.keptSpacing);
    }
}

TEST_F(ModelSyncTest, TheLastLocalChangeSurvivesARestart) {
    startSyncing();
    later();
    macA.model().setAutoRehide(20);
    const QDateTime changedAt = clock.wallNow();
    exchange();
    later();
    macA.model().flushStoresForTermination(1.0);
    macA.quit();
    AppModel &restarted = macA.build();
    runTask(restarted.start());
    const SyncedBundle bundle = restarted.sync().localSyncedBundle();
    EXPECT_EQ(bundle.updatedAt.toSecsSinceEpoch(), changedAt.toSecsSinceEpoch());
    // Only the part that changed carries the change's date.
    EXPECT_EQ(bundle.stamps.settings, bundle.updatedAt);
    EXPECT_LT(bundle.stamps.layout, bundle.updatedAt);
}

// The digest an earlier version kept: of the four parts' digests, of the whole content at once.
QByteArray earlierDigest(AppModel &model) {
    const auto sha256 = [](const QJsonValue &json) {
        return QCryptographicHash::hash(*writeJson(json, JsonFormat::compact()),
                                        QCryptographicHash::Sha256);
    };
    QCryptographicHash whole(QCryptographicHash::Sha256);
    for (const QJsonValue &part : {SyncedSettings(model.settings()).toJson(),
                                   model.layoutStore().value().normalized().toJson(),
                                   model.profiles().toJson(), model.triggers().toJson()}) {
        whole.addData(sha256(part));
    }
    return whole.result().toHex();
}

// What an earlier version kept of sync still tells a change made since from none, and dates every
// part from its stamp.
TEST_F(ModelSyncTest, AnEarlierVersionsStateStillTellsAChangeApart) {
    for (const bool changedSince : {false, true}) {
        SCOPED_TRACE(changedSince);
        AppModelHarness mac(clock, cloud, u"Mac C"_s);
        mac.started().sync().setCloudSync(true);
        later();
        const QDateTime keptStamp = wholeSecondsOf(clock.wallNow().addSecs(-3600));
        const QJsonObject earlierState{
            {u"lastLocalChange"_s, referenceDateJson(keptStamp)},
            {u"digest"_s, QString::fromLatin1(earlierDigest(mac.model()))}};
        if (changedSince) {
            mac.model().setAutoRehide(77);
        }
        mac.model().flushStoresForTermination(1.0);
        mac.quit();
        ASSERT_FALSE(writeFileAtomically(mac.dataFolder() + u"/sync-state.json"_s,
                                         *writeJson(earlierState, JsonFormat::pretty()),
                                         FileDurability::Unsynced));
        AppModel &restarted = mac.build();
        runTask(restarted.start());
        const SyncedBundle bundle = restarted.sync().localSyncedBundle();
        const QDateTime expected = changedSince ? wholeSecondsOf(clock.wallNow()) : keptStamp;
        EXPECT_EQ(bundle.updatedAt, expected);
        EXPECT_TRUE(bundle.stamps.allAt(expected));
    }
}

TEST_F(ModelSyncTest, WithoutICloudTheChoiceIsKeptAndNothingTravels) {
    const struct {
        bool signedIn;
        QString reason;
    } cases[] = {{false, u"Sign in to iCloud in System Settings first."_s},
                 {true, u"Not available in this copy of Zorv."_s}};
    for (const auto &c : cases) {
        AppModelHarness mac(clock, cloud, u"Mac C"_s);
        mac.cloudStore().setSignedIn(c.signedIn);
        mac.cloudStore().setSynchronizeSucceeds(false);
        AppModel &model = mac.started();
        model.sync().setCloudSync(true);
        clock.settle();
        EXPECT_EQ(model.sync().cloudSyncUnavailableReason(), c.reason);
        EXPECT_TRUE(model.settings().cloudSyncEnabled);
        EXPECT_TRUE(cloud.writes().isEmpty());
    }
}

TEST_F(ModelSyncTest, DeviceIDIsReadTrimmedAndReplacedWhenBlank) {
    AppModel &model = macA.build();
    const QString path = macA.dataFolder() + u"/device-id"_s;
    const struct {
        std::optional<QByteArray> file;
        std::optional<QString> id;
    } cases[] = {
        {"ABC\n", u"ABC"_s},
        {" \n\t", std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (const auto &c : cases) {
        QFile::remove(path);
        if (c.file) {
            ASSERT_FALSE(writeFileAtomically(path, *c.file, FileDurability::Unsynced));
        }
        const QString id = model.sync().deviceID();
        if (c.id) {
            EXPECT_EQ(id, *c.id);
        } else {
            EXPECT_EQ(id.size(), 36);
            EXPECT_EQ(id, id.toUpper());
            EXPECT_EQ(readWholeFile(path), id.toUtf8());
            EXPECT_EQ(model.sync().deviceID(), id);
        }
    }
}

} // namespace
} // namespace zorv
