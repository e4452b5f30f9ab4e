#include "fieldapptest.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString copiedBefore = u"copied before Zorv started"_s;

// The person's clipboard on the host, which Qt's clipboard is with a display.
QClipboard &hostClipboard() {
    return *QGuiApplication::clipboard();
}

// What the person copied on the host before starting Zorv.
struct CopiedBeforeZorvStarted {
    CopiedBeforeZorvStarted() { hostClipboard().setText(copiedBefore); }
};

// Zorv with a display, where Qt's clipboard is the person's, shared with their other programs;
// test_app.Display runs these on Qt's VNC platform.
class HostClipboardAppTest : private CopiedBeforeZorvStarted, public FieldAppTest {
public:
    using FieldAppTest::chooseFromMainMenu;
    using FieldAppTest::press;
    using FieldAppTest::type;

    SimulatedDesktop &macDesktop() { return mac(); }

protected:
    void SetUp() override {
        if (DesktopApp::windowMode() != ScreenWindows::Mode::Overlaid) {
            GTEST_SKIP() << "Needs a display: test_app.Display runs it on Qt's VNC platform.";
        }
        FieldAppTest::SetUp();
    }
};

// What the user does in the profile name field, and what the field, the Mac's pasteboard and the
// host's clipboard read then.
struct HostCase {
    const char *name;
    std::function<void(HostClipboardAppTest &)> steps;
    QString field;
    QString pasteboard;
    QString host;
};

void PrintTo(const HostCase &c, std::ostream *out) {
    *out << c.name;
}

class HostCopyTest : public HostClipboardAppTest, public ::testing::WithParamInterface<HostCase> {};

TEST_P(HostCopyTest, TheHostKeepsWhatThePersonCopiedThere) {
    ASSERT_NO_FATAL_FAILURE(clickProfileName());
    ASSERT_NO_FATAL_FAILURE(GetParam().steps(*this));
    EXPECT_EQ(fieldText().toStdString(), GetParam().field.toStdString());
    EXPECT_EQ(mac().pasteboard().plainText().toStdString(), GetParam().pasteboard.toStdString());
    EXPECT_EQ(hostClipboard().text().toStdString(), GetParam().host.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Display, HostCopyTest,
    ::testing::Values(
        HostCase{"CommandVPastesTheCopyMadeBeforeZorvStarted",
                 [](HostClipboardAppTest &test) { test.press(vKey, EventFlags::command); },
                 copiedBefore, copiedBefore, copiedBefore},
        HostCase{"CommandVPastesTheCopyMadeMeanwhile",
                 [](HostClipboardAppTest &test) {
                     hostClipboard().setText(u"meanwhile"_s);
                     test.press(vKey, EventFlags::command);
                 },
                 u"meanwhile"_s, u"meanwhile"_s, u"meanwhile"_s},
        HostCase{"CommandVPastesALaterMacCopyAndTheHostKeepsItsOwn",
                 [](HostClipboardAppTest &test) {
                     test.macDesktop().pasteboard().setPlainText(u"on the Mac"_s);
                     test.press(vKey, EventFlags::command);
                 },
                 u"on the Mac"_s, u"on the Mac"_s, copiedBefore},
        HostCase{"PasteRowPastesALaterMacCopyAndTheHostKeepsItsOwn",
                 [](HostClipboardAppTest &test) {
                     test.macDesktop().pasteboard().setPlainText(u"on the Mac"_s);
                     test.chooseFromMainMenu(u"Edit"_s, u"Paste"_s);
                 },
                 u"on the Mac"_s, u"on the Mac"_s, copiedBefore},
        HostCase{"CommandCOfNothingKeepsTheHostsCopy",
                 [](HostClipboardAppTest &test) {
                     test.macDesktop().pasteboard().setPlainText(u"on the Mac"_s);
                     test.type(u"ab"_s);
                     test.press(cKey, EventFlags::command);
                 },
                 u"ab"_s, u"on the Mac"_s, copiedBefore},
        // The host's own copy is not put back over what the field copied in its place.
        HostCase{"CommandCOverALaterMacCopyCopiesToBoth",
                 [](HostClipboardAppTest &test) {
                     test.macDesktop().pasteboard().setPlainText(u"on the Mac"_s);
                     test.type(u"ab"_s);
                     test.press(aKey, EventFlags::command);
                     test.press(cKey, EventFlags::command);
                 },
                 u"ab"_s, u"ab"_s, u"ab"_s},
        // A copy in the field is a copy on the host too, and the host's next one is pasted.
        HostCase{"CommandCCopiesToBothAndTheHostsNextCopyIsPasted",
                 [](HostClipboardAppTest &test) {
                     test.type(u"ab"_s);
                     test.press(aKey, EventFlags::command);
                     test.press(cKey, EventFlags::command);
                     EXPECT_EQ(test.macDesktop().pasteboard().plainText().toStdString(), "ab");
                     EXPECT_EQ(hostClipboard().text().toStdString(), "ab");
                     hostClipboard().setText(u"next"_s);
                     test.press(vKey, EventFlags::command);
                 },
                 u"next"_s, u"next"_s, u"next"_s}),
    [](const auto &info) { return std::string(info.param.name); });

// A picture the person copied on the host is still there after a paste of the Mac's text.
TEST_F(HostClipboardAppTest, APasteOfTheMacsTextKeepsTheHostsPicture) {
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    hostClipboard().setImage(picture);
    ASSERT_NO_FATAL_FAILURE(clickProfileName());
    mac().pasteboard().setPlainText(u"on the Mac"_s);
    press(vKey, EventFlags::command);
    EXPECT_EQ(fieldText().toStdString(), "on the Mac");
    ASSERT_TRUE(hostClipboard().mimeData()->hasImage());
    EXPECT_EQ(hostClipboard().image().pixelColor(0, 0), QColor(Qt::red));
}

} // namespace
} // namespace zorv
