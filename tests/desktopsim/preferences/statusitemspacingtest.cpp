#include "preferences/statusitemspacing.h"
#include "desktoptest.h"
#include "preferences/simglobalpreferences.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

const QString kSpacing = u"NSStatusItemSpacing"_s;

// Other applications (and so the bar) see only what was synchronised, and are told of it.
TEST(SimGlobalPreferences, WritesReachTheStoredDomainOnlyThroughASuccessfulSynchronize) {
    SimGlobalPreferences preferences;
    QVariantList changes;
    preferences.setOnStoredChange(
        [&changes](const QString &, const QVariant &value) { changes.append(value); });
    preferences.setStoredValue(kSpacing, 16);
    preferences.setValue(kSpacing, 6.5);
    EXPECT_EQ(preferences.value(kSpacing), QVariant(6.5));
    preferences.setSynchronizeFails(true);
    EXPECT_FALSE(preferences.synchronize());
    EXPECT_EQ(preferences.storedValue(kSpacing), QVariant(16));
    preferences.setSynchronizeFails(false);
    EXPECT_TRUE(preferences.synchronize());
    preferences.removeValue(kSpacing);
    EXPECT_FALSE(preferences.value(kSpacing).isValid());
    EXPECT_TRUE(preferences.synchronize());
    EXPECT_EQ(changes, (QVariantList{QVariant(16), QVariant(6.5), QVariant()}));
}

// A synchronised spacing reaches the bar through the applications launched after it.
TEST_F(DesktopTest, ApplicationsLaunchedAfterASynchronisedSpacingUseIt) {
    SimGlobalPreferences preferences;
    preferences.setStoredValue(kSpacing, 10);
    linkStatusItemSpacing(preferences, desktop.applications());
    addLaptop();
    const qint32 before = launch(u"com.example.before"_s);
    const quint64 right = addItem(before, 20.0, u"right"_s);

    preferences.setValue(kSpacing, 4);
    const qint32 unsynchronised = launch(u"com.example.unsynchronised"_s);
    preferences.synchronize();
    const qint32 after = launch(u"com.example.after"_s);
    const quint64 middle = addItem(unsynchronised, 20.0, u"middle"_s);
    const quint64 left = addItem(after, 20.0, u"left"_s);
    settle();

    EXPECT_EQ(entry(middle).frame.right(), entry(right).frame.left() - 10);
    EXPECT_EQ(entry(left).frame.right(), entry(middle).frame.left() - 4);
}

// Anything but a finite number from 0 to the longest item is unreadable and gives the system
// gap: a longer gap would push the bar's left end past what a double holds after a few items.
TEST(LaunchStatusItemSpacing, TakesFiniteNonNegativeNumbersUpToTheLongestItemOnly) {
    EXPECT_EQ(launchStatusItemSpacing(QVariant(6)), 6.0);
    EXPECT_EQ(launchStatusItemSpacing(QVariant(2.5)), 2.5);
    EXPECT_EQ(launchStatusItemSpacing(QVariant(StatusBar::maximumLength)),
              StatusBar::maximumLength);
    for (const QVariant &other :
         {QVariant(), QVariant(u"8"_s), QVariant(true), QVariant(-4), QVariant(1e308),
          QVariant(std::numeric_limits<double>::infinity())}) {
        EXPECT_EQ(launchStatusItemSpacing(other), 16.0) << other.toString().toStdString();
    }
}

} // namespace
} // namespace zorv::testing
