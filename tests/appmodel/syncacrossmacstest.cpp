#include "appmodelharness.h"
#include "cloudexchange.h"
#include "modelprofiles.h"
#include "modelrules.h"
#include "modelsync.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TriggerRule rule(const QString &name) {
    return TriggerRule{QUuid::createUuid(), name, true, TriggerCondition::onBattery(),
                       TriggerAction::revealHidden()};
}

bool hasProfile(const AppModel &model, const QString &name) {
    return std::any_of(model.profiles().profiles.begin(), model.profiles().profiles.end(),
                       [&name](const Profile &profile) { return profile.name == name; });
}

bool hasRule(const AppModel &model, const QUuid &id) {
    return std::any_of(model.triggers().rules.begin(), model.triggers().rules.end(),
                       [&id](const TriggerRule &rule) { return rule.id == id; });
}

// Two Macs over one iCloud account; each may have its clock set wrong.
struct TwoMacs {
    explicit TwoMacs(ManualClock &clock, double offsetOfB = 0)
        : clock(clock), a(clock, cloud, u"Mac A"_s), b(clock, cloud, u"Mac B"_s) {
        b.setClockOffset(offsetOfB);
        for (AppModelHarness *mac : {&a, &b}) {
            mac->started().sync().setCloudSync(true);
            exchange();
        }
    }

    // Lets the records travel; Macs that keep correcting each other fail here, saying what they
    // disagree about, instead of never settling.
    void exchange() { EXPECT_TRUE(exchangeRecords(cloud, {&a, &b})); }
    // Time passes after a full exchange.
    void later(double seconds = 3) {
        exchange();
        clock.advance(zorv::seconds(seconds));
        exchange();
    }
    // The two Macs' content as the other Mac would read it; the failure says what differs.
    [[nodiscard]] testing::AssertionResult agree() { return agreeOnContent(a, b); }
    [[nodiscard]] bool quiet() {
        const qint64 writes = cloud.writeCount();
        exchange();
        return cloud.writeCount() == writes;
    }

    ManualClock &clock;
    SimCloud cloud;
    AppModelHarness a;
    AppModelHarness b;
};

// A record that a Mac with a wildly wrong clock wrote.
void writeRecordFrom9999(SimCloud &cloud, double autoRehide) {
    SimCloudKeyValueStore broken(cloud, u"Broken Mac"_s);
    Settings settings;
    settings.autoRehideSeconds = autoRehide;
    const SyncedBundle record(QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC),
                              u"BROKEN"_s, u"Broken Mac"_s, SyncedSettings(settings), {}, {}, {});
    broken.setData(record.encoded(), CloudSync::storeKey);
    QCoreApplication::processEvents();
}

