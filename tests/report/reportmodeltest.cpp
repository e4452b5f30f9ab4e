#include "reportfixture.h"

#include "eventloopwait.h"
#include "reportfallback.h"
#include "zorvreportcontent.h"

#include <QTest>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

using namespace ReportProblem;
using Behaviour = LoopbackHttpServer::Behaviour;
using Kind = ReportSheetPhase::Kind;

struct ReplyCase {
    const char *name;
    Behaviour behaviour;
    int status;
    QByteArray body;
    // Why the report was not sent; empty when it was. No status: nothing listens.
    QString reason;
    // Extra answer headers; "{elsewhere}" in a value stands for a second server's address.
    QList<QPair<QByteArray, QByteArray>> headers = {};
    // What CutShort announces, or how much a flood streams.
    qint64 announced = 0;
    // Sent on a clock in fast-forward mode, to a server that answers after a delay of real time.
    bool fastTime = false;
};

QByteArray jsonOfSize(qsizetype size) {
    const QByteArray start = R"({"id":"R-1","pad":")";
    return start + QByteArray(size - start.size() - 2, 'x') + R"("})";
}

const QString redirected = u"Could not reach Brindlecot (%1)."_s.arg(Uploader::redirected);
const QString tooLong = u"Could not reach Brindlecot (%1)."_s.arg(Uploader::tooLong);

class ReportReplyTest : public ReportTest, public ::testing::WithParamInterface<ReplyCase> {};

