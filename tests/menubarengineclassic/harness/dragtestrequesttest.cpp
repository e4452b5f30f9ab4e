#include "harness/dragtestrequest.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using Gesture = MoveCoordinator::Gesture;
constexpr double infinity = std::numeric_limits<double>::infinity();

struct RequestCase {
    const char *name;
    QJsonObject json;
    std::optional<DragTestRequest> request;
};

DragTestRequest drag(const QString &variant, double deltaX, Gesture gesture) {
    DragTestRequest request;
    request.form = DragTestRequest::Form::singleDrag;
    request.bundleID = u"com.example.tools"_s;
    request.variant = variant;
    request.deltaX = deltaX;
    request.gesture = gesture;
    return request;
}

DragTestRequest command(const QString &text, bool batch = true) {
    DragTestRequest request;
    request.command = text;
    request.batch = batch;
    return request;
}

DragTestRequest invalid(double deltaX, QStringList rejected,
                        const QString &variant = u"standard"_s) {
    DragTestRequest request = drag(variant, deltaX, DragTestRequest::variantGesture(variant));
    request.form = DragTestRequest::Form::invalidDrag;
    request.rejected = std::move(rejected);
    return request;
}

Gesture humanLikeHeld(quint32 hold) {
    Gesture gesture = DragTestRequest::variantGesture(u"humanLike"_s);
    gesture.holdBeforeMove = hold;
    return gesture;
}

QJsonObject dragOf(QJsonObject keys) {
    keys.insert(u"bundleID"_s, u"com.example.tools"_s);
    return keys;
}

class Requests : public ::testing::TestWithParam<RequestCase> {};

