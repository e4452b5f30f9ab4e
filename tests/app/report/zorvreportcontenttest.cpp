#include "reportfixture.h"

#include "zorvreportcontent.h"

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

using namespace ReportProblem;
using Kind = ReportSheetPhase::Kind;

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
