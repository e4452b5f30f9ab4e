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

TEST(LoginSession, IsTheEarliestLoginWindowOfThisUser) {
    SimProcessTable table(501);
    EXPECT_EQ(LoginSession::startedAt(table), std::nullopt);
    table.logIn(502, utc(1'000'000));
    table.start(501, u"LoginWindow"_s, utc(1'500'000));
    EXPECT_EQ(LoginSession::startedAt(table), std::nullopt);

    table.logIn(501, utc(3'000'000));
    table.logIn(501, utc(2'000'000));
    EXPECT_EQ(LoginSession::startedAt(table), utc(2'000'000));
    table.setUnreadable(true);
    EXPECT_EQ(LoginSession::startedAt(table), std::nullopt);
}

// The app model keeps the session start in "settings.json" as its spacing baseline: the same
// session must read back as the same instant after the store's round trip, a new login not.
TEST(LoginSession, StaysTheSameInstantThroughTheSettingsFileUntilTheNextLogin) {
    SimProcessTable table(501);
    const qint32 first = table.logIn(501, utc(1'700'000'000'987));
    const auto session = LoginSession::startedAt(table);
    ASSERT_TRUE(session.has_value());
    EXPECT_EQ(dateFromReferenceSeconds(secondsSinceReferenceDate(*session)), *session);

    table.end(first);
    table.logIn(501, utc(1'700'000'500'000));
    EXPECT_NE(LoginSession::startedAt(table), session);
}

// A record with an impossible time is left out instead of overflowing.
TEST(LoginSession, SkipsRecordsWithImpossibleTimes) {
    class CorruptTable : public ProcessTable {
    public:
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
