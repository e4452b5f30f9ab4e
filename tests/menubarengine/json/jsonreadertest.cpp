#include "jsonreader.h"
#include "qstringprinter.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

JsonObjectRef document(const char *json) {
    return JsonValueRef(parseJson(QByteArray(json))).toObject();
}

struct FailureCase {
    const char *name;
    const char *json;
    std::function<void(const JsonObjectRef &)> read;
    QString path;
    QString reason;
};

class ReaderFailures : public testing::TestWithParam<FailureCase> {};

TEST_P(ReaderFailures, NameThePathAndTheReason) {
    try {
        GetParam().read(document(GetParam().json));
        FAIL() << "decoded without error";
    } catch (const DecodeError &error) {
        EXPECT_EQ(error.path(), GetParam().path);
        EXPECT_EQ(error.reason(), GetParam().reason);
        EXPECT_EQ(error.message(), GetParam().path + u": "_s + GetParam().reason);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Json, ReaderFailures,
    testing::Values(
        FailureCase{"MissingKey", R"({"a": {}})",
                    [](const auto &o) { (void)o.required(u"a").toObject().required(u"b"); },
                    u"$.a.b"_s, u"The required key is missing."_s},
        FailureCase{"NestedPath", R"({"rules": [{}, {}, {"condition": {"not": {"_0": 1}}}]})",
                    [](const auto &o) {
                        (void)o.required(u"rules")
                            .toArray()
                            .at(2)
                            .toObject()
                            .required(u"condition")
                            .toObject()
                            .required(u"not")
                            .toObject()
                            .required(u"_0")
                            .toObject();
                    },
                    u"$.rules[2].condition.not._0"_s, u"Expected an object, found the number 1."_s},
        FailureCase{"QuotedKey", R"({"com.example.app": 3})",
                    [](const auto &o) { (void)o.required(u"com.example.app").toString(); },
                    uR"($["com.example.app"])"_s, u"Expected a string, found the number 3."_s},
        FailureCase{"StringAsNumber", R"({"n": "1"})",
                    [](const auto &o) { (void)o.required(u"n").toDouble(); }, u"$.n"_s,
                    u"Expected a number, found a string."_s},
        FailureCase{"BoolAsNumber", R"({"n": true})",
                    [](const auto &o) { (void)o.required(u"n").template toInt<int>(); }, u"$.n"_s,
                    u"Expected an integer, found a bool."_s},
        FailureCase{"NumberAsBool", R"({"b": 0})",
                    [](const auto &o) { (void)o.required(u"b").toBool(); }, u"$.b"_s,
                    u"Expected a bool, found the number 0."_s},
        FailureCase{"NullForRequiredString", R"({"s": null})",
                    [](const auto &o) { (void)o.template required<QString>(u"s"); }, u"$.s"_s,
                    u"Expected a string, found null."_s},
        FailureCase{"FractionAsInt", R"({"n": 6.5})",
                    [](const auto &o) { (void)o.required(u"n").template toInt<int>(); }, u"$.n"_s,
                    u"Expected an integer, found the number 6.5."_s},
        FailureCase{"OutOfRangeInt32", R"({"n": 2147483648})",
                    [](const auto &o) { (void)o.template required<int>(u"n"); }, u"$.n"_s,
                    u"The integer 2147483648 is out of range (-2147483648 to 2147483647)."_s},
        FailureCase{"NegativeForUnsigned", R"({"n": -1})",
                    [](const auto &o) { (void)o.required(u"n").template toInt<quint16>(); },
                    u"$.n"_s, u"The integer -1 is out of range (0 to 65535)."_s},
        FailureCase{"OutOfRangeInt64", R"({"n": 9223372036854775808})",
                    [](const auto &o) { (void)o.required(u"n").toInteger(); }, u"$.n"_s,
                    u"The integer 9223372036854775808 is out of range (-9223372036854775808 to "
                    "9223372036854775807)."_s},
        FailureCase{"HugeAsInt", R"({"n": 1e300})",
                    [](const auto &o) { (void)o.required(u"n").toInteger(); }, u"$.n"_s,
                    u"The integer 1e+300 is out of range (-9223372036854775808 to "
                    "9223372036854775807)."_s},
        FailureCase{"ArrayElementType", R"({"a": [1, 2, "3"]})",
                    [](const auto &o) { (void)o.required(u"a").toArray().template map<int>(); },
                    u"$.a[2]"_s, u"Expected an integer, found a string."_s},
        FailureCase{"IndexOutOfRange", R"({"a": []})",
                    [](const auto &o) { (void)o.required(u"a").toArray().at(0); }, u"$.a[0]"_s,
                    u"The index is out of range (the array has 0 elements)."_s},
        FailureCase{"OptionalPresentWithWrongType", R"({"s": 1})",
                    [](const auto &o) { (void)o.template optional<QString>(u"s"); }, u"$.s"_s,
                    u"Expected a string, found the number 1."_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(JsonReader, ReadsTypedValuesAndIgnoresUnknownKeys) {
    const JsonObjectRef o = document(
        R"({"i": 20.0, "e": 2e1, "big": 1e16, "neg": -3, "d": 0.25, "s": "x", "b": false,
            "list": [1, 2, 3], "null": null, "unknown": {"deep": [true]}})");
    EXPECT_EQ(o.required<int>(u"i"), 20);
    EXPECT_EQ(o.required(u"e").toInt<quint8>(), 20);
    EXPECT_EQ(o.required<qint64>(u"big"), 10000000000000000);
    EXPECT_EQ(o.required<qint16>(u"neg"), -3);
    EXPECT_EQ(o.required<double>(u"d"), 0.25);
    EXPECT_EQ(o.required<double>(u"neg"), -3.0);
    EXPECT_EQ(o.required<QString>(u"s"), u"x"_s);
    EXPECT_FALSE(o.required<bool>(u"b"));
    EXPECT_EQ(o.required(u"list").toArray().map<int>(), (QList<int>{1, 2, 3}));
    EXPECT_EQ(o.optional<QString>(u"absent"), std::nullopt);
    EXPECT_EQ(o.optional<QString>(u"null"), std::nullopt);
    EXPECT_TRUE(o.required(u"null").isNull());
    EXPECT_EQ(o.optional<QString>(u"s"), u"x"_s);
}

TEST(JsonReader, IntegerLimitsOfEachWidth) {
    const JsonObjectRef o = document(
        R"({"max": 9223372036854775807, "min": -9223372036854775808, "u8": 255, "u64": 18446744073709551615})");
    EXPECT_EQ(o.required<qint64>(u"max"), std::numeric_limits<qint64>::max());
    EXPECT_EQ(o.required<qint64>(u"min"), std::numeric_limits<qint64>::min());
    EXPECT_EQ(o.required<quint8>(u"u8"), 255);
    EXPECT_EQ(o.required<quint64>(u"max"), quint64(std::numeric_limits<qint64>::max()));
    EXPECT_THROW((void)o.required<qint8>(u"u8"), DecodeError);
    EXPECT_THROW((void)o.required<quint64>(u"u64"), DecodeError);
}

TEST(JsonReader, UuidOnlyInHyphenatedForm) {
    const QUuid expected = QUuid::fromString(u"67c8770b-44f1-410a-ab9a-f9b5446f13ee"_s);
    const struct {
        QString text;
        bool accepted;
    } cases[] = {
        {u"67c8770b-44f1-410a-ab9a-f9b5446f13ee"_s, true},
        {u"67C8770B-44F1-410A-AB9A-F9B5446F13EE"_s, true},
        {u"{67c8770b-44f1-410a-ab9a-f9b5446f13ee}"_s, false},
        {u"67c8770b44f1410aab9af9b5446f13ee"_s, false},
        {u"67c8770b-44f1-410a-ab9a-f9b5446f13e"_s, false},
        {u"67c8770b-44f1-410a-ab9a-f9b5446f13eg"_s, false},
        {u"67c8770b_44f1-410a-ab9a-f9b5446f13ee"_s, false},
        {u" 67c8770b-44f1-410a-ab9a-f9b5446f13e"_s, false},
    };
    for (const auto &c : cases) {
        const JsonValueRef value{QJsonValue(c.text)};
        if (c.accepted) {
            EXPECT_EQ(value.toUuid(), expected) << c.text.toStdString();
        } else {
            EXPECT_THROW((void)value.toUuid(), DecodeError) << c.text.toStdString();
        }
    }
}

} // namespace
