#include "move/applicationsmove.h"
#include "install/simfilesystem.h"
#include "install/simprocesslauncher.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// A Mac disk with Zorv downloaded into the user's Downloads folder.
class ApplicationsMoveTest : public ::testing::Test {
protected:
    ApplicationsMoveTest() {
        files.installBundle(downloaded, "build 2");
        files.setRunningBundle(downloaded);
    }

    std::optional<QString> move() {
        ApplicationsMove mover({files, files, processes, [this] { ++terminations; }});
        return mover.performMove();
    }
    [[nodiscard]] QByteArray executable(const QString &bundle) const {
        QFile file(files.hostPath(bundle + u"/Contents/MacOS/Zorv"_s));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    [[nodiscard]] QStringList trash() const {
        return QDir(files.hostPath(files.trashFolder()))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
    [[nodiscard]] QStringList applications() const {
        return QDir(files.hostPath(u"/Applications"_s))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    const QString downloaded = u"/Users/user/Downloads/Zorv.app"_s;
    const QString installed = u"/Applications/Zorv.app"_s;
    QTemporaryDir disk;
    SimFileSystem files{disk.path()};
    SimProcessLauncher processes;
    int terminations = 0;
};

TEST_F(ApplicationsMoveTest, InstalledMeansTheRealLocationIsInAnApplicationsFolder) {
    const struct {
        const char *name;
        QString bundle;
        bool translocate;
        bool installed;
        QString folder;
    } cases[] = {
        {"system Applications", u"/Applications/Zorv.app"_s, false, true, u"Applications"_s},
        {"the user's Applications", u"/Users/user/Applications/Zorv.app"_s, false, true,
         u"Applications"_s},
        {"a sub-folder of Applications", u"/Applications/Tools/Zorv.app"_s, false, true,
         u"Tools"_s},
        {"Downloads", u"/Users/user/Downloads/Zorv.app"_s, false, false, u"Downloads"_s},
        {"translocated from Downloads", u"/Users/user/Downloads/Zorv.app"_s, true, false,
         u"Downloads"_s},
        {"translocated from Applications", u"/Applications/Zorv.app"_s, true, true,
         u"Applications"_s},
        {"another user's Applications", u"/Users/other/Applications/Zorv.app"_s, false, false,
         u"Applications"_s},
    };
    for (const auto &c : cases) {
        files.installBundle(c.bundle);
        files.setRunningBundle(c.bundle);
        if (c.translocate) {
            files.translocate(c.bundle);
            EXPECT_NE(files.runningBundlePath(), c.bundle) << c.name;
        }
        EXPECT_EQ(ApplicationsMove::isInstalled(files), c.installed) << c.name;
        EXPECT_EQ(ApplicationsMove::sourceFolderName(files), c.folder) << c.name;
    }
}

TEST_F(ApplicationsMoveTest, MovesIntoApplicationsAndRelaunchesFromThere) {
    files.translocate(downloaded);
    EXPECT_EQ(move(), std::nullopt);
    EXPECT_EQ(executable(installed), "build 2");
    // The real download, not the translocated copy, went to the Trash.
    EXPECT_FALSE(files.exists(downloaded));
    EXPECT_EQ(trash(), QStringList{u"Zorv.app"_s});
    EXPECT_EQ(applications(), QStringList{u"Zorv.app"_s});
    const QList<SimProcessLauncher::Launch> expected{
        {u"/usr/bin/xattr"_s, {u"-dr"_s, u"com.apple.quarantine"_s, installed}, true},
        {u"/bin/sh"_s, {u"-c"_s, ApplicationsMove::relaunchScript, installed}, false}};
    EXPECT_EQ(processes.launches(), expected);
    EXPECT_EQ(terminations, 1);
}

TEST_F(ApplicationsMoveTest, ReplacesAnInstalledCopyOnlyOnceTheNewOneIsComplete) {
    files.installBundle(installed, "build 1");
    EXPECT_EQ(move(), std::nullopt);
    EXPECT_EQ(executable(installed), "build 2");
    EXPECT_EQ(trash().size(), 2); // the old installed copy and the download
}

TEST_F(ApplicationsMoveTest, AFailedCopyKeepsTheInstalledCopy) {
    files.installBundle(installed, "build 1");
    files.setCopiesFail(u"/Applications"_s, true);
    files.setReadOnly(u"/Users/user/Applications"_s, true);
    const auto message = move();
    ASSERT_TRUE(message);
    EXPECT_TRUE(message->startsWith(u"Couldn't move Zorv: "_s)) << message->toStdString();
    EXPECT_EQ(executable(installed), "build 1");
    EXPECT_EQ(applications(), QStringList{u"Zorv.app"_s}); // no half copy left behind
    EXPECT_TRUE(files.exists(downloaded));
    EXPECT_TRUE(processes.launches().isEmpty());
    EXPECT_EQ(terminations, 0);
}

TEST_F(ApplicationsMoveTest, FallsBackToTheUsersApplicationsFolder) {
    files.setReadOnly(u"/Applications"_s, true);
    EXPECT_EQ(move(), std::nullopt);
    EXPECT_EQ(executable(u"/Users/user/Applications/Zorv.app"_s), "build 2");
    EXPECT_FALSE(files.exists(installed));
}

TEST_F(ApplicationsMoveTest, ReportsWhenNoFolderTakesIt) {
    ASSERT_FALSE(files.createFolder(u"/Applications"_s));
    files.setReadOnly(u"/Applications"_s, true);
    ASSERT_FALSE(files.createFolder(u"/Users/user/Applications"_s));
    files.setReadOnly(u"/Users/user/Applications"_s, true);
    EXPECT_EQ(move(), u"Couldn't move Zorv: Applications folder is not writable. You can drag "
                      u"Zorv.app to Applications yourself."_s);
    EXPECT_TRUE(files.exists(downloaded));
}

TEST_F(ApplicationsMoveTest, NeverTrashesAnOriginalThatIsTheDestination) {
    files.installBundle(installed, "build 1");
    files.setRunningBundle(installed);
    files.translocate(installed);
    EXPECT_EQ(move(), std::nullopt);
    EXPECT_EQ(executable(installed), "build 1");
    EXPECT_TRUE(trash().isEmpty());
    ASSERT_EQ(processes.launches().size(), 2);
    EXPECT_EQ(processes.launches()[1].arguments.last(), installed);
}

} // namespace
} // namespace zorv
