#include "reportfixture.h"

#include "reportfallback.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

using namespace ReportProblem;

const QString fallbackName = u"Zorv-report-2026-03-07-0915.txt"_s;

TEST_F(ReportTest, postsOneRequestWithTheTwoHeadersAndTheWholeBody) {
    diagnostics = u"events/1"_s;
    server.answerWith(201, R"({"id":"R-7K3QXM"})");
    const auto model = makeModel(u"  Two icons stayed hidden.\n"_s);
    model->send();
    ASSERT_TRUE(waitWhileSending(*model));

    ASSERT_EQ(server.requests().size(), 1);
    const auto &request = server.requests().first();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.path, "/report");
    EXPECT_EQ(request.headerValues("Content-Type"), QList<QByteArray>{"application/json"});
    EXPECT_EQ(request.headerValues("X-BC-App-Token"), QList<QByteArray>{token.toUtf8()});
    for (const auto &[name, value] : request.headers) {
        EXPECT_FALSE(name.startsWith("X-") && name != "X-BC-App-Token") << name.constData();
    }
    EXPECT_EQ(request.body, R"j({"appName":"Zorv","build":"142","bundleId":"app.zorv.Zorv",)j"
                            R"j("diagnostics":"events\/1","installId":"INSTALL-1",)j"
                            R"j("macOS":"Version 14.5 (Build 23F79)","machine":"Mac14,2",)j"
                            R"j("text":"Two icons stayed hidden.","version":"1.4.2"})j");

    EXPECT_EQ(model->phase(), Phase(Sent{u"R-7K3QXM"_s}));
    EXPECT_EQ(records, (QStringList{u"sending report"_s, u"report sent as R-7K3QXM"_s}));
    EXPECT_EQ(model->text(), u"  Two icons stayed hidden.\n"_s);
    EXPECT_TRUE(draft.text.isEmpty());
    EXPECT_TRUE(desktopFiles().isEmpty());
}

enum class Answer { Normally, Late, Closing, NothingListening };

struct ReplyCase {
    const char *name;
    Answer answer;
    int status;
    QByteArray body;
    // The reason the report was not sent; empty when it was.
    QString reason;
};

void PrintTo(const ReplyCase &c, std::ostream *out) {
    *out << c.name;
}

class ReportReplyCaseTest : public ReportTest, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(ReportReplyCaseTest, endsSentOrSavedWithTheReason) {
    const ReplyCase &c = GetParam();
    switch (c.answer) {
    case Answer::Normally:
        server.answerWith(c.status, c.body);
        break;
    case Answer::Late:
        server.answerWith(c.status, c.body);
        server.holdAnswers();
        break;
    case Answer::Closing:
        server.closeWithoutAnswer();
        break;
    case Answer::NothingListening:
        endpoint = LoopbackHttpServer::unusedUrl(u"/report"_s);
        break;
    }
    const QString text = u"\nIt broke.\n\n  Twice.\n"_s;
    draft.text = text;
    const auto model = makeModel(text);
    model->send();
    EXPECT_EQ(model->phase(), Phase(Sending{}));
    if (c.answer == Answer::Late) {
        ASSERT_TRUE(server.waitForRequests(1));
        clock.advance(seconds(19.9));
        QTest::qWait(10);
        EXPECT_EQ(model->phase(), Phase(Sending{}));
        clock.advance(seconds(0.1));
    }
    ASSERT_TRUE(waitWhileSending(*model));
    if (c.answer == Answer::Late) {
        server.answerHeld();
        QTest::qWait(10);
    }

