#include "jsonreader.h"
#include "qstringprinter.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

QByteArray nestedArrays(int depth) {
    return QByteArray(depth, '[') + QByteArray(depth, ']');
}

QByteArray nestedObjects(int depth) {
    QByteArray bytes;
    for (int i = 0; i < depth; ++i) {
        bytes += R"({"k":)";
    }
    bytes += "0";
    return bytes + QByteArray(depth, '}');
}

QString parseFailure(const QByteArray &bytes) {
    try {
        (void)parseJson(bytes);
    } catch (const DecodeError &error) {
        EXPECT_EQ(error.path(), u"$"_s);
        return error.reason();
    }
    return {};
}

const QString kTooDeep = u"The document is nested deeper than 200 levels."_s;

TEST(JsonParse, AcceptsNestingUpToTheLimit) {
    EXPECT_TRUE(parseJson(nestedArrays(kMaxJsonNesting)).isArray());
    EXPECT_TRUE(parseJson(nestedObjects(kMaxJsonNesting)).isObject());
}

TEST(JsonParse, RefusesDeeperNestingCleanly) {
    EXPECT_EQ(parseFailure(nestedArrays(kMaxJsonNesting + 1)), kTooDeep);
    EXPECT_EQ(parseFailure(nestedObjects(kMaxJsonNesting + 1)), kTooDeep);
    EXPECT_EQ(parseFailure(nestedArrays(100000)), kTooDeep);
    EXPECT_EQ(parseFailure(QByteArray(100000, '[')), kTooDeep);
    EXPECT_EQ(parseFailure("[" + nestedObjects(kMaxJsonNesting) + "]"), kTooDeep);
}

TEST(JsonParse, BracketsInsideStringsDoNotCount) {
    const QByteArray text = R"(["\"[[[[", "{{{{\\"])";
    QByteArray bytes = nestedArrays(kMaxJsonNesting - 1);
    bytes.insert(kMaxJsonNesting - 1, QByteArray(kMaxJsonNesting, '[').prepend("\"").append("\""));
    EXPECT_NO_THROW((void)parseJson(bytes));
    EXPECT_EQ(parseJson(text).toArray().at(1).toString(), uR"({{{{\)"_s);
}

TEST(JsonParse, RefusesWhatIsNotADocument) {
    const struct {
        QByteArray bytes;
        const char *reasonStart;
    } cases[] = {
        {"", "The data is not valid JSON"},         {"[1,]", "The data is not valid JSON"},
        {"{} x", "The data is not valid JSON"},     {"[1e400]", "The data is not valid JSON"},
        {"[NaN]", "The data is not valid JSON"},    {"20", "The data is not valid JSON"},
        {"\"text\"", "The data is not valid JSON"}, {"null", "The data is not valid JSON"},
    };
    for (const auto &c : cases) {
        EXPECT_TRUE(parseFailure(c.bytes).startsWith(QLatin1StringView(c.reasonStart)))
            << c.bytes.constData();
    }
    EXPECT_EQ(parseJson(R"({"a": 1, "a": 2})").toObject().value(u"a"_s).toInt(), 2);
}

} // namespace
