#include "appinput.h"
#include "eventloopwait.h"
#include "loopbackhttpserver.h"
#include "scenariomac.h"
#include "settingswindowcontroller.h"
#include "settingswindowmodel.h"
#include "storage/zorvpaths.h"
#include "updates/updaterwindowcontent.h"
#include "updatescardmodel.h"
#include "wholeapptest.h"
#include "zorvlaunches.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QQuickItem>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace zorv {
namespace {

// Wall time a check may take on a busy machine; a check that never ends takes for ever.
constexpr std::chrono::milliseconds kWallLimit = 10000ms;
// How long the slow server takes to answer, in real time.
constexpr std::chrono::milliseconds kServerDelay = 600ms;

constexpr QByteArrayView kAppcast =
    "<rss version=\"2.0\" xmlns:u=\"urn:u\"><channel><item><title>Zorv 1.2</title>"
    "<u:version>12</u:version><u:shortVersionString>1.2</u:shortVersionString>"
    "</item></channel></rss>";

// An appcast offering build 12 ("1.2"), as a file and from a server that answers each request
// after a delay; made before the Mac that reads it.
struct FeedPlace {
    enum class Feed { File, SlowServer };

    FeedPlace() {
        QFile feed(file());
        EXPECT_TRUE(feed.open(QIODevice::WriteOnly));
        feed.write(kAppcast.data(), kAppcast.size());
        server.setBehaviour(LoopbackHttpServer::Behaviour::Delay, 200, kAppcast.toByteArray());
        server.setDelay(kServerDelay);
    }
    [[nodiscard]] QString file() const { return folder.filePath(u"appcast.xml"_s); }
    [[nodiscard]] QString address(Feed feed) const {
        return feed == Feed::File ? file() : server.url(u"/appcast.xml"_s).toString();
    }

    const QTemporaryDir folder;
    LoopbackHttpServer server;
};

Scenario laptopWithFeed(const QString &feed) {
    QJsonObject scenario = shippedScenario(u"laptop"_s);
    scenario.insert(u"updates"_s, QJsonObject{{u"feed"_s, feed}});
    return parsedScenario(scenario, u"laptop with a feed"_s);
}

// Zorv on the shipped laptop, whose update feed is a file or a slow server, driven through the
// simulated Mac's mouse and keyboard.
class UpdateFeedAppTest : protected FeedPlace, public WholeAppTest {
protected:
    explicit UpdateFeedAppTest(Feed feed) : WholeAppTest(laptopWithFeed(address(feed))) {}

