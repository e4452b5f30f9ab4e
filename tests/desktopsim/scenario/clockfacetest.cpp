#include "scenario/clockface.h"

#include <gtest/gtest.h>

#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST(ClockFaceTest, ShowsWeekdayDateAndTimeInUtc) {
    const QDateTime morning(QDate(2026, 12, 1), QTime(9, 5, 59), QTimeZone::utc());
    EXPECT_EQ(ClockFace::title(morning), u"Tue 1 Dec 9:05"_s);
    const QDateTime elsewhere = morning.toTimeZone(QTimeZone(3600));
    EXPECT_EQ(ClockFace::title(elsewhere), u"Tue 1 Dec 9:05"_s);
}

// The clock exists to push the items left of it about: its width must change at every minute,
// across hour and day boundaries too.
TEST(ClockFaceTest, LengthChangesEveryMinuteOfADay) {
    QDateTime time(QDate(2026, 12, 1), QTime(23, 0), QTimeZone::utc());
    double previous = ClockFace::length(ClockFace::title(time));
    for (int minute = 1; minute <= 26 * 60; ++minute) {
        time = time.addSecs(60);
        const double length = ClockFace::length(ClockFace::title(time));
        ASSERT_NE(length, previous) << ClockFace::title(time).toStdString();
        previous = length;
    }
}

} // namespace
} // namespace zorv
