#include "jsonwriter.h"
#include "jsonreader.h"
#include "qstringprinter.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

QByteArray written(const QJsonValue &value, JsonFormat format) {
    const auto bytes = writeJson(value, format);
    EXPECT_TRUE(bytes.has_value());
    return bytes.value_or(QByteArray());
}

QJsonObject sample() {
    return QJsonObject{
        {u"b"_s, QJsonArray{1, 2}},
        {u"a"_s, 1},
        {u"c"_s, QJsonObject{{u"y"_s, QJsonObject()}, {u"x"_s, QJsonArray()}}},
        {u"d"_s, QJsonArray{QJsonObject{{u"k"_s, true}}, QJsonValue(QJsonValue::Null)}},
    };
}

struct LayoutCase {
    const char *name;
    QJsonValue value;
    JsonFormat format;
    QByteArray expected;
};

class WriterLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(WriterLayout, WritesExactBytes) {
    EXPECT_EQ(written(GetParam().value, GetParam().format), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Json, WriterLayout,
    testing::Values(
        LayoutCase{
            "PrettyNested", sample(), JsonFormat::pretty(),
            "{\n  \"a\" : 1,\n  \"b\" : [\n    1,\n    2\n  ],\n  \"c\" : {\n    \"x\" : [],\n"
            "    \"y\" : {}\n  },\n  \"d\" : [\n    {\n      \"k\" : true\n    },\n"
            "    null\n  ]\n}"},
        LayoutCase{"CompactNested", sample(), JsonFormat::compact(),
                   R"({"a":1,"b":[1,2],"c":{"x":[],"y":{}},"d":[{"k":true},null]})"},
        LayoutCase{"EmptyObjectPretty", QJsonObject(), JsonFormat::pretty(), "{}"},
        LayoutCase{"EmptyArrayPretty", QJsonArray(), JsonFormat::pretty(), "[]"},
        LayoutCase{"Slashes", QJsonObject{{u"a/b"_s, u"http://x/"_s}}, JsonFormat::compact(),
                   R"({"a/b":"http://x/"})"},
        LayoutCase{"EscapedSlashes", QJsonObject{{u"a/b"_s, u"http://x/"_s}},
                   JsonFormat::compact().withEscapedSlashes(), R"({"a\/b":"http:\/\/x\/"})"},
        LayoutCase{"EscapedSlashesPretty", QJsonArray{u"/"_s},
                   JsonFormat::pretty().withEscapedSlashes(), "[\n  \"\\/\"\n]"},
        LayoutCase{"ControlCharacters", QJsonValue(u"q\" b\\ \b\f\n\r\t \x01\x1f \x7f"_s),
                   JsonFormat::compact(), "\"q\\\" b\\\\ \\b\\f\\n\\r\\t \\u0001\\u001f \x7f\""},
        LayoutCase{"UnicodeAsUtf8", QJsonValue(u"é€😀"_s), JsonFormat::compact(),
                   "\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\""},
        LayoutCase{"LoneSurrogate", QJsonValue(QString(QChar(0xD800)) + u"x"_s),
                   JsonFormat::compact(), "\"\\ud800x\""},
        LayoutCase{"MixedCaseKeysByCodeUnit",
                   QJsonObject{{u"b"_s, 1},
                               {u"B"_s, 2},
                               {u"a"_s, 3},
                               {u"_"_s, 4},
                               {u"A"_s, 5},
                               {u"é"_s, 6},
                               {u"aa"_s, 7},
                               {u"\uFFFD"_s, 8},
                               {u"😀"_s, 9}},
                   JsonFormat::compact(),
                   "{\"A\":5,\"B\":2,\"_\":4,\"a\":3,\"aa\":7,\"b\":1,\"\xC3\xA9\":6,"
                   "\"\xF0\x9F\x98\x80\":9,\"\xEF\xBF\xBD\":8}"}),
    [](const auto &info) { return std::string(info.param.name); });

struct NumberCase {
    const char *name;
    QJsonValue value;
    QByteArray expected;
};

class WriterNumbers : public testing::TestWithParam<NumberCase> {};

TEST_P(WriterNumbers, WritesCanonicalNumber) {
    EXPECT_EQ(written(QJsonArray{GetParam().value}, JsonFormat::compact()),
              "[" + GetParam().expected + "]");
}

INSTANTIATE_TEST_SUITE_P(
    Json, WriterNumbers,
    testing::Values(
        NumberCase{"PointOne", 0.1, "0.1"}, NumberCase{"Huge", 1e300, "1e+300"},
        NumberCase{"NegativeZero", -0.0, "0"}, NumberCase{"IntegralDouble", 3.0, "3"},
        NumberCase{"NegativeFraction", -2.5, "-2.5"}, NumberCase{"Tiny", 5e-324, "5e-324"},
        NumberCase{"TwoPow53", 9007199254740992.0, "9007199254740992"},
        NumberCase{"TwoPow53PlusOneInteger", qint64(9007199254740993), "9007199254740993"},
        NumberCase{"BeyondTwoPow53Double", 1e16, "1e+16"},
        NumberCase{"Int64Max", std::numeric_limits<qint64>::max(), "9223372036854775807"},
        NumberCase{"Int64Min", std::numeric_limits<qint64>::min(), "-9223372036854775808"},
        NumberCase{"ReferenceSeconds", 786638647.125, "786638647.125"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(JsonWriter, ShortestDoublesReadBackExactly) {
    for (const double value : {0.1, 1.0 / 3.0, 1e300, 5e-324, 123456.789e-20, 1e16 + 2.0}) {
        const QByteArray bytes = written(QJsonArray{value}, JsonFormat::compact());
        EXPECT_EQ(parseJson(bytes).toArray().at(0).toDouble(), value) << bytes.constData();
    }
}

TEST(JsonWriter, SameValueGivesSameBytesAndSurvivesReading) {
    for (const JsonFormat format : {JsonFormat::pretty(), JsonFormat::compact()}) {
        const QByteArray first = written(sample(), format);
        EXPECT_EQ(written(sample(), format), first);
        EXPECT_EQ(written(parseJson(first), format), first);
    }
}

TEST(JsonWriter, RefusesValuesThatCannotBeReadBack) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const QJsonValue &value :
         {QJsonValue(nan), QJsonValue(QJsonArray{1, inf}), QJsonValue(QJsonObject{{u"a"_s, -inf}}),
          QJsonValue(QJsonObject{{u"a"_s, QJsonObject{{u"b"_s, nan}}}}),
          QJsonValue(QJsonValue::Undefined)}) {
        EXPECT_FALSE(writeJson(value, JsonFormat::pretty()).has_value());
        EXPECT_FALSE(writeJson(value, JsonFormat::compact()).has_value());
    }
}

TEST(JsonWriter, RefusesNestingBeyondTheLimit) {
    QJsonValue value = QJsonArray();
    for (int depth = 1; depth < kMaxJsonNesting; ++depth) {
        value =
            depth % 2 ? QJsonValue(QJsonObject{{u"k"_s, value}}) : QJsonValue(QJsonArray{value});
    }
    const auto atLimit = writeJson(value, JsonFormat::compact());
    ASSERT_TRUE(atLimit.has_value());
    EXPECT_NO_THROW((void)parseJson(*atLimit));
    EXPECT_FALSE(writeJson(QJsonArray{value}, JsonFormat::compact()).has_value());
}

} // namespace