TEST(SyncAcrossMacsTest, EveryEditMadeAfterAnExchangeSurvivesWhateverTheClocks) {
    const struct {
        const char *name;
        double offsetOfB;
        bool recordFrom9999;
    } cases[] = {
        {"same time", 0, false},          {"B 5 s ahead", 5, false},
        {"B an hour ahead", 3600, false}, {"A an hour ahead", -3600, false},
        {"record from 9999", 0, true},    {"record from 9999, B 5 s ahead", 5, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ManualClock clock;
        TwoMacs macs(clock, c.offsetOfB);
        if (c.recordFrom9999) {
            writeRecordFrom9999(macs.cloud, 99);
            macs.later();
            EXPECT_EQ(macs.a.model().settings().autoRehideSeconds, 99);
            EXPECT_EQ(macs.b.model().settings().autoRehideSeconds, 99);
        }
        int undone = 0;
        for (int round = 0; round < 12; ++round) {
            AppModelHarness &editor = round % 3 == 2 ? macs.b : macs.a;
            const double value = 20 + round;
            editor.model().setAutoRehide(value);
            macs.later();
            if (macs.a.model().settings().autoRehideSeconds != value ||
                macs.b.model().settings().autoRehideSeconds != value) {
                ++undone;
            }
        }
        EXPECT_EQ(undone, 0);
        EXPECT_TRUE(macs.quiet());
    }
}

TEST(SyncAcrossMacsTest, AnEditMadeWhileAnAdoptionRunsReachesTheOtherMac) {
    ManualClock clock;
    TwoMacs macs(clock);
    macs.later(60);
    macs.b.engine().holdApplies(seconds(2));
    macs.a.model().setAutoRehide(20);
    macs.exchange();
    // B is adopting A's record and waits for its engine; its user changes a setting meanwhile.
    macs.b.model().setRevealOnHover(true);
    macs.later(3);
    EXPECT_TRUE(macs.a.model().settings().revealOnHover);
    EXPECT_EQ(macs.b.model().settings().autoRehideSeconds, 20);
    // A's next edit builds on it instead of undoing it.
    macs.a.model().setRevealOnScroll(true);
    macs.later();
    for (AppModelHarness *mac : {&macs.a, &macs.b}) {
        EXPECT_TRUE(mac->model().settings().revealOnHover);
        EXPECT_TRUE(mac->model().settings().revealOnScroll);
    }
    EXPECT_TRUE(macs.agree());
}

TEST(SyncAcrossMacsTest, WhatOneMacCreatesSurvivesASettingChangedOnTheOther) {
    const struct {
        const char *name;
        // How much later B's clock stands when B changes the setting, before either has heard
        // of the other's change; which setting wins is then a toss-up, but nothing is lost.
        double bLater;
    } cases[] = {{"B a second later", 1}, {"the same second", 0}, {"B a second earlier", -1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ManualClock clock;
        TwoMacs macs(clock);
        macs.later(60);
        const TriggerRule created = rule(u"On battery"_s);
        macs.a.model().profileOps().saveProfileFromCurrent(u"Work"_s);
        macs.a.model().rules().addTrigger(created);
        macs.b.setClockOffset(c.bLater);
        macs.b.model().setAutoRehide(42);
        macs.b.setClockOffset(0);
        macs.later();
        for (AppModelHarness *mac : {&macs.a, &macs.b}) {
            EXPECT_TRUE(hasProfile(mac->model(), u"Work"_s));
            EXPECT_TRUE(hasRule(mac->model(), created.id));
        }
        EXPECT_TRUE(macs.agree());

        // A deletion that was synced stays deleted, whatever the other Mac changes next.
        macs.a.model().profileOps().deleteProfile(macs.a.model().profiles().profiles.first().id);
        macs.later();
        macs.b.model().rules().deleteTrigger(created.id);
        macs.b.model().setRevealOnHover(true);
        macs.later();
        macs.a.model().setRevealOnScroll(true);
        macs.later();
        for (AppModelHarness *mac : {&macs.a, &macs.b}) {
            EXPECT_FALSE(hasProfile(mac->model(), u"Work"_s));
            EXPECT_FALSE(hasRule(mac->model(), created.id));
        }
        EXPECT_TRUE(macs.agree());
        EXPECT_TRUE(macs.quiet());
    }
}

enum class Edit { setting, layout, profileAndRule, activeProfile };

// One Mac's edit of one part of the setup, and whether a Mac holds it.
struct PartEdit {
    Edit kind;
    double autoRehide = 33;
    TriggerRule created = rule(u"On battery"_s);

    void make(AppModelHarness &mac) const {
        switch (kind) {
        case Edit::setting:
            mac.model().setAutoRehide(autoRehide);
            break;
        case Edit::layout:
            mac.model().move(movedItem(), Section::alwaysHidden);
            break;
        case Edit::profileAndRule:
            mac.model().profileOps().saveProfileFromCurrent(u"Work"_s);
            mac.model().rules().addTrigger(created);
            break;
        case Edit::activeProfile:
            mac.model().profileOps().switchToProfile(profileNamed(mac, u"Travel"_s));
            break;
        }
    }
    [[nodiscard]] bool heldBy(AppModelHarness &mac) const {
        switch (kind) {
        case Edit::setting:
            return mac.model().settings().autoRehideSeconds == autoRehide;
        case Edit::layout:
            return mac.model().layoutOrder().sectionOf(movedItem()) == Section::alwaysHidden;
        case Edit::profileAndRule:
            return hasProfile(mac.model(), u"Work"_s) && hasRule(mac.model(), created.id);
        case Edit::activeProfile:
            return mac.model().profiles().activeID == profileNamed(mac, u"Travel"_s);
        }
        return false;
    }
    static MenuBarItemID movedItem() { return MockMenuBarEngine::fixtures().first().id; }
    // Two profiles of the same layout, "Desk" active, for the active one to be switched.
    static void saveProfilesToSwitch(AppModelHarness &mac) {
        mac.model().profileOps().saveProfileFromCurrent(u"Desk"_s);
        mac.model().profileOps().saveProfileFromCurrent(u"Travel"_s);
    }
    static QUuid profileNamed(AppModelHarness &mac, const QString &name) {
        for (const Profile &profile : mac.model().profiles().profiles) {
            if (profile.name == name) {
                return profile.id;
            }
        }
        return {};
    }
};

// Each Mac edits a different part before either hears of the other: both edits survive on both
// Macs whichever clock is behind, since a part is taken from the Mac that changed it.
TEST(SyncAcrossMacsTest, AnEditSurvivesAnUnrelatedEditOnTheOtherMacWhateverTheClocks) {
    const struct {
        const char *name;
        double offsetOfB;
        Edit onA;
        Edit onB;
    } cases[] = {
        {"B 5 s behind changes a setting", -5, Edit::profileAndRule, Edit::setting},
        {"B 5 s ahead changes a setting", 5, Edit::profileAndRule, Edit::setting},
        {"B 5 s behind moves an item", -5, Edit::profileAndRule, Edit::layout},
        {"B 5 s behind moves an item, A changes a setting", -5, Edit::setting, Edit::layout},
        {"B 5 s behind changes a setting, A moves an item", -5, Edit::layout, Edit::setting},
        {"B an hour behind makes a profile", -3600, Edit::setting, Edit::profileAndRule},
        {"B 5 s ahead changes a setting, A switches the profile", 5, Edit::activeProfile,
         Edit::setting},
        {"B 5 s behind switches the profile, A changes a setting", -5, Edit::setting,
         Edit::activeProfile},
        {"B 5 s ahead moves an item, A switches the profile", 5, Edit::activeProfile,
         Edit::layout},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ManualClock clock;
        TwoMacs macs(clock, c.offsetOfB);
        if (c.onA == Edit::activeProfile || c.onB == Edit::activeProfile) {
            PartEdit::saveProfilesToSwitch(macs.a);
        }
        macs.later(60);
        const PartEdit onA{c.onA, 21}, onB{c.onB, 33};
        onA.make(macs.a);
        onB.make(macs.b);
        macs.later();
        for (AppModelHarness *mac : {&macs.a, &macs.b}) {
            EXPECT_TRUE(onA.heldBy(*mac))
                << "A's edit on " << mac->cloudStore().deviceName().toStdString();
            EXPECT_TRUE(onB.heldBy(*mac))
                << "B's edit on " << mac->cloudStore().deviceName().toStdString();
        }
        EXPECT_TRUE(macs.agree());
        EXPECT_TRUE(macs.quiet());
    }
}

// Random edits on two Macs with wrong clocks, one Mac at a time or both before either hears of
// the other: the Macs always end up agreeing, an edit made after a full exchange always survives
// unless the other Mac edited the same part meanwhile, and nothing created on either Mac is lost
// to a concurrent edit on the other.
TEST(SyncAcrossMacsTest, RandomRoundsConvergeWithoutLosingEdits) {
    const struct {
        quint32 seed;
        double offsetOfB;
    } runs[] = {{1, 0}, {2, 5}, {3, 3600}, {4, -5}, {5, -3600}};
    // The applications' items; the system's stay where the system puts them.
    const QList<MenuBarItem> items = MockMenuBarEngine::fixtures().first(5);
    for (const auto &run : runs) {
        SCOPED_TRACE(run.seed);
        ManualClock clock;
        TwoMacs macs(clock, run.offsetOfB);
        QRandomGenerator random(run.seed);
        for (int round = 0; round < 24; ++round) {
            SCOPED_TRACE(round);
            const bool together = random.bounded(3) == 0;
            QList<AppModelHarness *> editors{random.bounded(2) == 0 ? &macs.a : &macs.b};
            if (together) {
                editors = {&macs.a, &macs.b};
            }
            QList<double> settingsSet;
            QList<std::pair<MenuBarItemID, Section>> moves;
            QStringList created;
            std::optional<QString> deleted;
            for (AppModelHarness *editor : editors) {
                AppModel &model = editor->model();
                switch (random.bounded(5)) {
                case 0:
                    settingsSet.append(1 + random.bounded(600));
                    model.setAutoRehide(settingsSet.last());
                    break;
                case 1:
                    created.append(u"P%1-%2"_s.arg(round).arg(editor == &macs.a ? 'a' : 'b'));
                    model.profileOps().saveProfileFromCurrent(created.last());
                    break;
                case 2:
                    model.rules().addTrigger(rule(u"R%1"_s.arg(round)));
                    break;
                case 3: {
                    const MenuBarItemID id = items.at(random.bounded(int(items.size()))).id;
                    const Section lane = allSections[random.bounded(3)];
                    moves.append({id, lane});
                    model.move(id, lane);
                    break;
                }
                default:
                    if (!together && !model.profiles().profiles.isEmpty()) {
                        const Profile &gone = model.profiles().profiles.first();
                        deleted = gone.name;
                        model.profileOps().deleteProfile(gone.id);
                    }
                }
            }
            macs.later(random.bounded(4));
            ASSERT_TRUE(macs.agree());
            for (const QString &name : created) {
                EXPECT_TRUE(hasProfile(macs.a.model(), name)) << name.toStdString();
            }
            // A part only one Mac changed keeps its change.
            if (settingsSet.size() == 1) {
                EXPECT_EQ(macs.a.model().settings().autoRehideSeconds, settingsSet.first());
            }
            if (moves.size() == 1) {
                for (AppModelHarness *mac : {&macs.a, &macs.b}) {
                    EXPECT_EQ(mac->model().layoutOrder().sectionOf(moves.first().first),
                              moves.first().second);
                }
            }
            if (deleted) {
                EXPECT_FALSE(hasProfile(macs.a.model(), *deleted));
            }
        }
        EXPECT_TRUE(macs.quiet());
    }
}

} // namespace
} // namespace zorv
