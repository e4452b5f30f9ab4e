#include "update/updatesettingsreturn.h"
#include "updatetest.h"

#include <QFile>
#include <QSignalSpy>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using Behaviour = LoopbackHttpServer::Behaviour;
using Outcome = SimUpdater::Outcome;

TEST_F(UpdateTest, QuietCheckAfterLaunchReadsTheAppcastWithTheCookie) {
    make().start();
    EXPECT_TRUE(status().canUpdate);
    EXPECT_EQ(mac.model().automaticUpdateChecks(), std::optional<bool>(true));
    clock.advance(seconds(2.9));
    clock.settle();
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_FALSE(status().checking);

    // The answer waits until the check has been seen under way.
    server.setBehaviour(Behaviour::Hold, 200, appcast("12", "1.2"));
    clock.advance(seconds(0.1));
    clock.settle();
    EXPECT_TRUE(status().checking);
    ASSERT_TRUE(server.waitForRequests(1));
    server.answerHeld();
    ASSERT_TRUE(finishCheck());
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests()[0].path, "/appcast.xml");
    EXPECT_EQ(server.requests()[0].headerValues("Cookie"), QList<QByteArray>{"zqpass=harbour"});
    EXPECT_EQ(status().availability, UpdateAvailability::available(u"1.2"_s));
    EXPECT_FALSE(status().checking);
    EXPECT_FALSE(status().failed);
    EXPECT_EQ(status().lastChecked, std::optional<QDateTime>(clock.wallNow()));
}

TEST_F(UpdateTest, EachOutcomeOfACheckReachesTheStatus) {
    const auto available = UpdateAvailability::available(u"0.9"_s);
    const struct {
        const char *name;
        Outcome outcome;
        Behaviour behaviour;
        int httpStatus;
        QByteArray body;
        UpdateAvailability availability;
        bool failed;
        bool stamped;
    } cases[] = {
        {"newer build offered", Outcome::Decide, Behaviour::Answer, 200, appcast("12", "1.2"),
         UpdateAvailability::available(u"1.2"_s), false, true},
        {"only older builds", Outcome::Decide, Behaviour::Answer, 200, appcast("9", "0.9"),
         UpdateAvailability::upToDate(), false, true},
        {"scripted found", Outcome::Found, Behaviour::Answer, 200, appcast("9", "0.9"), available,
         false, true},
        {"scripted up to date", Outcome::UpToDate, Behaviour::Answer, 200, appcast("12", "1.2"),
         UpdateAvailability::upToDate(), false, true},
        {"scripted feed error", Outcome::FeedError, Behaviour::Answer, 200, appcast("12", "1.2"),
         UpdateAvailability::unknown(), true, false},
        {"scripted cancel keeps what was known", Outcome::Cancelled, Behaviour::Answer, 200,
         appcast("12", "1.2"), UpdateAvailability::upToDate(), false, false},
        {"server error", Outcome::Decide, Behaviour::Answer, 500, "oops",
         UpdateAvailability::unknown(), true, false},
        {"not an appcast", Outcome::Decide, Behaviour::Answer, 200, "<html>portal</html>",
         UpdateAvailability::unknown(), true, false},
        {"connection dropped",
         Outcome::Decide,
         Behaviour::Close,
         200,
         {},
         UpdateAvailability::unknown(),
         true,
         false},
        {"feed over the size limit", Outcome::Decide, Behaviour::Answer, 200,
         QByteArray(SimUpdater::maximumFeedBytes + 10, ' ') + appcast("12", "1.2"),
         UpdateAvailability::unknown(), true, false},
    };
    make().start();
    for (const auto &c : cases) {
        // Each case starts from a known, up-to-date state.
        controller->didNotFindUpdate();
        const auto before = status().lastChecked;
        clock.advance(seconds(60));
        updater.setOutcome(c.outcome);
        server.setBehaviour(c.behaviour, c.httpStatus, c.body);
        mac.model().checkForUpdatesNow();
        EXPECT_TRUE(status().checking) << c.name;
        ASSERT_TRUE(finishCheck()) << c.name;
        EXPECT_EQ(status().availability, c.availability) << c.name;
        EXPECT_EQ(status().failed, c.failed) << c.name;
        EXPECT_FALSE(status().checking) << c.name;
        EXPECT_EQ(status().lastChecked,
                  c.stamped ? std::optional<QDateTime>(clock.wallNow()) : before)
            << c.name;
    }
}

