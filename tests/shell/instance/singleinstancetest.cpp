#include "instance/singleinstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QString uniqueName() {
    static int counter = 0;
    return SingleInstance::serverName(
        u"app.zorv.Zorv.test"_s,
        u"/tmp/zorv-instance-%1-%2"_s.arg(QCoreApplication::applicationPid()).arg(++counter));
}

TEST(SingleInstanceTest, NamesDependOnTheIdentifierAndTheDataFolder) {
    const QString a =
        SingleInstance::serverName(u"app.zorv.Zorv"_s, u"/home/a/.local/share/Zorv"_s);
    EXPECT_EQ(a, SingleInstance::serverName(u"app.zorv.Zorv"_s, u"/home/a/.local/share/Zorv/"_s));
    EXPECT_NE(a, SingleInstance::serverName(u"app.zorv.Zorv"_s, u"/home/b/.local/share/Zorv"_s));
    EXPECT_NE(a, SingleInstance::serverName(u"app.zorv.Other"_s, u"/home/a/.local/share/Zorv"_s));
    // Short enough for a socket path, however long the folder.
    EXPECT_LT(SingleInstance::serverName(u"app.zorv.Zorv"_s, QString(500, u'x')).size(), 40);
}

// A launch that asks nothing is handed over too, unlike a connection that sends nothing.
TEST(SingleInstanceTest, TheSecondClaimHandsItsArgumentsToTheFirst) {
    const QString name = uniqueName();
    SingleInstance first(name);
    ASSERT_EQ(first.claim({u"--unused"_s}), SingleInstance::Claim::Running);
    QSignalSpy received(&first, &SingleInstance::received);
    for (const QStringList &arguments :
         {QStringList{u"--open-settings"_s, u"zorv://settings/style"_s, u"ü ✓"_s}, QStringList{}}) {
        SingleInstance second(name);
        EXPECT_EQ(second.claim(arguments), SingleInstance::Claim::HandedOver);
        ASSERT_TRUE(received.wait(5000));
        EXPECT_EQ(received.takeFirst().at(0).toStringList(), arguments);
    }
}

TEST(SingleInstanceTest, DropsWhatIsNotAHandOver) {
    const QString name = uniqueName();
    SingleInstance first(name);
    ASSERT_EQ(first.claim({}), SingleInstance::Claim::Running);
    QSignalSpy received(&first, &SingleInstance::received);
    const QByteArray messages[] = {"", "not json", "{\"a\": 1}", "[1, 2]",
                                   "[\"" + QByteArray(SingleInstance::maximumMessageBytes, 'x') +
                                       "\"]"};
    for (const QByteArray &message : messages) {
        QLocalSocket socket;
        socket.connectToServer(name);
        ASSERT_TRUE(socket.waitForConnected(1000));
        socket.write(message);
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
    }
    EXPECT_TRUE(SingleInstance::isRunning(name));
    QTest::qWait(100);
    EXPECT_TRUE(received.isEmpty());
}

TEST(SingleInstanceTest, AClaimAfterTheFirstQuitRunsAgain) {
    const QString name = uniqueName();
    {
        SingleInstance first(name);
        ASSERT_EQ(first.claim({}), SingleInstance::Claim::Running);
    }
    EXPECT_FALSE(SingleInstance::isRunning(name));
    SingleInstance next(name);
    EXPECT_EQ(next.claim({}), SingleInstance::Claim::Running);
    EXPECT_TRUE(SingleInstance::isRunning(name));
}

TEST(SingleInstanceTest, OnlyItsOwnUserCanReachTheSocket) {
    const QString name = uniqueName();
    SingleInstance first(name);
    ASSERT_EQ(first.claim({}), SingleInstance::Claim::Running);
    const QFileInfo socket(SingleInstance::socketPath(name));
    ASSERT_TRUE(socket.exists());
    EXPECT_EQ(socket.ownerId(), SingleInstance::currentUser());
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                            QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_EQ(socket.permissions() & others, QFileDevice::Permissions())
        << "permissions " << Qt::hex << int(socket.permissions());
}

