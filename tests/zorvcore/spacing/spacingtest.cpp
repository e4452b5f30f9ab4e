#include "jsondates.h"
#include "preferences/simglobalpreferences.h"
#include "processes/simprocesstable.h"
#include "spacing/loginsession.h"
#include "spacing/spacingcontroller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QDateTime utc(qint64 msecs) {
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
}

TEST(LoginSession, IsTheEarliestLoginWindowOfThisUserAndSurvivesTheSettingsFile) {
    SimProcessTable table(501);
    table.logIn(502, utc(1'000'000));
    table.start(501, u"LoginWindow"_s, utc(1'500'000));
    EXPECT_EQ(LoginSession::startedAt(table), std::nullopt);
    table.logIn(501, utc(1'700'000'500'000));
    const qint32 first = table.logIn(501, utc(1'700'000'000'987));
    const auto session = LoginSession::startedAt(table);
    ASSERT_EQ(session, utc(1'700'000'000'987));
    // The app model keeps it in "settings.json" as its spacing baseline: the same session must
    // read back as the same instant, or every launch would look like a fresh login.
    EXPECT_EQ(dateFromReferenceSeconds(secondsSinceReferenceDate(*session)), *session);
    table.end(first);
    EXPECT_EQ(LoginSession::startedAt(table), utc(1'700'000'500'000));
    table.setUnreadable(true);
    EXPECT_EQ(LoginSession::startedAt(table), std::nullopt);
}

TEST(LoginSession, SkipsRecordsWithImpossibleTimesInsteadOfOverflowing) {
    struct CorruptTable : ProcessTable {
        [[nodiscard]] std::optional<QList<ProcessRecord>> processes() const override {
            return QList<ProcessRecord>{
                {1, 501, u"loginwindow"_s, std::numeric_limits<qint64>::min(), 0},
                {2, 501, u"loginwindow"_s, 100, 2'000'000},
                {3, 501, u"loginwindow"_s, 200, 999'999},
            };
        }
        [[nodiscard]] quint32 currentUserId() const override { return 501; }
    };
    EXPECT_EQ(LoginSession::startedAt(CorruptTable()), utc(200'999));
}

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