TEST_F(UpdateTest, ARedirectToAnotherHostIsNotFollowed) {
    LoopbackHttpServer elsewhere;
    QUrl target = elsewhere.url(u"/appcast.xml"_s);
    target.setHost(u"localhost"_s);
    server.setExtraHeaders({{"Location", target.toEncoded()}});
    server.setBehaviour(Behaviour::Answer, 302, {});
    make().start();
    mac.model().checkForUpdatesNow();
    ASSERT_TRUE(finishCheck());
    EXPECT_TRUE(status().failed);
    EXPECT_TRUE(elsewhere.requests().isEmpty());
}

TEST_F(UpdateTest, AQuietCheckTheUpdaterCannotRunLeavesNoCheckingBehind) {
    make().start();
    updater.setCanCheck(false);
    mac.model().checkForUpdatesNow();
    clock.advance(seconds(10));
    clock.settle();
    EXPECT_FALSE(status().checking);
    EXPECT_EQ(updater.checksStarted(), 0);
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(UpdateTest, OnlyACopyInAnApplicationsFolderWithAFeedCanUpdate) {
    const struct {
        const char *name;
        QString bundle;
        bool translocate;
        bool feed;
        bool canUpdate;
    } cases[] = {
        {"system Applications", u"/Applications/Zorv.app"_s, false, true, true},
        {"the user's Applications", u"/Users/user/Applications/Zorv.app"_s, false, true, true},
        {"Downloads", u"/Users/user/Downloads/Zorv.app"_s, false, true, false},
        {"translocated from Downloads", u"/Users/user/Downloads/Zorv.app"_s, true, true, false},
        {"a folder named like it", u"/ApplicationsOld/Zorv.app"_s, false, true, false},
        {"no feed", u"/Applications/Zorv.app"_s, false, false, false},
    };
    // Each answer waits until the check has been seen under way.
    server.setBehaviour(Behaviour::Hold, 200, appcast("12", "1.2"));
    qsizetype asked = 0;
    for (const auto &c : cases) {
        files.installBundle(c.bundle);
        files.setRunningBundle(c.bundle);
        if (c.translocate) {
            files.translocate(c.bundle);
        }
        mac.desktop().systemFacts().setBundleInfoString(
            u"SUFeedURL"_s, c.feed
                                ? std::optional<QString>(server.url(u"/appcast.xml"_s).toString())
                                : std::nullopt);
        make().start();
        EXPECT_EQ(status().canUpdate, c.canUpdate) << c.name;
        clock.advance(seconds(UpdateController::quietCheckDelaySeconds));
        clock.settle();
        EXPECT_EQ(status().checking, c.canUpdate) << c.name;
        if (c.canUpdate) {
            ASSERT_TRUE(server.waitForRequests(++asked)) << c.name;
            server.answerHeld();
        }
        ASSERT_TRUE(finishCheck()) << c.name;
    }
}

TEST_F(UpdateTest, TheUpdateTestFeedReplacesTheBundlesOwn) {
    mac.desktop().systemFacts().setBundleInfoString(u"SUFeedURL"_s, std::nullopt);
    make(server.url(u"/test-feed.xml"_s).toString()).start();
    EXPECT_TRUE(status().canUpdate);
    controller->checkInteractively();
    ASSERT_TRUE(finishCheck());
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests()[0].path, "/test-feed.xml");
}

