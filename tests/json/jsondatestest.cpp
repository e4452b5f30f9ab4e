#include "jsondates.h"
#include "jsonreader.h"
#include "jsonwriter.h"
#include "qstringprinter.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

QDateTime utc(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
}

TEST(JsonDates, ReferenceSecondsKeepMilliseconds) {
    EXPECT_EQ(secondsSinceReferenceDate(utc(2000, 12, 31, 23, 59, 59, 500)), -0.5);
    EXPECT_EQ(dateFromReferenceSeconds(1.25), utc(2001, 1, 1, 0, 0, 1, 250));
    for (const QDateTime &date : {utc(2026, 12, 5, 14, 44, 7, 123), utc(1, 1, 1, 0, 0, 0),
                                  utc(1969, 7, 20, 20, 17, 40, 999)}) {
        const auto bytes = writeJson(QJsonArray{dateJson(date, DateForm::ReferenceSeconds)},
                                     JsonFormat::compact());
        ASSERT_TRUE(bytes);
        EXPECT_EQ(JsonValueRef(parseJson(*bytes)).toArray().at(0).toDate(), date);
    }
}

TEST(JsonDates, IsoFormIsWrittenInWholeSecondsInUtcAndReadStrictly) {
    const QDateTime withOffset(QDate(2026, 12, 5), QTime(16, 44, 7, 999), Qt::OffsetFromUTC, 7200);
    EXPECT_EQ(isoDateString(withOffset), u"2026-12-05T14:44:07Z"_s);
    for (const QString &text :
         {u"0001-01-01T00:00:00Z"_s, u"2024-02-29T00:00:00Z"_s, u"9999-12-31T23:59:59Z"_s}) {
        EXPECT_EQ(isoDateString(parseIsoDate(text).value_or(QDateTime())), text);
    }
    for (const char16_t *text :
         {u"2026-12-05T14:44:07.5Z", u"2026-12-05T14:44:07z", u"2026-12-05t14:44:07Z",
          u"2026-12-05 14:44:07Z", u"2026-12-05T14:44:07", u"2026-13-05T14:44:07Z",
          u"2026-00-05T14:44:07Z", u"2025-02-29T14:44:07Z", u"2026-12-32T14:44:07Z",
          u"2026-12-05T24:00:00Z", u"2026-12-05T14:60:07Z", u"2026-12-05T14:44:60Z",
          u"0000-01-01T00:00:00Z", u"+2026-12-05T14:44:07Z", u"2026-12-0５T14:44:07Z", u""}) {
        const QString bad = QString::fromUtf16(text);
        EXPECT_EQ(parseIsoDate(bad), std::nullopt) << bad.toStdString();
        const JsonValueRef value(QJsonValue(bad), u"$.at"_s, DateForm::Iso8601);
        EXPECT_THROW((void)value.toDate(), DecodeError) << bad.toStdString();
    }
}