    [[nodiscard]] const UpdateStatus &status() { return app.model()->updateStatus(); }
    // Launches Zorv and waits, in an event loop that lets fast time run, until its quiet check
    // has offered 1.2.
    void launchUntilOffered() {
        ASSERT_NO_FATAL_FAILURE(launch(R"({"onboardingCompleted": true})", 5));
        ASSERT_TRUE(runEventLoopUntil(
            [&] { return status().availability == UpdateAvailability::available(u"1.2"_s); },
            kWallLimit))
            << "failed: " << status().failed;
    }
    // The status menu's row opens Settings on About, whose card's Install starts an interactive
    // check; waits until the check has ended and its window is up.
    void installFromTheAboutCard() {
        clickIcon();
        const std::optional<QPointF> row =
            statusMenuRowCentre(mac().menus(), u"Version 1.2 Available"_s);
        ASSERT_TRUE(row);
        click(*row);
        ASSERT_NE(app.settingsWindow(), nullptr);
        ASSERT_EQ(app.settingsWindow()->model()->pane(), u"about"_s);
        ASSERT_NO_FATAL_FAILURE(clickControl(app.settingsWindow()->window(), u"install"_s));
        ASSERT_TRUE(runEventLoopUntil(
            [&] { return !platform.updater().isChecking() && app.updaterWindows().window(); },
            kWallLimit));
        drain();
    }
    // What the update framework's window on screen shows; null (a failure added) without one.
    UpdaterWindowContent *shownUpdateWindow() {
        QQuickWindow *window = app.updaterWindows().window();
        if (!window || !serverOf(window) || !serverOf(window)->isVisible()) {
            ADD_FAILURE() << "the update window is not shown";
            return nullptr;
        }
        EXPECT_TRUE(serverOf(window)->isKeyWindow());
        return window->findChild<UpdaterWindowContent *>();
    }
};

class SlowServerFeedAppTest : public UpdateFeedAppTest {
protected:
    SlowServerFeedAppTest() : UpdateFeedAppTest(Feed::SlowServer) { clock.setFastForward(true); }
};

class FileFeedAppTest : public UpdateFeedAppTest {
protected:
    FileFeedAppTest() : UpdateFeedAppTest(Feed::File) {}
};

// In fast time the clock waits for the server as the user would: the quiet check after launch
// and the check Install starts both hear the answer that comes after most of a second, rather
// than give up at once on a time limit that fast time ran past.
TEST_F(SlowServerFeedAppTest, FastTimeWaitsForTheServerSoInstallShowsTheUpdate) {
    ASSERT_NO_FATAL_FAILURE(launchUntilOffered());
    EXPECT_FALSE(status().failed);
    ASSERT_NO_FATAL_FAILURE(installFromTheAboutCard());
    const UpdaterWindowContent *content = shownUpdateWindow();
    ASSERT_NE(content, nullptr);
    EXPECT_TRUE(content->offersUpdate()) << content->message().toStdString();
    EXPECT_EQ(content->headline(), u"A new version of Zorv is available!"_s);
    EXPECT_EQ(server.requests().size(), 2);
}

// A feed that has become a FIFO ends the check Install starts in the framework's alert, which
// says so, while Zorv goes on answering the mouse and keyboard; the About card tells that the
// check failed.
TEST_F(FileFeedAppTest, AFeedThatIsAFifoEndsInAnAlertAndZorvStaysResponsive) {
    ASSERT_NO_FATAL_FAILURE(launchUntilOffered());
    ASSERT_TRUE(QFile::remove(file()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(file()).constData(), 0600), 0);
    ASSERT_NO_FATAL_FAILURE(installFromTheAboutCard());
    const UpdaterWindowContent *content = shownUpdateWindow();
    ASSERT_NE(content, nullptr);
    EXPECT_FALSE(content->offersUpdate());
    EXPECT_EQ(content->headline(), u"Update Error!"_s);
    EXPECT_EQ(content->message(), u"The update feed “%1” is not a regular file."_s.arg(file()));
    EXPECT_TRUE(status().failed);
    QObject *pane = app.settingsWindow()->window()->property("paneItem").value<QObject *>();
    ASSERT_NE(pane, nullptr);
    const auto *card = pane->findChild<UpdatesCardModel *>();
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->statusLine(), u"The update server could not be reached."_s);

    // OK closes the alert; the status menu still opens on a click.
    press(KeyCode::returnKey);
    EXPECT_EQ(app.updaterWindows().window(), nullptr);
    EXPECT_TRUE(platform.updater().canCheckForUpdates());
    clickIcon();
    EXPECT_TRUE(statusMenuRowCentre(mac().menus(), u"Settings…"_s));
}

// Update-test mode in fast time, its test feed on a slow server: the window the copy exists to
// show offers the update.
TEST(UpdateTestModeFastTimeAppTest, ShowsTheUpdateFromASlowServer) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    const FeedPlace feed;
    ASSERT_TRUE(
        qputenv("ZORV_UPDATE_TEST_FEED", feed.address(FeedPlace::Feed::SlowServer).toUtf8()));
    const auto unset = qScopeGuard([] { qunsetenv("ZORV_UPDATE_TEST_FEED"); });
    ManualClock clock(QDateTime(QDate(2026, 12, 1), QTime(9, 0), QTimeZone::utc()));
    clock.setFastForward(true);
    SimulatedPlatform platform(clock, oneItemMac(), false);
    ZorvLaunches launches(platform, SimOptions{});
    ASSERT_TRUE(launches.start());
    ASSERT_TRUE(runEventLoopUntil(
        [&] {
            return !platform.updater().isChecking() && launches.app() &&
                   launches.app()->updaterWindows().window();
        },
        kWallLimit));
    const auto *content =
        launches.app()->updaterWindows().window()->findChild<UpdaterWindowContent *>();
    ASSERT_NE(content, nullptr);
    EXPECT_TRUE(content->offersUpdate()) << content->message().toStdString();
    EXPECT_EQ(feed.server.requests().size(), 1);
}

} // namespace
} // namespace zorv
