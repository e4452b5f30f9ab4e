#include "spacing/loginsession.h"
#include "jsondates.h"
#include "processes/simprocesstable.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace zorv