TEST_P(Requests, ReadTheRequestOrRefuseItsNumbers) {
    const auto request = DragTestRequest::fromJson(GetParam().json);
    ASSERT_EQ(request.has_value(), GetParam().request.has_value());
    if (request) {
        const DragTestRequest &expected = *GetParam().request;
        EXPECT_EQ(std::tuple(request->form, request->command, request->batch, request->bundleID,
                             request->variant, request->rejected),
                  std::tuple(expected.form, expected.command, expected.batch, expected.bundleID,
                             expected.variant, expected.rejected));
        if (expected.form != DragTestRequest::Form::invalidDrag) {
            EXPECT_EQ(request->gesture, expected.gesture);
        }
        EXPECT_TRUE(request->deltaX == expected.deltaX ||
                    (std::isnan(request->deltaX) && std::isnan(expected.deltaX)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    DragTestRequest, Requests,
    ::testing::Values(
        RequestCase{"CommandWinsOverTheDrag",
                    dragOf({{u"command"_s, u"sort"_s}, {u"deltaX"_s, qQNaN()}}),
                    command(u"sort"_s)},
        RequestCase{"BenchWithoutBatch",
                    {{u"command"_s, u"bench-sort"_s}, {u"batch"_s, false}},
                    command(u"bench-sort"_s, false)},
        RequestCase{"NeitherForm", {{u"command"_s, 3}, {u"bundleID"_s, true}}, std::nullopt},
        RequestCase{"Defaults", dragOf({}), drag(u"standard"_s, 60, Gesture::standard)},
        RequestCase{"UnknownVariantDragsTheStandardWay",
                    dragOf({{u"variant"_s, u"CommandKey"_s}, {u"deltaX"_s, -120}}),
                    drag(u"CommandKey"_s, -120, Gesture::standard)},
        RequestCase{"OverrideTruncated",
                    dragOf({{u"variant"_s, u"humanLike"_s}, {u"hold"_s, 1000.7}}),
                    drag(u"humanLike"_s, 60, humanLikeHeld(1000))},
        RequestCase{"WrongTypesCountAsAbsent",
                    dragOf({{u"deltaX"_s, u"far"_s}, {u"hold"_s, true}, {u"variant"_s, 2}}),
                    drag(u"standard"_s, 60, Gesture::standard)},
        RequestCase{"NonFiniteDistance", dragOf({{u"deltaX"_s, infinity}}),
                    invalid(infinity, {u"deltaX"_s})},
        RequestCase{"DistanceBeyondAnyBar", dragOf({{u"deltaX"_s, -2.0e6}}),
                    invalid(-2.0e6, {u"deltaX"_s})},
        RequestCase{"WaitsOutOfRange",
                    dragOf({{u"hold"_s, -1},
                            {u"dwell"_s, 4294967296.0},
                            {u"keySettle"_s, qQNaN()},
                            {u"postUpSettle"_s, 4294967295.0}}),
                    invalid(60, {u"dwell"_s, u"hold"_s, u"keySettle"_s})},
        RequestCase{"ZeroStep", dragOf({{u"stepPx"_s, 0}}), invalid(60, {u"stepPx"_s})},
        RequestCase{"NegativeStep", dragOf({{u"stepPx"_s, -40}}), invalid(60, {u"stepPx"_s})},
        RequestCase{"StepTooSmallForTheDistance", dragOf({{u"stepPx"_s, 1e-9}, {u"deltaX"_s, 10}}),
                    invalid(10, {u"stepPx"_s})},
        RequestCase{"VariantTooFineForTheDistance",
                    dragOf({{u"variant"_s, u"both"_s}, {u"deltaX"_s, 900000}}),
                    invalid(900000, {u"deltaX"_s}, u"both"_s)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DragTestRequest, AnInvalidRequestsRecordSaysSo) {
    const auto request =
        DragTestRequest::fromJson(dragOf({{u"deltaX"_s, qQNaN()}, {u"stepPx"_s, 0}}));
    ASSERT_TRUE(request);
    EXPECT_EQ(request->record(),
              (QJsonObject{{u"kind"_s, u"drag-test"_s},
                           {u"item"_s, u"com.example.tools"_s},
                           {u"variant"_s, u"standard"_s},
                           {u"deltaX"_s, QJsonValue()},
                           {u"outcome"_s, u"invalid request"_s},
                           {u"rejected"_s, QJsonArray{u"deltaX"_s, u"stepPx"_s}}}));
    const auto valid = DragTestRequest::fromJson(dragOf({{u"deltaX"_s, -30}}));
    EXPECT_EQ(valid->record(), (QJsonObject{{u"kind"_s, u"drag-test"_s},
                                            {u"item"_s, u"com.example.tools"_s},
                                            {u"variant"_s, u"standard"_s},
                                            {u"deltaX"_s, -30}}));
    EXPECT_EQ(valid->notOnBarRecord().value(u"outcome"_s), u"item not on the bar"_s);

    // Took only when the middle moved more than 6 points; a vanished item did not.
    const QJsonObject bar{{u"items"_s, QJsonArray()}};
    for (const auto &[afterX, took] : QList<std::pair<std::optional<double>, bool>>{
             {494, false}, {493.5, true}, {std::nullopt, false}}) {
        const QJsonObject measured = valid->measuredRecord(bar, bar, 123, 500, afterX);
        EXPECT_EQ(measured.value(u"took"_s), took) << afterX.value_or(-1);
        EXPECT_EQ(measured.value(u"afterX"_s), afterX.value_or(-1));
    }
    EXPECT_EQ(valid->measuredRecord(bar, bar, 123, 500, 470),
              (QJsonObject{{u"kind"_s, u"drag-test"_s},
                           {u"item"_s, u"com.example.tools"_s},
                           {u"variant"_s, u"standard"_s},
                           {u"deltaX"_s, -30},
                           {u"before"_s, bar},
                           {u"after"_s, bar},
                           {u"dragMs"_s, 123},
                           {u"fromX"_s, 500},
                           {u"toX"_s, 470},
                           {u"afterX"_s, 470},
                           {u"took"_s, true}}));
}

TEST(DragTestRequest, TakesTheFileOnceWhateverItHolds) {
    QTemporaryDir folder;
    const QString path = folder.filePath(DragTestRequest::fileName);
    const QList<std::pair<QByteArray, bool>> files{{R"({"command": "hide-icon"})", true},
                                                   {R"(["command"])", false},
                                                   {"{not json", false},
                                                   {R"({"deltaX": 10})", false}};
    for (const auto &[bytes, taken] : files) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        EXPECT_EQ(DragTestRequest::take(path).has_value(), taken) << bytes.constData();
        EXPECT_FALSE(QFile::exists(path)) << bytes.constData();
    }
    EXPECT_FALSE(DragTestRequest::take(path).has_value());
}

} // namespace
} // namespace zorv