    if (c.reason.isEmpty()) {
        EXPECT_EQ(model->phase(), Phase(Sent{u"R-1"_s}));
        EXPECT_TRUE(desktopFiles().isEmpty());
        return;
    }
    const QString file = QDir(desktopFolder.path()).filePath(fallbackName);
    EXPECT_EQ(model->phase(), Phase(Saved{file, c.reason}));
    EXPECT_EQ(records, (QStringList{u"sending report"_s, u"report not sent ("_s + c.reason +
                                                             u"); saved "_s + fallbackName}));
    EXPECT_EQ(desktopFiles(), QStringList{fallbackName});
    EXPECT_EQ(readDesktopFile(fallbackName),
              Fallback::text(u"Zorv"_s, Facts::current(desktop.systemFacts()), u"INSTALL-1"_s, text,
                             diagnostics)
                  .toUtf8());
    EXPECT_TRUE(draft.text.isEmpty());
    EXPECT_EQ(model->text(), text);
    EXPECT_FALSE(model->canSend());
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReportReplyCaseTest,
    ::testing::Values(ReplyCase{"createdWithId", Answer::Normally, 201, R"({"id":"R-1"})", {}},
                      ReplyCase{"okWithNumericId", Answer::Normally, 200, R"({"id":7})",
                                u"Brindlecot answered 200."_s},
                      ReplyCase{"okWithoutBody", Answer::Normally, 200, "",
                                u"Brindlecot answered 200."_s},
                      ReplyCase{"refusedWithError", Answer::Normally, 400,
                                R"({"error":"text missing"})", u"Brindlecot said: text missing."_s},
                      ReplyCase{"refusedWithoutError", Answer::Normally, 404, "<html>gone</html>",
                                u"Brindlecot answered 404."_s},
                      ReplyCase{"failedWithError", Answer::Normally, 500,
                                R"({"error":"down","id":"R-2"})", u"Brindlecot said: down."_s},
                      ReplyCase{"failedWithoutError", Answer::Normally, 503, R"({"error":null})",
                                u"Brindlecot answered 503."_s},
                      ReplyCase{"answerAfterTheTimeOut", Answer::Late, 201, R"({"id":"R-1"})",
                                u"Could not reach Brindlecot (The request timed out.)."_s},
                      ReplyCase{"closedWithoutAnswer",
                                Answer::Closing,
                                0,
                                {},
                                u"Could not reach Brindlecot (Connection closed)."_s},
                      ReplyCase{"nothingListening",
                                Answer::NothingListening,
                                0,
                                {},
                                u"Could not reach Brindlecot (Connection refused)."_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ReportTest, aFailedSendWhoseFileCannotBeWrittenGoesBackToWritingWithTheTextKept) {
    server.answerWith(500, "");
    const auto model = std::make_unique<Model>(
        config(),
        [this] {
            Services s = services();
            s.desktopFolder = desktopFolder.filePath(u"missing"_s);
            return s;
        }(),
        draft, QString());
    model->setText(u"Lost?"_s);
    model->send();
    ASSERT_TRUE(waitWhileSending(*model));

    EXPECT_EQ(model->phase(), Phase(Writing{}));
    EXPECT_EQ(records.last(), u"report not sent (Brindlecot answered 500.); saved nothing"_s);
    EXPECT_EQ(draft.text, u"Lost?"_s);
    EXPECT_TRUE(model->canSend());
}

TEST_F(ReportTest, aBodyThatCannotBeWrittenIsNotPostedButSaved) {
    serialise = [](const QJsonObject &) { return std::optional<QByteArray>(); };
    const auto model = makeModel(u"It broke."_s);
    model->send();

    EXPECT_EQ(model->phase(), Phase(Saved{QDir(desktopFolder.path()).filePath(fallbackName),
                                          Model::unpreparedReason}));
    EXPECT_EQ(records, QStringList{u"report not sent ("_s + Model::unpreparedReason +
                                   u"); saved "_s + fallbackName});
    QTest::qWait(10);
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(ReportTest, sendDoesNothingUnlessWritingWithTextAndAllowed) {
    struct Case {
        const char *name;
        QString text;
        bool allowed;
        Phase phase;
    };
    const Case cases[] = {
        {"blank text", u" \n\t\n "_s, true, Writing{}},
        {"sending switched off", u"It broke."_s, false, Writing{}},
        {"already sending", u"It broke."_s, true, Sending{}},
        {"already sent", u"It broke."_s, true, Sent{u"R-1"_s}},
    };
    for (const Case &c : cases) {
        bool stored = true;
        consent = Consent{[] { return true; }, [&stored](bool value) { stored = value; }};
        const auto model = makeModel(c.text);
        model->setSendingAllowed(c.allowed);
        model->showPhase(c.phase);
        records.clear();
        model->send();
        EXPECT_EQ(model->phase(), c.phase) << c.name;
        EXPECT_TRUE(records.isEmpty()) << c.name;
        EXPECT_EQ(stored, c.allowed) << c.name;
    }
    QTest::qWait(10);
    EXPECT_TRUE(server.requests().isEmpty());
}

} // namespace
} // namespace zorv::testing
