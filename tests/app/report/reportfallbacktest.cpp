#include "reportfixture.h"

#include "reportfallback.h"

#include <QDir>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

using namespace ReportProblem;

const Facts facts{u"app.zorv.Zorv"_s, u"1.4.2"_s, u"142"_s, u"Version 14.5 (Build 23F79)"_s,
                  u"Mac14,2"_s};

TEST(ReportFallbackTextTest, holdsTheFactsTheTrimmedTextAndTheWholeDiagnostics) {
    struct Case {
        QString text;
        QString diagnostics;
        QString expected;
    };
    const QString head = u"Zorv problem report\n"
                         u"Version   1.4.2 (142)\n"
                         u"macOS     Version 14.5 (Build 23F79)\n"
                         u"Mac       Mac14,2\n"
                         u"Install   INSTALL-1\n"
                         u"\n"
                         u"What happened:\n"_s;
    const Case cases[] = {
        {u"\n  First.\n\n  Second.\t\n"_s, u"Trusted   true\n\n===== a =====\nx\n"_s,
         head +
             u"First.\n\n  Second.\n\n===== diagnostics =====\nTrusted   true\n\n===== a =====\nx\n"_s},
        {u"One line"_s, QString(), head + u"One line\n\n===== diagnostics =====\n"_s},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Fallback::text(u"Zorv"_s, facts, u"INSTALL-1"_s, c.text, c.diagnostics),
                  c.expected);
    }
}

TEST_F(ReportTest, fallBackFilesOfOneMinuteGetTheirOwnNamesAndNoneIsReplaced) {
    const QDateTime now = clock.wallNow();
    const QStringList expected{u"Zorv-report-2026-03-07-0915-2.txt"_s,
                               u"Zorv-report-2026-03-07-0915-3.txt"_s,
                               u"Zorv-report-2026-03-07-0915.txt"_s};
    for (int i = 0; i < 3; ++i) {
        const auto path = Fallback::save(u"report %1"_s.arg(i), u"Zorv"_s, desktopFolder.path(),
                                         now.addSecs(i * 10));
        ASSERT_TRUE(path);
        EXPECT_EQ(readDesktopFile(QDir(*path).dirName()), u"report %1"_s.arg(i).toUtf8());
    }
    EXPECT_EQ(desktopFiles(), expected);
    EXPECT_EQ(readDesktopFile(expected.last()), "report 0");

    EXPECT_FALSE(Fallback::save(u"x"_s, u"Zorv"_s, desktopFolder.filePath(u"missing"_s), now));
    EXPECT_EQ(desktopFiles(), expected);
}

TEST_F(ReportTest, emailInsteadSavesTheFileOpensAMailAndComesBackToWriting) {
    supportEmail = u"help@example.com"_s;
    const auto model = makeModel(u" It broke. "_s);
    model->emailInstead();

    const QString file = desktopFolder.filePath(u"Zorv-report-2026-03-07-0915.txt"_s);
    EXPECT_EQ(model->phase(), Phase(Emailed{file}));
    EXPECT_TRUE(draft.text.isEmpty());
    ASSERT_EQ(workspace.openedUrls().size(), 1);
    const QUrl mail = workspace.openedUrls().first();
    EXPECT_EQ(mail.scheme(), u"mailto"_s);
    EXPECT_EQ(mail.path(), u"help@example.com"_s);
    const QUrlQuery query(mail);
    EXPECT_EQ(query.queryItemValue(u"subject"_s, QUrl::FullyDecoded), u"Zorv problem report"_s);
    EXPECT_EQ(query.queryItemValue(u"body"_s, QUrl::FullyDecoded),
              u"Attached: Zorv-report-2026-03-07-0915.txt, from my Desktop."_s);
    EXPECT_EQ(desktop.fileViewer().revealedFiles(), QStringList{file});

    model->backToWriting();
    EXPECT_EQ(model->phase(), Phase(Writing{}));
    EXPECT_EQ(draft.text, u" It broke. "_s);
    EXPECT_EQ(records, (QStringList{u"report saved for email as Zorv-report-2026-03-07-0915.txt"_s,
                                    u"report back from email"_s}));
}

TEST_F(ReportTest, emailInsteadAndBackToWritingDoNothingOutOfTurn) {
    struct Case {
        const char *name;
        std::optional<QString> supportEmail;
        QString text;
        Phase phase;
    };
    const Case cases[] = {
        {"no support address", std::nullopt, u"It broke."_s, Writing{}},
        {"blank text", u"help@example.com"_s, u" \n "_s, Writing{}},
        {"sending", u"help@example.com"_s, u"It broke."_s, Sending{}},
        {"sent", u"help@example.com"_s, u"It broke."_s, Sent{u"R-1"_s}},
    };
    for (const Case &c : cases) {
        supportEmail = c.supportEmail;
        const auto model = makeModel(c.text);
        model->showPhase(c.phase);
        model->emailInstead();
        model->backToWriting();
        EXPECT_EQ(model->phase(), c.phase) << c.name;
    }
    EXPECT_TRUE(records.isEmpty());
    EXPECT_TRUE(desktopFiles().isEmpty());
    EXPECT_TRUE(workspace.openedUrls().isEmpty());
}

TEST_F(ReportTest, theSendingSwitchIsStoredAndRecorded) {
    bool stored = true;
    consent = Consent{[] { return false; }, [&stored](bool value) { stored = value; }};
    const auto model = makeModel(u"It broke."_s);
    EXPECT_FALSE(model->sendingAllowed());
    EXPECT_FALSE(model->canSend());
    model->setSendingAllowed(true);
    EXPECT_TRUE(model->canSend());
    model->setSendingAllowed(false);
    EXPECT_FALSE(stored);
    EXPECT_EQ(records,
              (QStringList{u"report sending switched on"_s, u"report sending switched off"_s}));
}

} // namespace
} // namespace zorv::testing
