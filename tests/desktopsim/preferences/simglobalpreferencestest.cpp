#include "preferences/simglobalpreferences.h"

#include <QMetaType>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString kSpacing = u"NSStatusItemSpacing"_s;
const QString kPadding = u"NSStatusItemSelectionPadding"_s;

TEST(SimGlobalPreferences, KeepsEachValueItsType) {
    SimGlobalPreferences preferences;
    preferences.setValue(kSpacing, 8);
    preferences.setValue(kPadding, 6.5);
    preferences.setValue(u"AppleInterfaceStyle"_s, u"Dark"_s);
    ASSERT_TRUE(preferences.synchronize());

    EXPECT_EQ(preferences.storedValue(kSpacing).typeId(), QMetaType::Int);
    EXPECT_EQ(preferences.storedValue(kPadding).typeId(), QMetaType::Double);
    EXPECT_EQ(preferences.storedValue(kPadding).toDouble(), 6.5);
    EXPECT_EQ(preferences.storedValue(u"AppleInterfaceStyle"_s).typeId(), QMetaType::QString);
    EXPECT_FALSE(preferences.value(u"Missing"_s).isValid());
}

// Other applications see only what was synchronised: a launch between the write and the
// synchronise still reads the old spacing.
TEST(SimGlobalPreferences, WritesReachTheStoredDomainOnlyThroughSynchronize) {
    SimGlobalPreferences preferences;
    preferences.setStoredValue(kSpacing, 16);

    preferences.setValue(kSpacing, 4);
    EXPECT_EQ(preferences.value(kSpacing), QVariant(4));
    EXPECT_EQ(preferences.storedValue(kSpacing), QVariant(16));

    preferences.removeValue(kSpacing);
    EXPECT_FALSE(preferences.value(kSpacing).isValid());
    EXPECT_EQ(preferences.storedValue(kSpacing), QVariant(16));

    ASSERT_TRUE(preferences.synchronize());
    EXPECT_FALSE(preferences.storedValue(kSpacing).isValid());
}

TEST(SimGlobalPreferences, FailedSynchronizeKeepsChangesPendingUntilItSucceeds) {
    SimGlobalPreferences preferences;
    preferences.setSynchronizeFails(true);
    preferences.setValue(kSpacing, 10);

    EXPECT_FALSE(preferences.synchronize());
    EXPECT_FALSE(preferences.storedValue(kSpacing).isValid());
    EXPECT_EQ(preferences.value(kSpacing), QVariant(10));

    preferences.setSynchronizeFails(false);
    EXPECT_TRUE(preferences.synchronize());
    EXPECT_EQ(preferences.storedValue(kSpacing), QVariant(10));
    EXPECT_EQ(preferences.synchronizeCount(), 2);
}

TEST(SimGlobalPreferences, OutsideChangesShowUnlessOverriddenByAPendingWrite) {
    SimGlobalPreferences preferences;
    preferences.setStoredValue(kPadding, 12);
    EXPECT_EQ(preferences.value(kPadding), QVariant(12));

    preferences.setValue(kPadding, 2);
    preferences.setStoredValue(kPadding, 20);
    EXPECT_EQ(preferences.value(kPadding), QVariant(2));

    preferences.setStoredValue(kPadding, QVariant());
    ASSERT_TRUE(preferences.synchronize());
    EXPECT_EQ(preferences.storedValue(kPadding), QVariant(2));
}

// The bar learns of a new spacing through this: only synchronised changes and changes made
// outside Zorv count.
TEST(SimGlobalPreferences, ReportsEveryChangeOfTheStoredDomain) {
    SimGlobalPreferences preferences;
    QList<std::pair<QString, QVariant>> changes;
    preferences.setOnStoredChange([&changes](const QString &key, const QVariant &value) {
        changes.append({key, value});
    });

    preferences.setValue(kSpacing, 6);
    EXPECT_TRUE(changes.isEmpty());
    preferences.setSynchronizeFails(true);
    preferences.synchronize();
    EXPECT_TRUE(changes.isEmpty());
    preferences.setSynchronizeFails(false);
    preferences.synchronize();
    preferences.removeValue(kSpacing);
    preferences.removeValue(kPadding);
    preferences.synchronize();
    preferences.setStoredValue(kPadding, 3);

    const QList<std::pair<QString, QVariant>> expected = {
        {kSpacing, QVariant(6)}, {kSpacing, QVariant()}, {kPadding, QVariant(3)}};
    EXPECT_EQ(changes, expected);
}

} // namespace
} // namespace zorv