// A sent report is one POST with the two headers and the whole body; the text stays in the
// window and the draft is cleared either way.
TEST_P(ReportReplyTest, endsSentOrSavedWithTheReason) {
    const ReplyCase &c = GetParam();
    diagnostics = u"events/1"_s;
    server.setBehaviour(c.behaviour, c.status, c.body);
    server.setAnnouncedLength(c.announced);
    LoopbackHttpServer elsewhere;
    elsewhere.setBehaviour(Behaviour::Answer, 201, R"({"id":"R-elsewhere"})");
    auto headers = c.headers;
    for (auto &header : headers) {
        header.second.replace("{elsewhere}", elsewhere.url(u"/report"_s).toEncoded());
    }
    server.setExtraHeaders(headers);
    if (c.status == 0 && c.behaviour == Behaviour::Answer) {
        endpoint = LoopbackHttpServer::unusedUrl(u"/report"_s);
    }
    const QString text = u"\nIt broke.\n\n  Twice.\n"_s;
    draft.text = text;
    const auto model = makeModel(text);
    clock.setFastForward(c.fastTime);
    model->send();
    if (c.fastTime) {
        ASSERT_TRUE(runEventLoopUntil(
            [&] { return !std::holds_alternative<ReportProblem::Sending>(model->phase()); },
            std::chrono::milliseconds(5000)));
    }
    if (c.behaviour == Behaviour::Hold) {
        ASSERT_TRUE(server.waitForRequests(1));
        clock.advance(seconds(19.9));
        QTest::qWait(5);
        EXPECT_EQ(model->phase(), Phase(Sending{}));
        clock.advance(seconds(0.1));
    }
    ASSERT_TRUE(waitWhileSending(*model));
    server.answerHeld();

    EXPECT_TRUE(draft.text.isEmpty());
    EXPECT_EQ(model->text(), text);
    // Neither the body nor the token follow a redirect; a flood is not read to its end.
    QTest::qWait(5);
    EXPECT_TRUE(elsewhere.requests().isEmpty());
    EXPECT_LT(server.bytesFlooded(), 16 * 1024 * 1024);
    if (c.reason.isEmpty()) {
        EXPECT_EQ(model->phase(), Phase(Sent{u"R-1"_s}));
        EXPECT_EQ(records, (QStringList{u"sending report"_s, u"report sent as R-1"_s}));
        EXPECT_TRUE(desktopFiles().isEmpty());
        ASSERT_EQ(server.requests().size(), 1);
        const auto &request = server.requests().first();
        EXPECT_EQ(request.method + ' ' + request.path, "POST /report");
        EXPECT_EQ(request.headerValues("Content-Type"), QList<QByteArray>{"application/json"});
        EXPECT_EQ(request.headerValues("X-BC-App-Token"), QList<QByteArray>{token.toUtf8()});
        for (const auto &header : request.headers) {
            EXPECT_FALSE(header.first.startsWith("X-") && header.first != "X-BC-App-Token");
        }
        EXPECT_EQ(request.body, R"j({"appName":"Zorv","build":"142","bundleId":"app.zorv.Zorv",)j"
                                R"j("diagnostics":"events\/1","installId":"INSTALL-1",)j"
                                R"j("macOS":"Version 14.5 (Build 23F79)","machine":"Mac14,2",)j"
                                R"j("text":"It broke.\n\n  Twice.","version":"1.4.2"})j");
        return;
    }
    EXPECT_EQ(model->phase(), Phase(Saved{desktopFolder.filePath(fallbackName), c.reason}));
    EXPECT_EQ(records, (QStringList{u"sending report"_s, u"report not sent (%1); saved %2"_s.arg(
                                                             c.reason, fallbackName)}));
    EXPECT_EQ(desktopFiles(), QStringList{fallbackName});
    EXPECT_EQ(readDesktopFile(fallbackName),
              Fallback::text(u"Zorv"_s, Facts::current(desktop.systemFacts()), u"INSTALL-1"_s, text,
                             diagnostics)
                  .toUtf8());
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReportReplyTest,
    ::testing::Values(
        ReplyCase{"createdWithId", Behaviour::Answer, 201, R"({"id":"R-1"})", {}},
        ReplyCase{"okWithNumericId", Behaviour::Answer, 200, R"({"id":7})",
                  u"Brindlecot answered 200."_s},
        ReplyCase{"okWithoutBody", Behaviour::Answer, 200, "", u"Brindlecot answered 200."_s},
        ReplyCase{"refusedWithError", Behaviour::Answer, 400, R"({"error":"text missing"})",
                  u"Brindlecot said: text missing."_s},
        ReplyCase{"refusedWithoutError", Behaviour::Answer, 404, "<html>gone</html>",
                  u"Brindlecot answered 404."_s},
        ReplyCase{"failedWithError", Behaviour::Answer, 500, R"({"error":"down","id":"R-2"})",
                  u"Brindlecot said: down."_s},
        ReplyCase{"failedWithoutError", Behaviour::Answer, 503, R"({"error":null})",
                  u"Brindlecot answered 503."_s},
        ReplyCase{"answerAfterTheTimeOut", Behaviour::Hold, 201, R"({"id":"R-1"})",
                  u"Could not reach Brindlecot (The request timed out.)."_s},
        ReplyCase{"answerWithinTheTimeOutInFastTime",
                  Behaviour::Delay,
                  201,
                  R"({"id":"R-1"})",
                  {},
                  {},
                  0,
                  true},
        ReplyCase{"closedWithoutAnswer", Behaviour::Close, 200, QByteArray(),
                  u"Could not reach Brindlecot (Connection closed)."_s},
        ReplyCase{"nothingListening", Behaviour::Answer, 0, QByteArray(),
                  u"Could not reach Brindlecot (Connection refused)."_s},
        ReplyCase{"foundElsewhere",
                  Behaviour::Answer,
                  302,
                  R"({"id":"R-1"})",
                  redirected,
                  {{"Location", "{elsewhere}"}}},
        ReplyCase{"temporarilyElsewhere",
                  Behaviour::Answer,
                  307,
                  R"({"id":"R-1"})",
                  redirected,
                  {{"Location", "{elsewhere}"}}},
        ReplyCase{"permanentlyElsewhereWithError",
                  Behaviour::Answer,
                  308,
                  R"({"error":"moved"})",
                  redirected,
                  {{"Location", "{elsewhere}"}}},
        ReplyCase{"choicesWithoutAnAddress", Behaviour::Answer, 300, "",
                  u"Brindlecot answered 300."_s},
        ReplyCase{"cutShort",
                  Behaviour::CutShort,
                  201,
                  R"({"id":"R-1"})",
                  u"Could not reach Brindlecot (Connection closed)."_s,
                  {},
                  100},
        ReplyCase{"exactly64KiB", Behaviour::Answer, 201, jsonOfSize(64 * 1024), {}},
        ReplyCase{"oneBytePast64KiB", Behaviour::Answer, 201, jsonOfSize(64 * 1024 + 1), tooLong},
        ReplyCase{"floodOf100MB", Behaviour::Flood, 201, QByteArray(), tooLong, {}, 100'000'000},
        ReplyCase{"floodOf100MBWithoutLength",
                  Behaviour::FloodUnannounced,
                  201,
                  QByteArray(),
                  tooLong,
                  {},
                  100'000'000},
        ReplyCase{"refusedInHtml", Behaviour::Answer, 500,
                  R"({"error":"<h1 style='color:red'>Down</h1>"})",
                  u"Brindlecot said: <h1 style='color:red'>Down</h1>."_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ReportTest, aFailedSendThatCannotSaveGoesBackToWritingWithTheTextKept) {
    server.setBehaviour(Behaviour::Answer, 500);
    Services broken = services();
    // Below a file: no folder can be made there.
    broken.desktopFolder = u"/dev/null/Desktop"_s;
    Model model(config(), broken, draft, QString());
    model.setText(u"Lost?"_s);
    model.send();
    ASSERT_TRUE(waitWhileSending(model));

    EXPECT_EQ(model.phase(), Phase(Writing{}));
    EXPECT_EQ(records.last(), u"report not sent (Brindlecot answered 500.); saved nothing"_s);
    EXPECT_EQ(draft.text, u"Lost?"_s);
    EXPECT_TRUE(model.canSend());
}

TEST_F(ReportTest, aBodyThatCannotBeWrittenIsNotPostedButSaved) {
    serialise = [](const QJsonObject &) { return std::optional<QByteArray>(); };
    const auto model = makeModel(u"It broke."_s);
    model->send();

    EXPECT_EQ(model->phase(),
              Phase(Saved{desktopFolder.filePath(fallbackName), Model::unpreparedReason}));
    EXPECT_EQ(records, QStringList{u"report not sent (%1); saved %2"_s.arg(Model::unpreparedReason,
                                                                           fallbackName)});
    QTest::qWait(5);
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(ReportTest, operationsOutOfTurnDoNothing) {
    struct Case {
        const char *name;
        QString text;
        bool allowed;
        std::optional<QString> supportEmail;
        Phase phase;
    };
    const Case cases[] = {
        {"blank text", u" \n\t\n "_s, true, u"help@example.com"_s, Writing{}},
        {"sending switched off, no address", u"It broke."_s, false, std::nullopt, Writing{}},
        {"sending", u"It broke."_s, true, u"help@example.com"_s, Sending{}},
        {"sent", u"It broke."_s, true, u"help@example.com"_s, Sent{u"R-1"_s}},
    };
    for (const Case &c : cases) {
        supportEmail = c.supportEmail;
        const auto model = makeModel(c.text);
        model->setSendingAllowed(c.allowed);
        model->showPhase(c.phase);
        records.clear();
        model->send();
        model->emailInstead();
        model->backToWriting();
        EXPECT_EQ(model->phase(), c.phase) << c.name;
        EXPECT_TRUE(records.isEmpty()) << c.name;
    }
    QTest::qWait(5);
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_TRUE(desktopFiles().isEmpty());
    EXPECT_TRUE(workspace.openedUrls().isEmpty());
}

TEST_F(ReportTest, fallBackFilesOfOneMinuteGetTheirOwnNamesAndNoneIsReplaced) {
    // The first makes the Desktop, which someone removed.
    ASSERT_TRUE(QDir(desktopFolder.path()).removeRecursively());
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Fallback::save(u"report %1"_s.arg(i), u"Zorv"_s, desktopFolder.path(),
                                   clock.wallNow().addSecs(i * 10)));
    }
    EXPECT_FALSE(Fallback::save(u"x"_s, u"Zorv"_s, u"/dev/null/Desktop"_s, clock.wallNow()));
    EXPECT_EQ(desktopFiles(), (QStringList{u"Zorv-report-2026-03-07-0915-2.txt"_s,
                                           u"Zorv-report-2026-03-07-0915-3.txt"_s, fallbackName}));
    EXPECT_EQ(readDesktopFile(fallbackName), "report 0");
    EXPECT_EQ(readDesktopFile(u"Zorv-report-2026-03-07-0915-3.txt"_s), "report 2");
}

TEST_F(ReportTest, emailInsteadSavesTheFileOpensAMailAndComesBackToWriting) {
    supportEmail = u"help@example.com"_s;
    const auto model = makeModel(u" It broke. "_s);
    model->emailInstead();

    const QString file = desktopFolder.filePath(fallbackName);
    EXPECT_EQ(model->phase(), Phase(Emailed{file}));
    EXPECT_TRUE(draft.text.isEmpty());
    ASSERT_EQ(workspace.openedUrls().size(), 1);
    const QUrl mail = workspace.openedUrls().first();
    EXPECT_EQ(mail.scheme() + u':' + mail.path(), u"mailto:help@example.com"_s);
    const QUrlQuery query(mail);
    EXPECT_EQ(query.queryItemValue(u"subject"_s, QUrl::FullyDecoded), u"Zorv problem report"_s);
    EXPECT_EQ(query.queryItemValue(u"body"_s, QUrl::FullyDecoded),
              u"Attached: Zorv-report-2026-03-07-0915.txt, from my Desktop."_s);
    EXPECT_EQ(desktop.fileViewer().revealedFiles(), QStringList{file});

    model->backToWriting();
    EXPECT_EQ(model->phase(), Phase(Writing{}));
    EXPECT_EQ(draft.text, u" It broke. "_s);
    EXPECT_EQ(records, (QStringList{u"report saved for email as "_s + fallbackName,
                                    u"report back from email"_s}));
}

TEST_F(ReportTest, theSendingSwitchIsStoredAndRecorded) {
    bool stored = true;
    consent = Consent{[] { return false; }, [&stored](bool value) { stored = value; }};
    const auto model = makeModel(u"It broke."_s);
    EXPECT_FALSE(model->canSend());
    model->setSendingAllowed(true);
    EXPECT_TRUE(model->canSend());
    model->setSendingAllowed(false);
    EXPECT_FALSE(stored);
    EXPECT_EQ(records,
              (QStringList{u"report sending switched on"_s, u"report sending switched off"_s}));
}

// Also: only a saved or mailed report can be shown in the file viewer, only a number copied.
TEST_F(ReportTest, mapsTheModelPhasesOntoTheSheetScreens) {
    struct Case {
        Phase phase;
        std::optional<QString> supportEmail;
        ReportSheetPhase expected;
    };
    const Case cases[] = {
        {Writing{}, std::nullopt, {.kind = Kind::Writing}},
        {Sending{}, std::nullopt, {.kind = Kind::Sending}},
        {Sent{u"R-7K3QXM"_s}, std::nullopt, {.kind = Kind::Sent, .id = u"R-7K3QXM"_s}},
        {Saved{u"/d/a.txt"_s, u"Brindlecot answered 500."_s},
         std::nullopt,
         {.kind = Kind::Saved, .fileName = u"a.txt"_s, .why = u"Brindlecot answered 500."_s}},
        {Emailed{u"/d/b.txt"_s},
         u"help@example.com"_s,
         {.kind = Kind::Saved,
          .fileName = u"b.txt"_s,
          .why = u"A new mail to help@example.com has the report attached."_s}},
        {Emailed{u"/d/c.txt"_s},
         std::nullopt,
         {.kind = Kind::Saved,
          .fileName = u"c.txt"_s,
          .why = u"A new mail to support has the report attached."_s}},
    };
    for (const Case &c : cases) {
        supportEmail = c.supportEmail;
        const auto model = makeModel(QString());
        model->showPhase(c.phase);
        ZorvReportContent content(*model, clock, desktop.pasteboard(), desktop.fileViewer());
        EXPECT_EQ(content.phase(), c.expected) << ::testing::PrintToString(c.phase);
        content.showFile();
        content.copyNumber();
    }
    EXPECT_EQ(desktop.fileViewer().revealedFiles(),
              (QStringList{u"/d/a.txt"_s, u"/d/b.txt"_s, u"/d/c.txt"_s}));
    EXPECT_EQ(desktop.pasteboard().plainText(), u"R-7K3QXM"_s);
}

TEST_F(ReportTest, copiedShowsForOneAndAHalfSecondsAfterEachCopy) {
    const auto model = makeModel(QString());
    model->showPhase(Sent{u"R-7K3QXM"_s});
    ZorvReportContent content(*model, clock, desktop.pasteboard(), desktop.fileViewer());
    desktop.pasteboard().setPlainText(u"earlier"_s);

    content.copyNumber();
    EXPECT_EQ(desktop.pasteboard().plainText(), u"R-7K3QXM"_s);
    EXPECT_TRUE(content.copied());
    clock.advance(std::chrono::milliseconds(1000));
    content.copyNumber();
    clock.advance(std::chrono::milliseconds(499));
    EXPECT_TRUE(content.copied());
    // The first copy's reset is not put off by the second copy.
    clock.advance(std::chrono::milliseconds(1));
    EXPECT_FALSE(content.copied());
    content.copyNumber();
    clock.advance(std::chrono::milliseconds(999));
    EXPECT_TRUE(content.copied());
    clock.advance(std::chrono::milliseconds(1));
    EXPECT_FALSE(content.copied());
}

} // namespace
} // namespace zorv::testing