TEST_F(UpdateTest, SettingsCommandsReachTheUpdater) {
    updater.setAutomaticallyChecksForUpdates(false);
    const QDateTime earlier = clock.wallNow().addDays(-2);
    updater.setLastUpdateCheckDate(earlier);
    make().start();
    EXPECT_EQ(status().lastChecked, std::optional<QDateTime>(earlier));
    EXPECT_EQ(mac.model().automaticUpdateChecks(), std::optional<bool>(false));
    // Automatic checks off: no check after launch.
    clock.advance(seconds(5));
    clock.settle();
    EXPECT_EQ(updater.checksStarted(), 0);

    mac.model().setAutomaticUpdateChecks(true);
    EXPECT_TRUE(updater.automaticallyChecksForUpdates());
    mac.model().setAutomaticUpdateChecks(false);
    EXPECT_FALSE(updater.automaticallyChecksForUpdates());
}

TEST_F(UpdateTest, InstallingShowsTheOfferAndLeavesTheSettingsMarker) {
    make().start();
    openPane = u"appearance"_s;
    mac.model().installUpdate();
    EXPECT_EQ(activations, 1);
    ASSERT_TRUE(finishCheck());
    ASSERT_TRUE(updater.offeredUpdate());
    // The updater's window writes versions with the "v".
    ASSERT_TRUE(updater.window());
    EXPECT_EQ(updater.window()->message,
              u"Zorv v1.2 is now available—you have v1.0. Would you like to download it now?"_s);
    EXPECT_EQ(status().availability, UpdateAvailability::available(u"1.2"_s));
    // While the window is open no other check starts.
    mac.model().installUpdate();
    EXPECT_EQ(updater.checksStarted(), 1);

    QSignalSpy installing(&updater, &SimUpdater::installRequested);
    updater.userInstallsUpdate();
    EXPECT_EQ(installing.size(), 1);
    const QString marker = mac.dataFolder() + u"/update-settings-return.json"_s;
    EXPECT_EQ(UpdateSettingsReturn::consume(marker, clock.wallNow().addSecs(5)),
              std::optional<QString>(u"appearance"_s));
}

TEST_F(UpdateTest, DismissingTheOfferIsNoFailure) {
    make().start();
    mac.model().installUpdate();
    ASSERT_TRUE(finishCheck());
    updater.userRemindsLater();
    EXPECT_FALSE(updater.offeredUpdate());
    EXPECT_FALSE(status().failed);
    EXPECT_EQ(status().availability, UpdateAvailability::available(u"1.2"_s));
    EXPECT_TRUE(updater.canCheckForUpdates());
}

