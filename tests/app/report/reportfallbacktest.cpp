#include "reportfixture.h"

#include "reportfallback.h"

#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

using namespace ReportProblem;

TEST(ReportFallbackTextTest, holdsTheFactsTheTrimmedTextAndTheWholeDiagnostics) {
    const Facts facts{u"app.zorv.Zorv"_s, u"1.4.2"_s, u"142"_s, u"Version 14.5 (Build 23F79)"_s,
                      u"Mac14,2"_s};
    const QString head = u"Zorv problem report\nVersion   1.4.2 (142)\n"
                         u"macOS     Version 14.5 (Build 23F79)\nMac       Mac14,2\n"
                         u"Install   INSTALL-1\n\nWhat happened:\n"_s;
    EXPECT_EQ(Fallback::text(u"Zorv"_s, facts, u"INSTALL-1"_s, u"\n  First.\n\n  Second.\t\n"_s,
                             u"Trusted   true\n\n===== a =====\nx\n"_s),
              head + u"First.\n\n  Second.\n\n===== diagnostics =====\nTrusted   true\n\n"
                     u"===== a =====\nx\n"_s);
    EXPECT_EQ(Fallback::text(u"Zorv"_s, facts, u"INSTALL-1"_s, u"One"_s, QString()),
              head + u"One\n\n===== diagnostics =====\n"_s);
}

TEST_F(ReportTest, fallBackFilesOfOneMinuteGetTheirOwnNamesAndNoneIsReplaced) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Fallback::save(u"report %1"_s.arg(i), u"Zorv"_s, desktopFolder.path(),
                                   clock.wallNow().addSecs(i * 10)));
    }
    EXPECT_FALSE(
        Fallback::save(u"x"_s, u"Zorv"_s, desktopFolder.filePath(u"missing"_s), clock.wallNow()));
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

} // namespace
} // namespace zorv::testing
