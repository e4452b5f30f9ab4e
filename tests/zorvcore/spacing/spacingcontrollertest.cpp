#include "spacing/spacingcontroller.h"
#include "preferences/simglobalpreferences.h"

#include <QMetaType>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString kSpacing = u"NSStatusItemSpacing"_s;
const QString kPadding = u"NSStatusItemSelectionPadding"_s;

class SpacingControllerTest : public ::testing::Test {
protected:
    SimGlobalPreferences preferences;
    SpacingController spacing{preferences};
};

// Other applications read the synchronised domain at launch: both keys must be there together.
TEST_F(SpacingControllerTest, WritesBothKeysTogetherAsIntegers) {
    spacing.setSpacing(8);
    EXPECT_EQ(preferences.storedValue(kSpacing), QVariant::fromValue(qint64(8)));
    EXPECT_EQ(preferences.storedValue(kPadding), QVariant::fromValue(qint64(8)));
    EXPECT_EQ(preferences.storedValue(kSpacing).typeId(), QMetaType::LongLong);
    EXPECT_EQ(spacing.currentSpacing(), 8);
    EXPECT_EQ(spacing.currentPadding(), 8);
    EXPECT_TRUE(spacing.isOverridden());
    EXPECT_EQ(preferences.synchronizeCount(), 2);

    spacing.setSpacing(std::nullopt);
    EXPECT_FALSE(preferences.storedValue(kSpacing).isValid());
    EXPECT_FALSE(preferences.storedValue(kPadding).isValid());
    EXPECT_EQ(spacing.currentSpacing(), std::nullopt);
    EXPECT_EQ(spacing.currentPadding(), std::nullopt);
    EXPECT_FALSE(spacing.isOverridden());
}

TEST_F(SpacingControllerTest, AFailingDomainStillGetsBothKeysOnItsNextSynchronise) {
    preferences.setSynchronizeFails(true);
    spacing.setSpacing(4);
    EXPECT_EQ(spacing.currentSpacing(), 4);
    EXPECT_EQ(spacing.currentPadding(), 4);
    EXPECT_FALSE(preferences.storedValue(kSpacing).isValid());

    preferences.setSynchronizeFails(false);
    ASSERT_TRUE(preferences.synchronize());
    EXPECT_EQ(preferences.storedValue(kSpacing), QVariant::fromValue(qint64(4)));
    EXPECT_EQ(preferences.storedValue(kPadding), QVariant::fromValue(qint64(4)));
}

TEST_F(SpacingControllerTest, ReadsOnlyNumbersThatFitAsTheirIntegerPart) {
    const struct {
        const char *name;
        QVariant stored;
        std::optional<qint64> expected;
    } cases[] = {
        {"integer", QVariant(6), 6},
        {"fraction", QVariant(6.5), 6},
        {"negative fraction", QVariant(-6.5), -6},
        {"unsigned", QVariant::fromValue(quint32(12)), 12},
        {"string", QVariant(u"8"_s), std::nullopt},
        {"boolean", QVariant(true), std::nullopt},
        {"not a number", QVariant(std::nan("")), std::nullopt},
        {"infinite", QVariant(std::numeric_limits<double>::infinity()), std::nullopt},
        {"too large", QVariant(1e300), std::nullopt},
        {"too large unsigned", QVariant::fromValue(std::numeric_limits<quint64>::max()),
         std::nullopt},
    };
    for (const auto &c : cases) {
        preferences.setStoredValue(kSpacing, c.stored);
        preferences.setStoredValue(kPadding, c.stored);
        EXPECT_EQ(spacing.currentSpacing(), c.expected) << c.name;
        EXPECT_EQ(spacing.currentPadding(), c.expected) << c.name;
        EXPECT_EQ(spacing.isOverridden(), c.expected.has_value()) << c.name;
    }
}

TEST_F(SpacingControllerTest, EitherNumberAloneCountsAsOverridden) {
    preferences.setStoredValue(kSpacing, u"wide"_s);
    EXPECT_FALSE(spacing.isOverridden());
    preferences.setStoredValue(kPadding, 10);
    EXPECT_TRUE(spacing.isOverridden());
    preferences.setStoredValue(kPadding, QVariant());
    preferences.setStoredValue(kSpacing, 2);
    EXPECT_TRUE(spacing.isOverridden());
}

TEST(SpacingControllerNeedsLogout, ComparesWrittenWithAppliedAtLogin) {
    const struct {
        std::optional<qint64> written;
        std::optional<qint64> applied;
        bool expected;
    } cases[] = {
        {std::nullopt, std::nullopt, false},
        {8, std::nullopt, true},
        {std::nullopt, 8, true},
        {8, 8, false},
        {8, 6, true},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(SpacingController::needsLogout(c.written, c.applied), c.expected)
            << c.written.value_or(-1) << " vs " << c.applied.value_or(-1);
    }
}

} // namespace
} // namespace zorv
