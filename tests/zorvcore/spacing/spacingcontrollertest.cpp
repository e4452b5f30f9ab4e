#include "spacing/spacingcontroller.h"
#include "preferences/simglobalpreferences.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString kSpacing = u"NSStatusItemSpacing"_s;
const QString kPadding = u"NSStatusItemSelectionPadding"_s;

// Applications read the synchronised domain at launch: both keys must be there, or gone, together.
TEST(SpacingController, WritesAndRemovesBothKeysTogether) {
    SimGlobalPreferences preferences;
    SpacingController spacing(preferences);
    spacing.setSpacing(8);
    EXPECT_EQ(preferences.storedValue(kSpacing), QVariant::fromValue(qint64(8)));
    EXPECT_EQ(preferences.storedValue(kPadding), QVariant::fromValue(qint64(8)));
    EXPECT_EQ(preferences.synchronizeCount(), 2);
    EXPECT_TRUE(spacing.isOverridden());

    spacing.setSpacing(std::nullopt);
    EXPECT_FALSE(preferences.storedValue(kSpacing).isValid());
    EXPECT_FALSE(preferences.storedValue(kPadding).isValid());
    EXPECT_EQ(spacing.currentSpacing(), std::nullopt);
    EXPECT_FALSE(spacing.isOverridden());
}

TEST(SpacingController, ReadsOnlyNumbersThatFitAsTheirIntegerPart) {
    const struct {
        QVariant stored;
        std::optional<qint64> expected;
    } cases[] = {
        {QVariant(6), 6},
        {QVariant(6.5), 6},
        {QVariant(-6.5), -6},
        {QVariant(u"8"_s), std::nullopt},
        {QVariant(true), std::nullopt},
        {QVariant(std::nan("")), std::nullopt},
        {QVariant(1e300), std::nullopt},
        {QVariant::fromValue(std::numeric_limits<quint64>::max()), std::nullopt},
    };
    SimGlobalPreferences preferences;
    const SpacingController spacing(preferences);
    for (const auto &c : cases) {
        preferences.setStoredValue(kSpacing, c.stored);
        EXPECT_EQ(spacing.currentSpacing(), c.expected) << c.stored.toString().toStdString();
        EXPECT_EQ(spacing.isOverridden(), c.expected.has_value());
    }
    // A number under the padding key alone still counts as overridden.
    preferences.setStoredValue(kPadding, 10);
    EXPECT_EQ(spacing.currentPadding(), 10);
    EXPECT_TRUE(spacing.isOverridden());
}

TEST(SpacingController, NeedsLogoutWhenWrittenDiffersFromAppliedAtLogin) {
    using S = SpacingController;
    EXPECT_FALSE(S::needsLogout(std::nullopt, std::nullopt));
    EXPECT_TRUE(S::needsLogout(8, std::nullopt));
    EXPECT_TRUE(S::needsLogout(std::nullopt, 8));
    EXPECT_FALSE(S::needsLogout(8, 8));
    EXPECT_TRUE(S::needsLogout(8, 6));
}

} // namespace
} // namespace zorv