// An offset from UTC in place of the "Z" reads as the instant it names; the date is in UTC and
// written back with "Z".
TEST(JsonDates, IsoFormReadsAnyOffsetFromUtc) {
    const struct {
        const char16_t *text;
        QDateTime instant;
    } cases[] = {
        {u"2026-12-01T10:00:00+01:00", utc(2026, 12, 1, 9, 0, 0)},
        {u"2026-12-01T10:00:00-05:30", utc(2026, 12, 1, 15, 30, 0)},
        {u"2026-12-01T10:00:00+00:00", utc(2026, 12, 1, 10, 0, 0)},
        {u"2026-12-01T10:00:00-00:00", utc(2026, 12, 1, 10, 0, 0)},
        {u"2026-12-01T10:00:00+05:45", utc(2026, 12, 1, 4, 15, 0)},
        // Across a day, a month and a year.
        {u"2026-12-31T20:00:00-04:00", utc(2027, 1, 1, 0, 0, 0)},
        {u"2026-03-01T01:00:00+14:00", utc(2026, 2, 28, 11, 0, 0)},
        {u"2026-12-01T10:00:00+23:59", utc(2026, 11, 30, 10, 1, 0)},
        {u"9999-12-31T23:59:59+01:00", utc(9999, 12, 31, 22, 59, 59)},
    };
    for (const auto &[text, instant] : cases) {
        const QString date = QString::fromUtf16(text);
        const auto read = parseIsoDate(date);
        ASSERT_TRUE(read) << date.toStdString();
        EXPECT_EQ(*read, instant) << date.toStdString();
        EXPECT_EQ(read->timeSpec(), Qt::UTC) << date.toStdString();
        EXPECT_EQ(isoDateString(*read), isoDateString(instant)) << date.toStdString();
        const JsonValueRef value(QJsonValue(date), u"$.at"_s, DateForm::Iso8601);
        EXPECT_EQ(value.toDate(), instant) << date.toStdString();
    }

    for (const char16_t *text :
         {u"2026-12-01T10:00:00+01", u"2026-12-01T10:00:00+0100", u"2026-12-01T10:00:00+1:00",
          u"2026-12-01T10:00:00+01:0", u"2026-12-01T10:00:00+01:000", u"2026-12-01T10:00:00+24:00",
          u"2026-12-01T10:00:00+01:60", u"2026-12-01T10:00:00 01:00", u"2026-12-01T10:00:00*01:00",
          u"2026-12-01T10:00:00+01-00", u"2026-12-01T10:00:00+0a:00", u"2026-12-01T10:00:00+01:00Z",
          u"2026-12-01T10:00:00Z+01:00", u"2026-12-01T10:00:00.5+01:00", u"2026-12-01T10:00:00+",
          u"2026-12-01T10:00:00−01:00", u"2026-12-01T10:00:00+01:00 ",
          // Outside the years the form can write once in UTC.
          u"0001-01-01T00:30:00+01:00", u"9999-12-31T23:30:00-01:00"}) {
        const QString bad = QString::fromUtf16(text);
        EXPECT_EQ(parseIsoDate(bad), std::nullopt) << bad.toStdString();
        const JsonValueRef value(QJsonValue(bad), u"$.at"_s, DateForm::Iso8601);
        EXPECT_THROW((void)value.toDate(), DecodeError) << bad.toStdString();
    }
}

TEST(JsonDates, ChildrenReadInTheDocumentsForm) {
    const QByteArray bytes = R"({"list": [{"at": "2026-12-05T14:44:07Z"}], "n": 0})";
    const JsonObjectRef iso = JsonValueRef(parseJson(bytes), u"$"_s, DateForm::Iso8601).toObject();
    EXPECT_EQ(iso.required(u"list").toArray().at(0).toObject().required<QDateTime>(u"at"),
              utc(2026, 12, 5, 14, 44, 7));
    EXPECT_THROW((void)iso.required<QDateTime>(u"n"), DecodeError);

    const JsonObjectRef seconds = JsonValueRef(parseJson(bytes)).toObject();
    EXPECT_EQ(seconds.required<QDateTime>(u"n"), utc(2001, 1, 1, 0, 0, 0));
    EXPECT_THROW(
        (void)seconds.required(u"list").toArray().at(0).toObject().required<QDateTime>(u"at"),
        DecodeError);
}

TEST(JsonDates, DatesThatCannotBeReadBackAreNeverWritten) {
    for (const auto &[date, form] : {std::pair{QDateTime(), DateForm::ReferenceSeconds},
                                     std::pair{QDateTime(), DateForm::Iso8601},
                                     std::pair{utc(10000, 1, 1, 0, 0, 0), DateForm::Iso8601}}) {
        EXPECT_FALSE(writeJson(QJsonObject{{u"at"_s, dateJson(date, form)}}, JsonFormat::pretty()));
    }
    EXPECT_THROW((void)JsonValueRef(QJsonValue(1e300)).toReferenceDate(), DecodeError);
}

} // namespace