// Each answer to the update window closes it and frees the framework; a skipped version is then
// no longer reported by quiet checks, while a check the user asks for still offers it.
TEST_F(UpdateTest, EachAnswerToTheUpdateWindowEndsTheCycle) {
    const auto offered = UpdateAvailability::available(u"1.2"_s);
    const struct {
        const char *name;
        void (SimUpdater::*answer)();
        bool installs;
        UpdateAvailability afterQuietCheck;
    } cases[] = {
        {"remind me later", &SimUpdater::userRemindsLater, false, offered},
        {"install update", &SimUpdater::userInstallsUpdate, true, offered},
        {"skip this version", &SimUpdater::userSkipsVersion, false, UpdateAvailability::upToDate()},
    };
    make().start();
    for (const auto &c : cases) {
        mac.model().installUpdate();
        ASSERT_TRUE(finishCheck()) << c.name;
        ASSERT_TRUE(updater.window()) << c.name;
        EXPECT_EQ(updater.window()->kind, UpdaterWindow::Kind::UpdateFound) << c.name;
        // While the window is shown another Install starts nothing and brings it forward, and a
        // quiet check starts nothing and shows no check under way.
        const int started = updater.checksStarted();
        QSignalSpy forward(&updater, &SimUpdater::windowBroughtForward);
        mac.model().installUpdate();
        mac.model().checkForUpdatesNow();
        EXPECT_EQ(updater.checksStarted(), started) << c.name;
        EXPECT_EQ(forward.size(), 1) << c.name;
        EXPECT_FALSE(status().checking) << c.name;

        QSignalSpy installing(&updater, &SimUpdater::installRequested);
        (updater.*c.answer)();
        EXPECT_FALSE(updater.window()) << c.name;
        EXPECT_TRUE(updater.canCheckForUpdates()) << c.name;
        EXPECT_EQ(installing.size(), c.installs ? 1 : 0) << c.name;
        EXPECT_EQ(updater.takeInstalledUpdate().has_value(), c.installs) << c.name;
        EXPECT_EQ(status().availability, offered) << c.name;
        EXPECT_FALSE(status().failed) << c.name;

        mac.model().checkForUpdatesNow();
        ASSERT_TRUE(finishCheck()) << c.name;
        EXPECT_EQ(status().availability, c.afterQuietCheck) << c.name;
        EXPECT_FALSE(updater.window()) << c.name;
    }
    mac.model().installUpdate();
    ASSERT_TRUE(finishCheck());
    ASSERT_TRUE(updater.window());
    EXPECT_EQ(updater.window()->kind, UpdaterWindow::Kind::UpdateFound);
    // A newer build than the skipped one is reported by quiet checks again.
    updater.userRemindsLater();
    server.setBehaviour(Behaviour::Answer, 200, appcast("13", "1.3"));
    mac.model().checkForUpdatesNow();
    ASSERT_TRUE(finishCheck());
    EXPECT_EQ(status().availability, UpdateAvailability::available(u"1.3"_s));
}

// A check the user asks for that finds no update ends in the framework's alert, which keeps it
// busy until OK; a cancelled one shows nothing, and quiet checks never show a window.
TEST_F(UpdateTest, AChecksAlertShowsUntilOk) {
    const struct {
        const char *name;
        Outcome outcome;
        int httpStatus;
        QByteArray body;
        std::optional<UpdaterWindow::Kind> shown;
        QString headline;
        QString message;
    } cases[] = {
        {"up to date", Outcome::Decide, 200, appcast("9", "0.9"), UpdaterWindow::Kind::UpToDate,
         u"You're up to date!"_s, u"Zorv v1.0 is currently the newest version available."_s},
        {"server error", Outcome::Decide, 500, "oops", UpdaterWindow::Kind::Error,
         u"Update Error!"_s, u"server replied"_s},
        {"not an appcast", Outcome::Decide, 200, "<html>portal</html>", UpdaterWindow::Kind::Error,
         u"Update Error!"_s, u"The update feed could not be read."_s},
        {"cancelled", Outcome::Cancelled, 200, appcast("12", "1.2"), std::nullopt, {}, {}},
    };
    make().start();
    for (const auto &c : cases) {
        updater.setOutcome(c.outcome);
        server.setBehaviour(Behaviour::Answer, c.httpStatus, c.body);
        mac.model().checkForUpdatesNow();
        ASSERT_TRUE(finishCheck()) << c.name;
        EXPECT_FALSE(updater.window()) << c.name << ": a quiet check";

        mac.model().installUpdate();
        ASSERT_TRUE(finishCheck()) << c.name;
        ASSERT_EQ(updater.window().has_value(), c.shown.has_value()) << c.name;
        if (!c.shown) {
            EXPECT_TRUE(updater.canCheckForUpdates()) << c.name;
            continue;
        }
        EXPECT_EQ(updater.window()->kind, *c.shown) << c.name;
        EXPECT_EQ(updater.window()->headline, c.headline) << c.name;
        EXPECT_TRUE(updater.window()->message.contains(c.message))
            << c.name << ": " << updater.window()->message.toStdString();
        EXPECT_TRUE(updater.sessionInProgress()) << c.name;
        // Install brings the alert forward and starts nothing; the update window's answers do
        // nothing to it.
        const int started = updater.checksStarted();
        QSignalSpy forward(&updater, &SimUpdater::windowBroughtForward);
        mac.model().installUpdate();
        EXPECT_EQ(std::pair(updater.checksStarted(), int(forward.size())), std::pair(started, 1))
            << c.name;
        updater.userInstallsUpdate();
        ASSERT_TRUE(updater.window()) << c.name;
        updater.userAcknowledgesAlert();
        EXPECT_FALSE(updater.window()) << c.name;
        EXPECT_TRUE(updater.canCheckForUpdates()) << c.name;
        EXPECT_FALSE(updater.sessionInProgress()) << c.name;
    }
}

