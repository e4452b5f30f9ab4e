#include "desktopapp.h"
#include "manualclock.h"
#include "scenario/scenarioloader.h"
#include "simulatedplatform.h"
#include "storage/zorvpaths.h"
#include "workerclockdriver.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimeZone>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr auto tinyMac = R"({
    "name": "tiny",
    "start": "2026-12-01T09:00:00Z",
    "screens": [{"name": "Screen", "frame": {"x": 0, "y": 0, "width": 1000, "height": 700}}],
    "applications": [
        {"bundleId": "com.example.a", "name": "A", "items": [{"autosaveName": "a1"}]}
    ]})";

const QStringList storeFiles{u"settings.json"_s, u"layout.json"_s, u"profiles.json"_s,
                             u"triggers.json"_s};

// What one run of the application started with and what it left in the data folder.
struct ZorvRun {
    Settings settings;
    ProfileSet profiles;
    TriggerSet triggers;
    SectionLayout layout;
    QStringList systemLog;
    QHash<QString, QByteArray> storeBytes;
};

QByteArray bytesOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Starts the application on a manual clock over whatever the data folder holds, lets start-up
// and the first scans run, then quits it.
ZorvRun runZorv() {
    ManualClock clock(QDateTime(QDate(2026, 12, 1), QTime(9, 0), QTimeZone::utc()));
    SimulatedPlatform platform(clock, ScenarioLoader::parse(tinyMac, u"tiny"_s), false);
    DesktopApp app(platform, SimOptions());
    EXPECT_TRUE(app.start());
    WorkerClockDriver(clock).run(seconds(5));
    AppModel &model = *app.model();
    ZorvRun run{
        model.settings(), model.profiles(), model.triggers(), model.layoutStore().value(), {}, {}};
    EXPECT_EQ(app.finish(), 0);
    run.systemLog = platform.systemLog().lines();
    for (const QString &name : storeFiles) {
        const QFileInfo info(ZorvPaths::file(name));
        EXPECT_TRUE(info.isFile() && !info.isSymLink()) << name.toStdString();
        run.storeBytes.insert(name, bytesOf(info.filePath()));
    }
    return run;
}

void emptyDataFolder() {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
}

// A first start on an empty data folder.
const ZorvRun &freshRun() {
    static const ZorvRun run = [] {
        emptyDataFolder();
        return runZorv();
    }();
    return run;
}

enum class Damage { Truncated, WrongType, Folder, DanglingLink, NamedPipe };

struct HostileCase {
    QString file;
    Damage damage;
};

class HostileDataFolderTest : public ::testing::TestWithParam<HostileCase> {};

// Whatever stands in a store file's place, Zorv starts as on a first start, sets the thing aside
// beside it untouched (a pipe is never opened for a blocking read, a folder keeps its content)
// and writes sound files when it quits. Tests run as root, so unreadable means a link to nothing
// or a pipe rather than a file without permissions.
TEST_P(HostileDataFolderTest, StartsFromDefaultsAndSetsTheFileAside) {
    const HostileCase hostile = GetParam();
    const ZorvRun &fresh = freshRun();
    emptyDataFolder();
    const QString path = ZorvPaths::file(hostile.file);
    const QByteArray soundBytes = fresh.storeBytes.value(hostile.file);
    ASSERT_FALSE(soundBytes.isEmpty());
    QByteArray damagedBytes;
    switch (hostile.damage) {
    case Damage::Truncated:
        damagedBytes = soundBytes.left(soundBytes.size() / 2);
        break;
    case Damage::WrongType:
        // The layout is an array, the other stores objects.
        damagedBytes =
            hostile.file == u"layout.json"_s ? R"({"section": "hidden"})" : R"([{"profiles": []}])";
        break;
    case Damage::Folder:
        ASSERT_TRUE(QDir().mkpath(path + u"/inner"_s));
        damagedBytes = "kept";
        break;
    case Damage::DanglingLink:
        ASSERT_TRUE(QFile::link(ZorvPaths::file(u"nothing-here"_s), path));
        break;
    case Damage::NamedPipe:
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        break;
    }
    const QString contentPath =
        hostile.damage == Damage::Folder ? path + u"/inner/content"_s : path;
    if (!damagedBytes.isEmpty()) {
        QFile file(contentPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damagedBytes);
    }

    const ZorvRun run = runZorv();

    EXPECT_EQ(run.settings, fresh.settings);
    EXPECT_EQ(run.profiles, fresh.profiles);
    EXPECT_EQ(run.triggers, fresh.triggers);
    EXPECT_EQ(run.layout, fresh.layout);
    const QStringList aside = QDir(ZorvPaths::root())
                                  .entryList({hostile.file + u".unreadable-*"_s},
                                             QDir::AllEntries | QDir::System | QDir::Hidden);
    ASSERT_EQ(aside.size(), 1) << aside.join(u", "_s).toStdString();
    const QFileInfo setAside(ZorvPaths::file(aside.first()));
    EXPECT_EQ(run.systemLog.filter(aside.first()).size(), 1)
        << run.systemLog.join(u"\n"_s).toStdString();
    switch (hostile.damage) {
    case Damage::Truncated:
    case Damage::WrongType:
        EXPECT_EQ(bytesOf(setAside.filePath()), damagedBytes);
        break;
    case Damage::Folder:
        EXPECT_EQ(bytesOf(setAside.filePath() + u"/inner/content"_s), damagedBytes);
        break;
    case Damage::DanglingLink:
        EXPECT_EQ(setAside.symLinkTarget(), ZorvPaths::file(u"nothing-here"_s));
        break;
    case Damage::NamedPipe: {
        struct stat status {};
        ASSERT_EQ(::lstat(QFile::encodeName(setAside.filePath()).constData(), &status), 0);
        EXPECT_TRUE(S_ISFIFO(status.st_mode));
        break;
    }
    }
    // The files written on quitting are those of a first start, so the next start reads them.
    for (const QString &name : storeFiles) {
        EXPECT_EQ(run.storeBytes.value(name), fresh.storeBytes.value(name)) << name.toStdString();
    }
}

std::vector<HostileCase> hostileCases() {
    std::vector<HostileCase> cases;
    for (const QString &file : storeFiles) {
        for (const Damage damage : {Damage::Truncated, Damage::WrongType, Damage::Folder,
                                    Damage::DanglingLink, Damage::NamedPipe}) {
            cases.push_back({file, damage});
        }
    }
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<HostileCase> &info) {
    static const char *const damages[] = {"truncated", "wrongType", "folder", "danglingLink",
                                          "namedPipe"};
    QString file = info.param.file;
    file.remove(u".json"_s);
    return file.toStdString() + "_" + damages[int(info.param.damage)];
}

INSTANTIATE_TEST_SUITE_P(EveryStore, HostileDataFolderTest, ::testing::ValuesIn(hostileCases()),
                         caseName);

} // namespace
} // namespace zorv
