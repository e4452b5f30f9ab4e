#include "jsonenum.h"
#include "jsonwriter.h"
#include "qstringprinter.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

const QStringList kCases{u"onBattery"_s, u"charging"_s, u"batteryBelow"_s, u"moveItem"_s};

JsonEnumCase decode(const char *json) {
    const JsonValueRef root(parseJson(QByteArray(json)));
    return decodeEnumCase(root.toObject().required(u"condition"), kCases);
}

struct EnumFailure {
    const char *name;
    const char *json;
    QString path;
    QString reason;
};

class EnumFailures : public testing::TestWithParam<EnumFailure> {};

TEST_P(EnumFailures, FailAtTheRightPath) {
    try {
        (void)decode(GetParam().json);
        FAIL() << "decoded without error";
    } catch (const DecodeError &error) {
        EXPECT_EQ(error.path(), GetParam().path);
        EXPECT_EQ(error.reason(), GetParam().reason);
    }
}

const QString kInvalidKeys = u"Invalid number of keys found, expected one."_s;

INSTANTIATE_TEST_SUITE_P(
    Json, EnumFailures,
    testing::Values(EnumFailure{"NoKeys", R"({"condition": {}})", u"$.condition"_s, kInvalidKeys},
                    EnumFailure{"OnlyUnknownKeys", R"({"condition": {"sunny": {}}})",
                                u"$.condition"_s, kInvalidKeys},
                    EnumFailure{"TwoCaseKeys",
                                R"({"condition": {"onBattery": {}, "charging": {}}})",
                                u"$.condition"_s, kInvalidKeys},
                    EnumFailure{"PayloadNotObject", R"({"condition": {"charging": true}})",
                                u"$.condition.charging"_s, u"Expected an object, found a bool."_s},
                    EnumFailure{"PayloadNull", R"({"condition": {"charging": null}})",
                                u"$.condition.charging"_s, u"Expected an object, found null."_s},
                    EnumFailure{"NotAnObject", R"({"condition": ["onBattery"]})", u"$.condition"_s,
                                u"Expected an object, found an array."_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(JsonEnum, IgnoresUnknownKeysBesideAndInsideTheCase) {
    const JsonEnumCase found =
        decode(R"({"condition": {"sunny": 1, "batteryBelow": {"_0": 20, "_9": "x"}}})");
    EXPECT_EQ(found.name, u"batteryBelow"_s);
    EXPECT_EQ(found.payload.required<int>(u"_0"), 20);
    EXPECT_EQ(found.payload.path(), u"$.condition.batteryBelow"_s);
}

TEST(JsonEnum, EncodesEachPayloadCount) {
    const auto compact = [](const QJsonObject &object) {
        return writeJson(object, JsonFormat::compact()).value_or("");
    };
    EXPECT_EQ(compact(encodeEnumCase(u"onBattery"_s)), R"({"onBattery":{}})");
    EXPECT_EQ(compact(encodeEnumCase(u"batteryBelow"_s, 20)), R"({"batteryBelow":{"_0":20}})");
    EXPECT_EQ(compact(encodeEnumCase(u"moveItem"_s, u"a"_s, u"hidden"_s)),
              R"({"moveItem":{"_0":"a","_1":"hidden"}})");
    const JsonEnumCase back =
        decodeEnumCase(JsonValueRef(encodeEnumCase(u"moveItem"_s, u"a"_s, u"hidden"_s)), kCases);
    EXPECT_EQ(back.name, u"moveItem"_s);
    EXPECT_EQ(back.payload.required<QString>(u"_1"), u"hidden"_s);
}

} // namespace
