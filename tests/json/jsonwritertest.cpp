#include "jsonwriter.h"
#include "jsonenum.h"
#include "qstringprinter.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

const QJsonObject kNested{
    {u"b"_s, QJsonArray{1, 2}},
    {u"a"_s, 1},
    {u"c"_s, QJsonObject{{u"y"_s, QJsonObject()}, {u"x"_s, QJsonArray()}}},
    {u"d"_s, QJsonArray{QJsonObject{{u"k"_s, true}}, QJsonValue(QJsonValue::Null)}},
};

TEST(JsonWriter, WritesCanonicalBytesThatReadBackUnchanged) {
    const struct {
        QJsonValue value;
        JsonFormat format;
        QByteArray expected;
    } cases[] = {
        {kNested, JsonFormat::pretty(),
         "{\n  \"a\" : 1,\n  \"b\" : [\n    1,\n    2\n  ],\n  \"c\" : {\n    \"x\" : [],\n"
         "    \"y\" : {}\n  },\n  \"d\" : [\n    {\n      \"k\" : true\n    },\n    null\n  ]\n}"},
        {kNested, JsonFormat::compact(),
         R"({"a":1,"b":[1,2],"c":{"x":[],"y":{}},"d":[{"k":true},null]})"},
        {QJsonObject{{u"a/b"_s, u"http://x/"_s}}, JsonFormat::compact().withEscapedSlashes(),
         R"({"a\/b":"http:\/\/x\/"})"},
        {QJsonArray{u"/"_s}, JsonFormat::pretty().withEscapedSlashes(), "[\n  \"\\/\"\n]"},
        // Only quotes, backslashes and control characters are escaped, and a lone surrogate
        // (which UTF-8 cannot hold).
        {QJsonArray{u"q\" b\\ / \b\f\n\r\t \x01\x1f \x7f é€😀"_s + QChar(0xD800) + u"x"_s},
         JsonFormat::compact(),
         "[\"q\\\" b\\\\ / \\b\\f\\n\\r\\t \\u0001\\u001f \x7f \xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"
         "\\ud800x\"]"},
        // U+FEFF is escaped: readers drop it at the start of a text.
        {QJsonObject{{QChar(0xFEFF) + u"k"_s, QChar(0xFEFF) + u"v"_s + QChar(0xFEFF)}},
         JsonFormat::compact(), R"({"\ufeffk":"\ufeffv\ufeff"})"},
        // Keys sort by UTF-16 code unit: upper case first, a surrogate pair before U+FFFD.
        {parseJson("{\"b\":1,\"B\":2,\"aa\":3,\"_\":4,\"\xEF\xBF\xBD\":5,\"\xF0\x9F\x98\x80\":6,"
                   "\"\xC3\xA9\":7}"),
         JsonFormat::compact(),
         "{\"B\":2,\"_\":4,\"aa\":3,\"b\":1,\"\xC3\xA9\":7,\"\xF0\x9F\x98\x80\":6,"
         "\"\xEF\xBF\xBD\":5}"},
        // Enum cases hold their payloads under numbered keys.
        {encodeEnumCase(u"moveItem"_s, u"a"_s, u"hidden"_s), JsonFormat::compact(),
         R"({"moveItem":{"_0":"a","_1":"hidden"}})"},
    };
    for (const auto &c : cases) {
        const auto bytes = writeJson(c.value, c.format);
        ASSERT_TRUE(bytes.has_value()) << c.expected.constData();
        EXPECT_EQ(*bytes, c.expected);
        EXPECT_EQ(writeJson(parseJson(*bytes), c.format), bytes);
    }
}

TEST(JsonWriter, WritesShortestNumbersThatReadBackExactly) {
    // clang-format off
    const QJsonArray numbers{0.1, 1.0 / 3.0, 1e300, 5e-324, -0.0, -2.5, 9007199254740992.0, 1e16,
                             qint64(9007199254740993), std::numeric_limits<qint64>::min()};
    // clang-format on
    const auto bytes = writeJson(numbers, JsonFormat::compact());
    EXPECT_EQ(bytes, "[0.1,0.3333333333333333,1e+300,5e-324,0,-2.5,9007199254740992,1e+16,"
                     "9007199254740993,-9223372036854775808]");
    const QJsonArray read = parseJson(bytes.value_or("[]")).toArray();
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        EXPECT_EQ(read.at(i).toDouble(), numbers.at(i).toDouble()) << i;
    }
}

TEST(JsonWriter, RefusesWhatCouldNotBeReadBack) {
    QJsonValue deepest = QJsonArray();
    for (int depth = 1; depth < kMaxJsonNesting; ++depth) {
        deepest = depth % 2 ? QJsonValue(QJsonObject{{u"k"_s, deepest}})
                            : QJsonValue(QJsonArray{deepest});
    }
    const auto atLimit = writeJson(deepest, JsonFormat::compact());
    ASSERT_TRUE(atLimit.has_value());
    EXPECT_NO_THROW((void)parseJson(*atLimit));

    const double inf = std::numeric_limits<double>::infinity();
    for (const QJsonValue &value :
         {QJsonValue(std::numeric_limits<double>::quiet_NaN()), QJsonValue(QJsonArray{1, inf}),
          QJsonValue(QJsonObject{{u"a"_s, QJsonObject{{u"b"_s, -inf}}}}),
          QJsonValue(QJsonValue::Undefined), QJsonValue(QJsonArray{deepest})}) {
        EXPECT_FALSE(writeJson(value, JsonFormat::pretty()).has_value());
        EXPECT_FALSE(writeJson(value, JsonFormat::compact()).has_value());
    }
}

} // namespace
