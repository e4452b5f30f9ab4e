#include "reportbuilder.h"

#include "jsonreader.h"
#include "reportfixture.h"

#include <QJsonObject>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace zorv::ReportProblem {
namespace {

const Facts facts{u"app.zorv.Zorv"_s, u"1.4.2"_s, u"142"_s, u"Version 14.5 (Build 23F79)"_s,
                  u"Mac14,2"_s};

QString marker(qsizetype dropped) {
    return u"[\u2026 %1 earlier characters trimmed to fit \u2026]\n"_s.arg(dropped);
}

QByteArray bodyOf(const QString &text, const QString &diagnostics) {
    return Builder::body(text, u"Zorv"_s, u"INSTALL-1"_s, diagnostics, facts).value();
}

QString diagnosticsIn(const QByteArray &body) {
    return parseJson(body).toObject().value(u"diagnostics"_s).toString();
}

TEST(ReportBodyTest, isOneFlatObjectOfNineStringsInSortedOrderWithTheTextTrimmed) {
    EXPECT_EQ(bodyOf(u" \n  It broke.\n\nTwice. \t\n"_s, u"a/b \"q\"\n"_s),
              R"j({"appName":"Zorv","build":"142","bundleId":"app.zorv.Zorv",)j"
              R"j("diagnostics":"a\/b \"q\"\n","installId":"INSTALL-1",)j"
              R"j("macOS":"Version 14.5 (Build 23F79)","machine":"Mac14,2",)j"
              R"j("text":"It broke.\n\nTwice.","version":"1.4.2"})j");
}

TEST(ReportBodyTest, aWriterThatFailsGivesNoBody) {
    const Serialiser failing = [](const QJsonObject &) { return std::optional<QByteArray>(); };
    EXPECT_FALSE(Builder::body(u"t"_s, u"Zorv"_s, u"I"_s, u"d"_s, facts, failing));
}

struct CapCase {
    const char *name;
    QString text;
    // The diagnostics given, built from the bytes the rest of the body takes.
    std::function<QString(qsizetype overhead)> diagnostics;
    // The diagnostics expected in the body.
    std::function<QString(qsizetype overhead)> expected;
};

void PrintTo(const CapCase &c, std::ostream *out) {
    *out << c.name;
}

class ReportSizeCapTest : public ::testing::TestWithParam<CapCase> {};

TEST_P(ReportSizeCapTest, cutsTheOldestDiagnosticsUntilTheBodyFits) {
    const CapCase &c = GetParam();
    const qsizetype overhead = bodyOf(c.text, QString()).size();
    const QByteArray body = bodyOf(c.text, c.diagnostics(overhead));
    EXPECT_EQ(diagnosticsIn(body), c.expected(overhead));
    if (!c.expected(overhead).isEmpty()) {
        EXPECT_LE(body.size(), Builder::maxBodyBytes);
    }
    EXPECT_EQ(parseJson(body).toObject().value(u"text"_s).toString(), c.text.trimmed());
}

const QString hugeText(300'000, u'w');
// A user-perceived character of two code points and eight UTF-8 bytes.
const QString thumbsUp = u"\U0001F44D\U0001F3FD"_s;

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportSizeCapTest,
    ::testing::Values(
        CapCase{"atTheCapUnchanged", u"t"_s, [](qsizetype o) { return QString(256'000 - o, u'x'); },
                [](qsizetype o) { return QString(256'000 - o, u'x'); }},
        CapCase{"oneByteOverLosesATenth", u"t"_s,
                [](qsizetype o) { return QString(256'001 - o, u'x'); },
                [](qsizetype o) {
                    const qsizetype count = 256'001 - o;
                    return marker(count / 10) + QString(count - count / 10, u'x');
                }},
        // A character counts as one however many bytes it takes, so the byte excess taken as a
        // character count cuts more than needed.
        CapCase{"multiByteCountsCharacters", u"t"_s,
                [](qsizetype) { return QString(150'000, u'\u00e9'); },
                [](qsizetype o) {
                    const qsizetype drop = 300'000 + o - Builder::targetBodyBytes;
                    return marker(drop) + QString(150'000 - drop, u'\u00e9');
                }},
        CapCase{"escapedCountsCharacters", u"t"_s, [](qsizetype) { return QString(150'000, u'"'); },
                [](qsizetype o) {
                    const qsizetype drop = 300'000 + o - Builder::targetBodyBytes;
                    return marker(drop) + QString(150'000 - drop, u'"');
                }},
        CapCase{"clustersCountAsOneCharacter", u"t"_s,
                [](qsizetype) { return thumbsUp.repeated(34'000); },
                [](qsizetype o) {
                    const qsizetype drop = 272'000 + o - Builder::targetBodyBytes;
                    return marker(drop) + thumbsUp.repeated(34'000 - drop);
                }},
        CapCase{"hugeTextEmptiesShortDiagnostics", hugeText,
                [](qsizetype) { return u"Trusted   true\n"_s; },
                [](qsizetype) { return QString(); }},
        CapCase{"hugeTextWithoutDiagnosticsIsSentAsItIs", hugeText,
                [](qsizetype) { return QString(); }, [](qsizetype) { return QString(); }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ReportReplyTest, readsOnlyStringValuesOfAJsonObject) {
    struct Case {
        QByteArray reply;
        std::optional<QString> id;
        std::optional<QString> error;
    };
    const Case cases[] = {
        {R"({"id":"R-1"})", u"R-1"_s, std::nullopt},
        {R"({"id":7,"error":"quota"})", std::nullopt, u"quota"_s},
        {R"({"error":{"text":"x"}})", std::nullopt, std::nullopt},
        {R"(["R-1"])", std::nullopt, std::nullopt},
        {R"("R-1")", std::nullopt, std::nullopt},
        {"<html>Bad gateway</html>", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Builder::reportID(c.reply), c.id) << c.reply.constData();
        EXPECT_EQ(Builder::errorText(c.reply), c.error) << c.reply.constData();
    }
}

} // namespace
} // namespace zorv::ReportProblem
