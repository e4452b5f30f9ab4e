#include "reportfixture.h"

#include "jsonreader.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv::ReportProblem {
namespace {

const Facts facts{u"app.zorv.Zorv"_s, u"1.4.2"_s, u"142"_s, u"Version 14.5 (Build 23F79)"_s,
                  u"Mac14,2"_s};

QByteArray bodyOf(const QString &text, const QString &diagnostics) {
    return Builder::body(text, u"Zorv"_s, u"INSTALL-1"_s, diagnostics, facts).value();
}

TEST(ReportBodyTest, isOneFlatObjectOfNineStringsInSortedOrderWithTheTextTrimmed) {
    EXPECT_EQ(bodyOf(u" \n  It broke.\n\nTwice. \t\n"_s, u"a/b \"q\"\n"_s),
              R"j({"appName":"Zorv","build":"142","bundleId":"app.zorv.Zorv",)j"
              R"j("diagnostics":"a\/b \"q\"\n","installId":"INSTALL-1",)j"
              R"j("macOS":"Version 14.5 (Build 23F79)","machine":"Mac14,2",)j"
              R"j("text":"It broke.\n\nTwice.","version":"1.4.2"})j");
    const Serialiser failing = [](const QJsonObject &) { return std::optional<QByteArray>(); };
    EXPECT_FALSE(Builder::body(u"t"_s, u"Zorv"_s, u"I"_s, u"d"_s, facts, failing));
}

// Each cut drops max(excess bytes, a tenth of the characters) of the oldest characters, marks
// it, and a body that fits is final. A character counts as one however many bytes it takes, so
// multi-byte and escaped ones are cut more than the byte excess alone would need.
TEST(ReportBodyTest, theSizeCapCutsTheOldestDiagnosticsUntilTheBodyFits) {
    const auto marker = [](qsizetype n) {
        return u"[\u2026 %1 earlier characters trimmed to fit \u2026]\n"_s.arg(n);
    };
    const qsizetype o = bodyOf(u"t"_s, QString()).size();
    const qsizetype over = 256'001 - o;
    // Two code points, eight bytes, one character.
    const QString thumbsUp = u"\U0001F44D\U0001F3FD"_s;
    const QString hugeText(300'000, u'w');
    struct Case {
        const char *name;
        QString text;
        QString diagnostics;
        QString expected;
    };
    const Case cases[] = {
        {"at the cap", u"t"_s, QString(256'000 - o, u'x'), QString(256'000 - o, u'x')},
        {"one byte over", u"t"_s, QString(over, u'x'),
         marker(over / 10) + QString(over - over / 10, u'x')},
        {"multi-byte", u"t"_s, QString(150'000, u'\u00e9'),
         marker(300'000 + o - 254'976) + QString(150'000 - (300'000 + o - 254'976), u'\u00e9')},
        {"escaped", u"t"_s, QString(150'000, u'"'),
         marker(300'000 + o - 254'976) + QString(150'000 - (300'000 + o - 254'976), u'"')},
        {"clusters", u"t"_s, thumbsUp.repeated(34'000),
         marker(272'000 + o - 254'976) + thumbsUp.repeated(34'000 - (272'000 + o - 254'976))},
        {"huge text empties short diagnostics", hugeText, u"Trusted   true\n"_s, QString()},
        {"huge text without diagnostics", hugeText, QString(), QString()},
    };
    for (const Case &c : cases) {
        const QByteArray body = bodyOf(c.text, c.diagnostics);
        const QJsonObject object = parseJson(body).toObject();
        EXPECT_EQ(object.value(u"diagnostics"_s).toString(), c.expected) << c.name;
        EXPECT_EQ(object.value(u"text"_s).toString(), c.text) << c.name;
        EXPECT_TRUE(c.expected.isEmpty() || body.size() <= Builder::maxBodyBytes) << c.name;
    }
}

TEST(ReportReplyTest, readsOnlyStringValuesOfAJsonObject) {
    const std::tuple<QByteArray, std::optional<QString>, std::optional<QString>> cases[] = {
        {R"({"id":"R-1"})", u"R-1"_s, std::nullopt},
        {R"({"id":7,"error":"quota"})", std::nullopt, u"quota"_s},
        {R"({"error":{"text":"x"}})", std::nullopt, std::nullopt},
        {R"(["R-1"])", std::nullopt, std::nullopt},
        {R"("R-1")", std::nullopt, std::nullopt},
        {"<html>Bad gateway</html>", std::nullopt, std::nullopt},
    };
    for (const auto &[reply, id, error] : cases) {
        EXPECT_EQ(Builder::reportID(reply), id) << reply.constData();
        EXPECT_EQ(Builder::errorText(reply), error) << reply.constData();
    }
}

} // namespace
} // namespace zorv::ReportProblem
