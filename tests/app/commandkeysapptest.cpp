#include "appinput.h"
#include "reportmodel.h"
#include "scenariomac.h"
#include "settingswindowcontroller.h"
#include "wholeapptest.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QNetworkProxy>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr quint16 aKey = 0;
constexpr quint16 zKey = 6;
constexpr quint16 xKey = 7;
constexpr quint16 cKey = 8;
constexpr quint16 vKey = 9;

// Zorv on the laptop with its tour done, driven only through the simulated Mac's mouse and
// keyboard, to see what Command does in its text fields and sheets.
class CommandKeysAppTest : public WholeAppTest {
protected:
    CommandKeysAppTest() : WholeAppTest(reachableLaptop({})) {}

    void SetUp() override { ASSERT_NO_FATAL_FAILURE(launch(tourDoneSettings)); }

    // Opens the status menu with a click on Zorv's icon and chooses the row titled `title`.
    void chooseFromStatusMenu(const QString &title) {
        clickIcon();
        ASSERT_TRUE(mac().menus().openMenu());
        const std::optional<QPointF> row = statusMenuRowCentre(mac().menus(), title);
        ASSERT_TRUE(row) << "no row " << title.toStdString();
        click(*row);
    }
};

// In the Profiles pane, reached through the status menu and the settings window's rail, Command-A
// selects what the name field holds, so the name typed next is saved alone; Command-X, -C, -V and
// -Z cut, copy, paste and undo there, and none of them types its letter.
TEST_F(CommandKeysAppTest, CommandASelectsTheProfileNameSoTypingReplacesIt) {
    ASSERT_NO_FATAL_FAILURE(chooseFromStatusMenu(u"Settings…"_s));
    ASSERT_NE(app.settingsWindow(), nullptr);
    QQuickWindow *window = app.settingsWindow()->window();
    run(1);
    if (window->property("guideShown").toBool()) {
        ASSERT_NO_FATAL_FAILURE(clickControl(window, u"guideDone"_s));
    }
    ASSERT_NO_FATAL_FAILURE(clickControl(window, u"rail-profiles"_s));
    run(1);
    if (window->property("guideShown").toBool()) {
        ASSERT_NO_FATAL_FAILURE(clickControl(window, u"guideDone"_s));
    }
    ASSERT_NO_FATAL_FAILURE(clickControl(window, u"newName"_s));
    QQuickItem *field = findIn(window->contentItem(), u"newName"_s);
    ASSERT_NE(field, nullptr);
    const auto text = [&] { return field->property("text").toString(); };
    ASSERT_NO_FATAL_FAILURE(type(u"Draft"_s));
    press(aKey, EventFlags::command);
    press(xKey, EventFlags::command);
    EXPECT_EQ(text(), QString()) << "Command-X";
    press(zKey, EventFlags::command);
    EXPECT_EQ(text(), u"Draft"_s) << "Command-Z";
    press(aKey, EventFlags::command);
    ASSERT_NO_FATAL_FAILURE(type(u"Travel"_s));
    press(aKey, EventFlags::command);
    press(cKey, EventFlags::command);
    press(KeyCode::rightArrow);
    press(vKey, EventFlags::command);
    EXPECT_EQ(text(), u"TravelTravel"_s) << "Command-C, then Command-V at the end";
    press(zKey, EventFlags::command);
    EXPECT_EQ(text(), u"Travel"_s) << "Command-Z takes the paste back";
    press(KeyCode::returnKey);

    const QList<Profile> &profiles = app.model()->profiles().profiles;
    ASSERT_EQ(profiles.size(), 1);
    EXPECT_EQ(profiles.first().name, u"Travel"_s);
}

// Command-Return and Command-Enter send the problem report typed in the report window; a send
// that fails leaves the report on the simulated Desktop.
TEST_F(CommandKeysAppTest, CommandReturnSendsTheReport) {
    // Nothing answers at this address: the send fails whatever the network.
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, u"127.0.0.1"_s, 9));
    const QString desktop = platform.fileSystem().hostPath(platform.fileSystem().desktopFolder());
    ASSERT_FALSE(QDir(desktop).exists());
    for (const quint16 key : {KeyCode::returnKey, KeyCode::enter}) {
        SCOPED_TRACE(key);
        ASSERT_NO_FATAL_FAILURE(chooseFromStatusMenu(u"Report a Problem…"_s));
        ASSERT_NE(app.reports().appWindow(), nullptr);
        ASSERT_TRUE(app.reports().appWindow()->isKeyWindow());
        ASSERT_NO_FATAL_FAILURE(type(u"Two icons stayed hidden."_s));
        press(key, EventFlags::command);
        const bool ended = QTest::qWaitFor([&] {
            run(1);
            const auto phase = app.reports().model()->phase();
            return !std::holds_alternative<ReportProblem::Writing>(phase) &&
                   !std::holds_alternative<ReportProblem::Sending>(phase);
        });
        ASSERT_TRUE(ended) << "the report was sent";
        EXPECT_TRUE(std::holds_alternative<ReportProblem::Saved>(app.reports().model()->phase()));
        press(KeyCode::returnKey);
        EXPECT_FALSE(app.reports().appWindow()->isVisible());
        run(2);
    }
    QNetworkProxy::setApplicationProxy(QNetworkProxy());
    EXPECT_EQ(QDir(desktop).entryList({u"Zorv-report-*"_s}, QDir::Files).size(), 2);
}

} // namespace
} // namespace zorv