// A socket under the name that another user owns, listening or left behind, gets neither the
// arguments nor removed; the copy runs without answering later launches.
TEST(SingleInstanceTest, NeverTrustsNorRemovesAnotherUsersSocket) {
    for (const bool listening : {true, false}) {
        SCOPED_TRACE(listening);
        const QString name = uniqueName();
        QLocalServer theirs;
        ASSERT_TRUE(theirs.listen(name));
        const QString path = theirs.fullServerName();
        ASSERT_EQ(path, SingleInstance::socketPath(name));
        if (!listening) {
            // What a copy that crashed leaves: the file without a server.
            theirs.close();
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        // This copy runs as someone other than the owner of the file.
        SingleInstance copy(name, SingleInstance::currentUser() + 1);
        EXPECT_EQ(copy.claim({u"zorv://settings/style"_s}), SingleInstance::Claim::RunningAlone);
        QTest::qWait(50);
        EXPECT_FALSE(theirs.hasPendingConnections()) << "nothing was sent to their socket";
        EXPECT_TRUE(QFileInfo::exists(path)) << "their socket was not removed";
        QFile::remove(path);
    }
}

// Two copies of the application itself on one data folder.
class TwoCopiesTest : public ::testing::Test {
protected:
    ~TwoCopiesTest() override {
        for (QProcess *process : {&first, &second}) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }

    void start(QProcess &process, const QStringList &arguments, bool updateTest = false) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_DATA_HOME"_s, dataHome.path());
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        if (updateTest) {
            environment.insert(u"ZORV_UPDATE_TEST_FEED"_s, u"http://127.0.0.1:1/appcast.xml"_s);
        } else {
            environment.remove(u"ZORV_UPDATE_TEST_FEED"_s);
        }
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ZORV_EXECUTABLE),
                      QStringList{u"--sim-time"_s, u"fast"_s} + arguments);
        ASSERT_TRUE(process.waitForStarted(5000));
    }
    [[nodiscard]] QString serverName() const {
        return SingleInstance::serverName(u"app.zorv.Zorv"_s, dataHome.path() + u"/Zorv"_s);
    }
    [[nodiscard]] bool firstIsListening() const {
        return QTest::qWaitFor([&] { return SingleInstance::isRunning(serverName()); }, 20000);
    }

    QTemporaryDir dataHome;
    QProcess first;
    QProcess second;
};

// The running copy is asked for what the second launch's own options and addresses ask; the
// simulator's options set up a Mac, so a launch with only those asks nothing and opens the
// running copy again.
TEST_F(TwoCopiesTest, ASecondLaunchHandsOverAndQuits) {
    start(first, {});
    ASSERT_TRUE(firstIsListening());
    const struct {
        QStringList arguments;
        QByteArray logged;
    } launches[] = {
        {{u"--open-settings"_s, u"zorv://settings/style"_s},
         "Zorv: opened again with: --open-settings zorv://settings/style\n"},
        {{u"--sim-scenario"_s, u"laptop"_s, u"--sim-run-for"_s, u"60"_s}, "Zorv: opened again\n"},
    };
    QByteArray log;
    for (const auto &launch : launches) {
        SCOPED_TRACE(launch.arguments.join(u' ').toStdString());
        start(second, launch.arguments);
        ASSERT_TRUE(second.waitForFinished(20000));
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                log += first.readAllStandardError();
                return log.contains(launch.logged);
            },
            10000))
            << log.toStdString();
    }
}

TEST_F(TwoCopiesTest, UpdateTestsRunBesideTheRunningCopy) {
    start(first, {});
    ASSERT_TRUE(firstIsListening());
    start(second, {u"--sim-run-for"_s, u"1"_s}, true);
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), 0);
    QTest::qWait(200);
    EXPECT_FALSE(first.readAllStandardError().contains("opened again"));
}

// An update test running alone is the running copy for the launches after it.
TEST_F(TwoCopiesTest, AnUpdateTestRunningAloneIsOpenedAgain) {
    start(first, {}, true);
    ASSERT_TRUE(firstIsListening());
    start(second, {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0);
    QByteArray log;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            log += first.readAllStandardError();
            return log.contains("Zorv: opened again\n");
        },
        10000))
        << log.toStdString();
}

} // namespace
} // namespace zorv
