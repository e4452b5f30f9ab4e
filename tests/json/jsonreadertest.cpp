#include "jsonreader.h"
#include "jsonenum.h"
#include "jsonwriter.h"
#include "qstringprinter.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

using O = const JsonObjectRef &;
using Read = std::function<void(O)>;

// The message of the DecodeError that reading `json` throws, or empty when nothing is thrown.
QString failure(
    const QByteArray &json, const Read &read = [](O) {}) {
    try {
        read(JsonValueRef(parseJson(json)).toObject());
    } catch (const DecodeError &error) {
        EXPECT_EQ(error.message(), error.path() + u": "_s + error.reason());
        return error.message();
    }
    return {};
}

QByteArray nestedObjects(int depth) {
    return QByteArray(R"({"k":)").repeated(depth) + "0" + QByteArray(depth, '}');
}

TEST(JsonParse, RefusesNestingBeyondTheLimit) {
    const int limit = kMaxJsonNesting;
    EXPECT_TRUE(parseJson(QByteArray(limit, '[') + QByteArray(limit, ']')).isArray());
    EXPECT_TRUE(parseJson(nestedObjects(limit)).isObject());
    // Brackets inside strings are text, however many and however escaped.
    QByteArray quoted = R"(["\"[[[[", "{{{{\\", ")" + QByteArray(limit, '[') + "\"]";
    EXPECT_EQ(parseJson(quoted).toArray().at(1).toString(), uR"({{{{\)"_s);
    EXPECT_NO_THROW(
        (void)parseJson(QByteArray(limit - 1, '[') + quoted + QByteArray(limit - 1, ']')));

    const QString tooDeep = u"$: The document is nested deeper than 200 levels."_s;
    EXPECT_EQ(failure(QByteArray(limit + 1, '[') + QByteArray(limit + 1, ']')), tooDeep);
    EXPECT_EQ(failure(nestedObjects(limit + 1)), tooDeep);
    EXPECT_EQ(failure("[" + nestedObjects(limit) + "]"), tooDeep);
    EXPECT_EQ(failure(QByteArray(100000, '[')), tooDeep);

    EXPECT_EQ(parseJson(R"({"a": 1, "a": 2})").toObject().value(u"a"_s).toInt(), 2);
}

TEST(JsonParse, FollowsTheGrammarExactlyAndRefusesWhatIsNotADocument) {
    // clang-format off
    const QByteArray rejected[] = {
        R"(["\x41"])", "[\"a\tb\"]", "[\"a\x01\"]", "[.5]", "[5.]", "[01]", "[-]", "[-a]", "[1e]",
        "[1e+]", "[+1]", "[0x10]", R"(["\u12"])", R"(["\u12g4"])", R"(["a)", "[\"\xC0\xAF\"]",
        "[\"\xED\xA0\x80\"]", "[\"\xF4\x90\x80\x80\"]", "[\"\xE2\x82\"]", "[\"\xFF\"]", "[tru]",
        "[nul]", R"({"a" 1})", "{1:2}", R"({"a":1,})", "[1 2]", "[1e400]", "[-1e400]",
        QByteArray("[1]\0", 4), "\xEF\xBB\xBF", "", "[1,]", "{} x", "[NaN]", "20", "\"t\"",
        "null"};
    // clang-format on
    for (const QByteArray &bytes : rejected) {
        EXPECT_TRUE(failure(bytes).startsWith(u"$: The data is not valid JSON"_s))
            << bytes.toPercentEncoding().constData();
    }
    // Each accepted document written back in canonical form.
    const struct {
        QByteArray json;
        QByteArray canonical;
    } accepted[] = {
        {"[1e-400, -1e-400, 0e999999999999, -0, 0.0]", "[0,0,0,0,0]"},
        {"[2e1, 1E+2, 20.00, 1.5e1, 25e-1, 0.5]", "[20,100,20,15,2.5,0.5]"},
        {"[-9223372036854775808, -9.223372036854775808e18, 9223372036854775807.0]",
         "[-9223372036854775808,-9223372036854775808,9223372036854775807]"},
        {"[-9223372036854775809, 1e19, 9007199254740993.5]",
         "[-9223372036854775808,1e+19,9007199254740994]"},
        {R"(["\u00e9\/\b\u0000", "\ud83d\ude00", "\udd0b"])",
         "[\"\xC3\xA9/\\b\\u0000\",\"\xF0\x9F\x98\x80\",\"\\udd0b\"]"},
        // A byte order mark before the document is skipped, one inside a string kept.
        {"\xEF\xBB\xBF [\"\xEF\xBB\xBFx\", \"a\xEF\xBB\xBF\"]", R"(["\ufeffx","a\ufeff"])"},
        {" \t\r\n{ \"k\" : [ ] , \"a\":{}}\n", R"({"a":{},"k":[]})"},
    };
    for (const auto &row : accepted) {
        EXPECT_EQ(writeJson(parseJson(row.json), JsonFormat::compact()), row.canonical)
            << row.json.constData();
    }
}

