#include "appmodel/modelprofiles.h"
#include "appmodelharness.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

class ModelProfilesTest : public ::testing::Test {
protected:
    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock, cloud, u"Mac"_s};
    AppModel &model = mac.started();
    QSignalSpy shortcutChanges{&model, &AppModel::shortcutsChanged};
    ModelProfiles &ops = model.profileOps();

    [[nodiscard]] const Profile &profile(qsizetype index) const {
        return model.profiles().profiles.at(index);
    }
    [[nodiscard]] static Appearance tinted(const QString &hex) {
        Appearance appearance;
        appearance.tintEnabled = true;
        appearance.tintHex = hex;
        appearance.tintOpacity = 0.5;
        return appearance;
    }
};

TEST_F(ModelProfilesTest, CapturesSwitchesRenamesAndUpdates) {
    ops.setAppearance(tinted(u"#112233"_s));
    ops.saveProfileFromCurrent(u"Work"_s);
    ops.setAppearance(tinted(u"#445566"_s));
    ops.saveProfileFromCurrent(u"Home"_s);
    ASSERT_EQ(model.profiles().profiles.size(), 2);
    // The first profile saved while none was active becomes active; later ones do not.
    EXPECT_EQ(model.profiles().activeID, profile(0).id);
    EXPECT_EQ(profile(0).appearance, tinted(u"#112233"_s));
    EXPECT_EQ(profile(0).layout, ops.currentLayout());

    ops.switchToProfile(profile(0).id);
    clock.settle();
    EXPECT_EQ(model.settings().appearance, tinted(u"#112233"_s));
    EXPECT_EQ(mac.fakes.overlay->applied.last(), tinted(u"#112233"_s));
    EXPECT_EQ(mac.engine().applied().last(), profile(0).layout);

    ops.renameProfile(profile(1).id, u""_s);
    EXPECT_EQ(profile(1).name, u""_s);
    ops.setProfileRemembersLook(false, profile(1).id);
    ops.updateProfileFromCurrent(profile(1).id);
    EXPECT_FALSE(profile(1).appearance);
    ops.updateProfileFromCurrent(profile(0).id);
    EXPECT_EQ(profile(0).appearance, model.settings().appearance);

    const qsizetype appliedBefore = mac.engine().applied().size();
    ops.switchToProfile(QUuid::createUuid());
    clock.settle();
    EXPECT_EQ(mac.engine().applied().size(), appliedBefore);
}

TEST_F(ModelProfilesTest, ShortcutsMoveBetweenProfilesAndLeaveWithDeletedOnes) {
    for (const QString &name : {u"A"_s, u"B"_s, u"C"_s}) {
        ops.saveProfileFromCurrent(name);
    }
    const QUuid a = profile(0).id, b = profile(1).id, c = profile(2).id;
    const KeyShortcut key(18, KeyShortcut::kCommand | KeyShortcut::kOption);

    const struct {
        std::function<void()> operation;
        int shortcutChanges;
        QList<QUuid> remaining;
        std::optional<QUuid> active;
    } steps[] = {
        {[&] { ops.setProfileShortcut(key, a); }, 1, {a, b, c}, a},
        {[&] {
             ops.setProfileShortcut(key, b);
             EXPECT_FALSE(profile(0).shortcut); // one shortcut, one profile
         },
         2,
         {a, b, c},
         a},
        {[&] { ops.deleteProfile(a); }, 2, {b, c}, b},
        // A deleted profile's hot key must be unregistered.
        {[&] { ops.deleteProfile(b); }, 3, {c}, c},
        {[&] { ops.deleteProfile(QUuid::createUuid()); }, 3, {c}, c},
        {[&] { ops.deleteProfile(c); }, 3, {}, std::nullopt},
    };
    for (const auto &step : steps) {
        step.operation();
        QList<QUuid> remaining;
        for (const Profile &p : model.profiles().profiles) {
            remaining.append(p.id);
        }
        EXPECT_EQ(shortcutChanges.count(), step.shortcutChanges);
        EXPECT_EQ(remaining, step.remaining);
        EXPECT_EQ(model.profiles().activeID, step.active);
    }
}

} // namespace
} // namespace zorv