// A feed file is read only when it is a regular file within the bound; anything else ends an
// interactive check at once in the error alert, saying what is wrong, and never blocks: a FIFO
// without a writer and an endless device among them.
TEST_F(UpdateTest, AFeedFileIsReadOnlyWhenItIsARegularFileWithinTheBound) {
    const QTemporaryDir feeds;
    const auto written = [&feeds](const QString &name, const QByteArray &bytes) {
        QFile file(feeds.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QString fifo = feeds.filePath(u"feed.fifo"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QByteArray feed = appcast("12", "1.2");
    const QString notRegular = u"The update feed “%1” is not a regular file."_s;
    const struct {
        const char *name;
        QString path;
        // The alert's message; none when the update is offered.
        std::optional<QString> message;
    } cases[] = {
        {"regular file", written(u"feed.xml"_s, feed), std::nullopt},
        {"exactly the bound",
         written(u"bound.xml"_s,
                 feed + QByteArray(SimUpdater::maximumFeedBytes - feed.size(), ' ')),
         std::nullopt},
        {"one byte over the bound",
         written(u"over.xml"_s,
                 feed + QByteArray(SimUpdater::maximumFeedBytes + 1 - feed.size(), ' ')),
         u"The update feed is too large."_s},
        {"fifo", fifo, notRegular.arg(fifo)},
        {"device", u"/dev/zero"_s, notRegular.arg(u"/dev/zero"_s)},
        {"folder", feeds.path(),
         u"The update feed “%1” is a folder, not a file."_s.arg(feeds.path())},
        {"missing", feeds.filePath(u"gone.xml"_s),
         u"The update feed file “%1” does not exist."_s.arg(feeds.filePath(u"gone.xml"_s))},
    };
    make().start();
    for (const auto &c : cases) {
        mac.desktop().systemFacts().setBundleInfoString(u"SUFeedURL"_s,
                                                        QUrl::fromLocalFile(c.path).toString());
        mac.model().installUpdate();
        ASSERT_TRUE(finishCheck()) << c.name;
        ASSERT_TRUE(updater.window()) << c.name;
        EXPECT_EQ(status().failed, c.message.has_value()) << c.name;
        if (!c.message) {
            EXPECT_EQ(updater.window()->kind, UpdaterWindow::Kind::UpdateFound) << c.name;
            updater.userRemindsLater();
            continue;
        }
        EXPECT_EQ(updater.window()->kind, UpdaterWindow::Kind::Error) << c.name;
        EXPECT_EQ(updater.window()->headline, u"Update Error!"_s) << c.name;
        EXPECT_EQ(updater.window()->message, *c.message) << c.name;
        updater.userAcknowledgesAlert();
    }
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST(UpdateVersionText, AddsTheVOnlyWhenMissing) {
    const std::pair<QString, QString> cases[] = {
        {u"2.1"_s, u"v2.1"_s}, {u"v2.1"_s, u"v2.1"_s}, {u"V2"_s, u"vV2"_s}, {QString(), u"v"_s}};
    for (const auto &[given, shown] : cases) {
        EXPECT_EQ(UpdateController::withV(given), shown) << given.toStdString();
    }
}

} // namespace
} // namespace zorv