TEST(JsonParse, KeysWithLoneSurrogatesLeaveTheOtherKeysFindable) {
    const QByteArray json = "{\"\\udd0bx\":1,\"\xF0\x9F\x98\x80\":2,\"\\ud800\":3,\"a\":4}";
    const JsonObjectRef o = JsonValueRef(parseJson(json)).toObject();
    EXPECT_EQ(o.required<int>(u"😀"), 2);
    EXPECT_EQ(o.required<int>(QString(QChar(0xDD0B)) + u"x"_s), 1);
    EXPECT_EQ(o.required<int>(QString(QChar(0xD800))), 3);
    EXPECT_EQ(o.required<int>(u"a"), 4);
    const auto written = writeJson(o.raw(), JsonFormat::compact());
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(writeJson(parseJson(*written), JsonFormat::compact()), written);
}

TEST(JsonReader, FailuresNameThePathAndTheReason) {
    const Read enumCase = [](O o) {
        (void)decodeEnumCase(o.required(u"c"), {u"onBattery"_s, u"charging"_s});
    };
    const struct {
        QByteArray json;
        Read read;
        QString message;
    } rows[] = {
        {R"({"a": {}})", [](O o) { (void)o.required(u"a").toObject().required(u"b"); },
         u"$.a.b: The required key is missing."_s},
        {R"({"r": [{}, {"com.x": 1}]})",
         [](O o) {
             (void)o.required(u"r").toArray().at(1).toObject().required(u"com.x").toObject();
         },
         uR"($.r[1]["com.x"]: Expected an object, found the number 1.)"_s},
        {R"({"n": "1"})", [](O o) { (void)o.required(u"n").toDouble(); },
         u"$.n: Expected a number, found a string."_s},
        {R"({"s": null})", [](O o) { (void)o.required<QString>(u"s"); },
         u"$.s: Expected a string, found null."_s},
        {R"({"s": 1})", [](O o) { (void)o.optional<QString>(u"s"); },
         u"$.s: Expected a string, found the number 1."_s},
        {R"({"n": 6.5})", [](O o) { (void)o.required<int>(u"n"); },
         u"$.n: Expected an integer, found the number 6.5."_s},
        {R"({"n": 2147483648})", [](O o) { (void)o.required<int>(u"n"); },
         u"$.n: The integer 2147483648 is out of range (-2147483648 to 2147483647)."_s},
        {R"({"n": -1})", [](O o) { (void)o.required<quint16>(u"n"); },
         u"$.n: The integer -1 is out of range (0 to 65535)."_s},
        {R"({"n": 1e300})", [](O o) { (void)o.required(u"n").toInteger(); },
         u"$.n: The integer 1e+300 is out of range (-9223372036854775808 to "
         "9223372036854775807)."_s},
        {R"({"a": [1, 2, "3"]})", [](O o) { (void)o.required(u"a").toArray().map<int>(); },
         u"$.a[2]: Expected an integer, found a string."_s},
        {R"({"a": []})", [](O o) { (void)o.required(u"a").toArray().at(0); },
         u"$.a[0]: The index is out of range (the array has 0 elements)."_s},
        {R"({"c": {"sunny": {}}})", enumCase,
         u"$.c: Invalid number of keys found, expected one."_s},
        {R"({"c": {"onBattery": {}, "charging": {}}})", enumCase,
         u"$.c: Invalid number of keys found, expected one."_s},
        {R"({"c": {"charging": true}})", enumCase,
         u"$.c.charging: Expected an object, found a bool."_s},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(failure(row.json, row.read), row.message);
    }
}

