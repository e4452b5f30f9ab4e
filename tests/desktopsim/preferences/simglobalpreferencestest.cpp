#include "preferences/simglobalpreferences.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString kSpacing = u"NSStatusItemSpacing"_s;

// Other applications (and so the bar) see only what was synchronised, and are told of it.
TEST(SimGlobalPreferences, WritesReachTheStoredDomainOnlyThroughASuccessfulSynchronize) {
    SimGlobalPreferences preferences;
    QList<std::pair<QString, QVariant>> changes;
    preferences.setOnStoredChange([&changes](const QString &key, const QVariant &value) {
        changes.append({key, value});
    });
    preferences.setStoredValue(kSpacing, 16);

    preferences.setValue(kSpacing, 6.5);
    EXPECT_EQ(preferences.value(kSpacing), QVariant(6.5));
    EXPECT_EQ(preferences.storedValue(kSpacing), QVariant(16));
    preferences.setSynchronizeFails(true);
    EXPECT_FALSE(preferences.synchronize());
    EXPECT_EQ(preferences.storedValue(kSpacing), QVariant(16));

    preferences.setSynchronizeFails(false);
    EXPECT_TRUE(preferences.synchronize());
    EXPECT_EQ(preferences.storedValue(kSpacing).typeId(), QMetaType::Double);
    preferences.removeValue(kSpacing);
    EXPECT_FALSE(preferences.value(kSpacing).isValid());
    EXPECT_TRUE(preferences.synchronize());

    const QList<std::pair<QString, QVariant>> expected = {
        {kSpacing, QVariant(16)}, {kSpacing, QVariant(6.5)}, {kSpacing, QVariant()}};
    EXPECT_EQ(changes, expected);
}

} // namespace
} // namespace zorv
