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

// Records each call on the domain as one line, in order.
struct RecordingPreferences : GlobalPreferences {
    [[nodiscard]] QVariant value(const QString &) const override { return {}; }
    void setValue(const QString &key, const QVariant &value) override {
        calls.append(u"set "_s + key + u' ' + value.toString() + u' ' +
                     QLatin1StringView(value.typeName()));
    }
    void removeValue(const QString &key) override { calls.append(u"remove "_s + key); }
    bool synchronize() override {
        calls.append(u"synchronize"_s);
        return true;
    }
    QStringList calls;
};

// Applications read the synchronised domain at launch: both keys must be there, or gone, together,
// as whole numbers.
TEST(SpacingController, WritesTheSpacingKeyAndSynchronisesBeforeThePaddingKey) {
    RecordingPreferences preferences;
    SpacingController spacing(preferences);
    spacing.setSpacing(8);
    spacing.setSpacing(std::nullopt);
    EXPECT_EQ(preferences.calls,
              (QStringList{u"set NSStatusItemSpacing 8 qlonglong"_s, u"synchronize"_s,
                           u"set NSStatusItemSelectionPadding 8 qlonglong"_s, u"synchronize"_s,
                           u"remove NSStatusItemSpacing"_s, u"synchronize"_s,
                           u"remove NSStatusItemSelectionPadding"_s, u"synchronize"_s}));
}

TEST(SpacingController, ReadsOnlyNumbersThatFitAsTheirIntegerPart) {
    const std::pair<QVariant, std::optional<qint64>> cases[] = {
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
    for (const auto &[stored, expected] : cases) {
        preferences.setStoredValue(kSpacing, stored);
        EXPECT_EQ(spacing.currentSpacing(), expected) << stored.toString().toStdString();
        EXPECT_EQ(spacing.isOverridden(), expected.has_value());
    }
    preferences.setStoredValue(kPadding, 10);
    EXPECT_TRUE(spacing.isOverridden()) << "a number under the padding key alone";
}

} // namespace
} // namespace zorv
