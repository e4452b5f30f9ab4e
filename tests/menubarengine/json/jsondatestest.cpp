#include "jsondates.h"
#include "jsonreader.h"
#include "jsonwriter.h"
#include "qstringprinter.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

QDateTime utc(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
}

TEST(JsonDates, ReferenceSecondsKeepMilliseconds) {
    EXPECT_EQ(secondsSinceReferenceDate(utc(2001, 1, 1, 0, 0, 0)), 0.0);
    EXPECT_EQ(secondsSinceReferenceDate(utc(2000, 12, 31, 23, 59, 59, 500)), -0.5);
    EXPECT_EQ(dateFromReferenceSeconds(1.25), utc(2001, 1, 1, 0, 0, 1, 250));
    for (const QDateTime &date : {utc(2026, 12, 5, 14, 44, 7, 123), utc(1, 1, 1, 0, 0, 0),
                                  utc(1969, 7, 20, 20, 17, 40, 999)}) {
        const auto bytes = writeJson(QJsonArray{dateJson(date, DateForm::ReferenceSeconds)},
                                     JsonFormat::compact());
        ASSERT_TRUE(bytes);
        const JsonValueRef read(parseJson(*bytes), u"$"_s, DateForm::ReferenceSeconds);
        EXPECT_EQ(read.toArray().at(0).toDate(), date) << bytes->constData();
    }
}

TEST(JsonDates, IsoFormWritesWholeSecondsInUtc) {
    EXPECT_EQ(isoDateString(utc(2026, 12, 5, 14, 44, 7, 999)), u"2026-12-05T14:44:07Z"_s);
    const QDateTime withOffset(QDate(2026, 12, 5), QTime(16, 44, 7), Qt::OffsetFromUTC, 7200);
    EXPECT_EQ(isoDateString(withOffset), u"2026-12-05T14:44:07Z"_s);
    EXPECT_EQ(isoDateString(utc(1, 1, 1, 0, 0, 0)), u"0001-01-01T00:00:00Z"_s);
    const QDateTime date = utc(2026, 2, 28, 23, 59, 59);
    EXPECT_EQ(parseIsoDate(isoDateString(date)), date);
}

TEST(JsonDates, IsoFormAcceptsExactlyOneShape) {
    const struct {
        const char16_t *text;
        bool accepted;
    } cases[] = {
        {u"2026-12-05T14:44:07Z", true},
        {u"2024-02-29T00:00:00Z", true},
        {u"9999-12-31T23:59:59Z", true},
        {u"2026-12-05T14:44:07.5Z", false},
        {u"2026-12-05T14:44:07+00:00", false},
        {u"2026-12-05T14:44:07z", false},
        {u"2026-12-05t14:44:07Z", false},
        {u"2026-12-05 14:44:07Z", false},
        {u"2026-12-05T14:44:07", false},
        {u"2026-13-05T14:44:07Z", false},
        {u"2026-00-05T14:44:07Z", false},
        {u"2025-02-29T14:44:07Z", false},
        {u"2026-12-32T14:44:07Z", false},
        {u"2026-12-05T24:00:00Z", false},
        {u"2026-12-05T14:60:07Z", false},
        {u"2026-12-05T14:44:60Z", false},
        {u"0000-01-01T00:00:00Z", false},
        {u"+2026-12-05T14:44:07Z", false},
        {u"2026-1-05T14:44:07Z ", false},
        {u"2026-12-0５T14:44:07Z", false},
        {u"", false},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(parseIsoDate(text).has_value(), c.accepted) << text.toStdString();
        const JsonValueRef value(QJsonValue(text), u"$.at"_s, DateForm::Iso8601);
        if (!c.accepted) {
            EXPECT_THROW((void)value.toDate(), DecodeError) << text.toStdString();
        }
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
    const QDateTime invalid;
    const QDateTime tooLate = utc(10000, 1, 1, 0, 0, 0);
    for (const auto &[date, form] :
         {std::pair{invalid, DateForm::ReferenceSeconds}, std::pair{invalid, DateForm::Iso8601},
          std::pair{tooLate, DateForm::Iso8601}}) {
        EXPECT_FALSE(writeJson(QJsonObject{{u"at"_s, dateJson(date, form)}}, JsonFormat::pretty()));
    }
    EXPECT_THROW((void)JsonValueRef(QJsonValue(1e300)).toReferenceDate(), DecodeError);
}

} // namespace