TEST(JsonReader, ReadsTypedValuesAndIntegerLimits) {
    const QByteArray json = R"({"i": 20.0, "e": 2e1, "big": 1e16, "null": null, "list": [1, 2],
        "u8": 255, "max": 9223372036854775807, "min": -9223372036854775808,
        "over": 9223372036854775808, "u64": 18446744073709551615,
        "under": -9223372036854775809, "expMin": -9.223372036854775808e18,
        "roundedFraction": 9007199254740993.5})";
    const JsonObjectRef o = JsonValueRef(parseJson(json)).toObject();
    EXPECT_EQ(o.required<int>(u"i"), 20);
    EXPECT_EQ(o.required<quint8>(u"e"), 20);
    EXPECT_EQ(o.required<qint64>(u"big"), 10000000000000000);
    EXPECT_EQ(o.required(u"list").toArray().map<int>(), (QList<int>{1, 2}));
    EXPECT_EQ(o.optional<QString>(u"absent"), std::nullopt);
    EXPECT_EQ(o.optional<QString>(u"null"), std::nullopt);
    EXPECT_EQ(o.required<quint8>(u"u8"), 255);
    EXPECT_EQ(o.required<qint64>(u"max"), std::numeric_limits<qint64>::max());
    EXPECT_EQ(o.required<qint64>(u"min"), std::numeric_limits<qint64>::min());
    EXPECT_EQ(o.required<quint64>(u"max"), quint64(std::numeric_limits<qint64>::max()));
    EXPECT_THROW((void)o.required<qint8>(u"u8"), DecodeError);
    EXPECT_THROW((void)o.required<qint64>(u"over"), DecodeError);
    EXPECT_THROW((void)o.required<quint64>(u"u64"), DecodeError);
    EXPECT_EQ(o.required<qint64>(u"expMin"), std::numeric_limits<qint64>::min());
    EXPECT_THROW((void)o.required<qint64>(u"under"), DecodeError);
    EXPECT_THROW((void)o.required<qint64>(u"roundedFraction"), DecodeError);
}

TEST(JsonReader, UuidOnlyInHyphenatedForm) {
    const QUuid expected = QUuid::fromString(u"67c8770b-44f1-410a-ab9a-f9b5446f13ee"_s);
    for (const QString &text :
         {u"67c8770b-44f1-410a-ab9a-f9b5446f13ee"_s, u"67C8770B-44F1-410A-AB9A-F9B5446F13EE"_s}) {
        EXPECT_EQ(JsonValueRef(QJsonValue(text)).toUuid(), expected);
    }
    for (const QString &text :
         {u"{67c8770b-44f1-410a-ab9a-f9b5446f13ee}"_s, u"67c8770b44f1410aab9af9b5446f13ee"_s,
          u"67c8770b-44f1-410a-ab9a-f9b5446f13eg"_s, u"67c8770b_44f1-410a-ab9a-f9b5446f13ee"_s,
          u" 67c8770b-44f1-410a-ab9a-f9b5446f13e"_s}) {
        EXPECT_THROW((void)JsonValueRef(QJsonValue(text)).toUuid(), DecodeError);
    }
}

TEST(JsonReader, EnumCaseIgnoresUnknownKeysBesideAndInsideIt) {
    const JsonValueRef root(
        parseJson(R"({"c": {"sunny": 1, "batteryBelow": {"_0": 20, "_9": 0}}})"));
    const JsonEnumCase found =
        decodeEnumCase(root.toObject().required(u"c"), {u"onBattery"_s, u"batteryBelow"_s});
    EXPECT_EQ(found.name, u"batteryBelow"_s);
    EXPECT_EQ(found.payload.required<int>(u"_0"), 20);
    EXPECT_EQ(found.payload.path(), u"$.c.batteryBelow"_s);
}

} // namespace
