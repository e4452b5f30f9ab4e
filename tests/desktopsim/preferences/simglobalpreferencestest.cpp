#include "preferences/simglobalpreferences.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// Other applications (and so the bar) see only what was synchronised, and are told of it.
TEST(SimGlobalPreferences, WritesReachTheStoredDomainOnlyThroughASuccessfulSynchronize) {
    const QString key = u"NSStatusItemSpacing"_s;
    SimGlobalPreferences preferences;
    QVariantList changes;
    preferences.setOnStoredChange(
        [&changes](const QString &, const QVariant &value) { changes.append(value); });
    preferences.setStoredValue(key, 16);
    preferences.setValue(key, 6.5);
    EXPECT_EQ(preferences.value(key), QVariant(6.5));
    preferences.setSynchronizeFails(true);
    EXPECT_FALSE(preferences.synchronize());
    EXPECT_EQ(preferences.storedValue(key), QVariant(16));
    preferences.setSynchronizeFails(false);
    EXPECT_TRUE(preferences.synchronize());
    preferences.removeValue(key);
    EXPECT_FALSE(preferences.value(key).isValid());
    EXPECT_TRUE(preferences.synchronize());
    EXPECT_EQ(changes, (QVariantList{QVariant(16), QVariant(6.5), QVariant()}));
}

} // namespace
} // namespace zorv
