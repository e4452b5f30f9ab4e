#include "jsondates.h"
#include "jsonreader.h"
#include "manualclock.h"
#include "profiles/profileset.h"
#include "recordingsystemlog.h"
#include "sectionlayout.h"
#include "settings/settings.h"
#include "storage/backups.h"
#include "storage/jsonstore.h"
#include "storage/storeerror.h"
#include "storage/zorvpaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// A value standing in for the real records: a nested object holding an array, a number that can
// be made non-finite, and a date.
struct Record {
    double value = 0;
    int level = 3;                    // "inner"."level"
    QStringList tags{u"a"_s, u"b"_s}; // "inner"."tags"
    std::optional<QDateTime> seen{};

    bool operator==(const Record &) const = default;
    static Record fromJson(const JsonValueRef &json) {
        const JsonObjectRef object = json.toObject();
        const JsonObjectRef inner = object.required(u"inner").toObject();
        const auto seen = object.optional(u"seen");
        return {object.required(u"value").toDouble(), inner.required(u"level").toInt<int>(),
                inner.required(u"tags").toArray().map<QString>(),
                seen ? std::optional(seen->toDate()) : std::nullopt};
    }
    [[nodiscard]] QJsonValue toJson(DateForm form) const {
        const QJsonObject inner{{u"level"_s, level}, {u"tags"_s, QJsonArray::fromStringList(tags)}};
        QJsonObject object{{u"value"_s, value}, {u"inner"_s, inner}};
        if (seen) {
            object.insert(u"seen"_s, dateJson(*seen, form));
        }
        return object;
    }
};

// A fresh folder, a manual clock and a recording system log for each test.
class StoreTest : public ::testing::Test {
protected:
    static constexpr auto kDebounce = std::chrono::milliseconds(400);
    inline static const QString kFile = u"settings.json"_s;
    // The quarantine name at the manual clock's start.
    inline static const QString kQuarantine = u"settings.json.unreadable-1796115600"_s;

    [[nodiscard]] QString pathOf(const QString &name) const { return m_dir.filePath(name); }

    void writeFile(const QString &name, const QByteArray &bytes) const {
        QFile file(pathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    [[nodiscard]] QByteArray readFile(const QString &name) const {
        QFile file(pathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    [[nodiscard]] QStringList entries() const {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

    // The "value" in the store file; -1 when there is no file.
    [[nodiscard]] double storedValue() const {
        return QJsonDocument::fromJson(readFile(kFile)).object().value(u"value"_s).toDouble(-1);
    }

    // Removes the store file and checks that no write is still on its way.
    void expectNoLaterWrite() {
        QFile::remove(pathOf(kFile));
        m_clock.advance(std::chrono::seconds(5));
        EXPECT_EQ(storedValue(), -1);
    }

    [[nodiscard]] std::unique_ptr<JSONStore<Record>> makeStore(const QString &name = kFile) {
        return std::make_unique<JSONStore<Record>>(name, Record{}, kDebounce, m_dir.path(), m_clock,
                                                   m_log);
    }

    QTemporaryDir m_dir;
    ManualClock m_clock;
    RecordingSystemLog m_log;
};

// The records the app keeps in its stores fit the store.
static_assert(StoreValue<Settings> && StoreValue<SectionLayout> && StoreValue<ProfileSet>);

using std::chrono::milliseconds;
using JsonStoreTest = StoreTest;

TEST_F(JsonStoreTest, ABurstOfChangesCostsOneWriteDebounceAfterTheLast) {
    const auto store = makeStore();
    for (const auto &[changes, gap] :
         {std::pair{100, milliseconds(3)}, std::pair{3, milliseconds(100)}}) {
        for (int i = 1; i <= changes; ++i) {
            m_clock.advance(gap);
            store->update([i](Record &record) { record.value = i; });
        }
        EXPECT_EQ(store->value().value, changes);
        m_clock.advance(kDebounce - milliseconds(1));
        EXPECT_EQ(storedValue(), -1) << changes;
        m_clock.advance(milliseconds(1));
        EXPECT_EQ(storedValue(), changes);
        expectNoLaterWrite();
    }
}

TEST_F(JsonStoreTest, ADestroyedStoreNeverWrites) {
    makeStore()->set(Record{.value = 1});
    m_clock.advance(std::chrono::seconds(5));
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(JsonStoreTest, FlushWritesNowEvenWithNothingPendingAndCancelsThePendingWrite) {
    const auto store = makeStore();
    store->flush();
    EXPECT_EQ(storedValue(), 0);
    store->set(Record{.value = 2});
    store->flush();
    EXPECT_EQ(storedValue(), 2);
    expectNoLaterWrite();
}

TEST_F(JsonStoreTest, RecreatesARemovedFolderWhenWriting) {
    JSONStore<Record>(kFile, Record{}, kDebounce, pathOf(u"sub"_s), m_clock, m_log).flush();
    EXPECT_TRUE(QFileInfo::exists(pathOf(u"sub/settings.json"_s)));
}

TEST_F(JsonStoreTest, WritesSortedPrettyJsonWithDatesAsSecondsSince2001) {
    const Record record{.seen = QDateTime(QDate(2001, 1, 1), QTime(0, 1, 40), Qt::UTC)};
    makeStore()->replaceAndFlush(record);

    EXPECT_TRUE(readFile(kFile).startsWith("{\n  \"inner\" : {\n    \"level\" : 3,"));
    EXPECT_TRUE(readFile(kFile).endsWith("\"seen\" : 100,\n  \"value\" : 0\n}"));
    EXPECT_EQ(makeStore()->value(), record);
}

TEST_F(JsonStoreTest, ReplaceAndFlushAdoptsOnlyWhatReachedTheDisk) {
    const auto store = makeStore();
    store->set(Record{.value = 1});

    // Neither a value that cannot be encoded nor a failed write changes the value or the file,
    // nor cancels the pending write.
    EXPECT_THROW(store->replaceAndFlush({.value = std::numeric_limits<double>::infinity()}),
                 StoreError);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(kFile));
    EXPECT_THROW(store->replaceAndFlush({.value = 2}), StoreError);
    EXPECT_EQ(store->value().value, 1);
    EXPECT_EQ(entries(), QStringList{kFile});
    ASSERT_TRUE(QDir(m_dir.path()).rmdir(kFile));
    m_clock.advance(kDebounce);
    EXPECT_EQ(storedValue(), 1);

    store->set(Record{.value = 3});
    store->replaceAndFlush({.value = 4});
    EXPECT_EQ(store->value().value, 4);
    EXPECT_EQ(storedValue(), 4);
    expectNoLaterWrite();
}

TEST_F(JsonStoreTest, FillsMissingKeysFromDefaultsAndDropsUnknownKeysAtTheNextWrite) {
    // The file's arrays win whole, even when shorter than the default's.
    const QByteArray file = R"({"value": 2, "old": 1, "inner": {"tags": ["z"], "old": 1}})";
    writeFile(kFile, file);

    const auto store = makeStore();
    EXPECT_EQ(store->value(), (Record{.value = 2, .tags = {u"z"_s}}));
    EXPECT_TRUE(m_log.lines().isEmpty());
    m_clock.advance(std::chrono::seconds(2));
    EXPECT_EQ(readFile(kFile), file);
    store->flush();
    EXPECT_FALSE(readFile(kFile).contains("old"));
}

TEST_F(JsonStoreTest, ReadsATopLevelArrayAsItIs) {
    writeFile(u"layout.json"_s, "[]");
    const SectionLayout fallback{{{Section::hidden, {MenuBarItemID{u"a.b"_s, {}, {}, 1}}}}};
    JSONStore<SectionLayout> store(u"layout.json"_s, fallback, kDebounce, m_dir.path(), m_clock,
                                   m_log);
    EXPECT_EQ(store.value(), SectionLayout{});
    EXPECT_TRUE(m_log.lines().isEmpty());
}

// A file's bytes, or null for a folder in the file's place.
class JsonStoreQuarantineTest
    : public StoreTest,
      public ::testing::WithParamInterface<std::pair<const char *, QByteArray>> {};

TEST_P(JsonStoreQuarantineTest, SetsTheFileAsideAndStartsFromDefaults) {
    const QByteArray bytes = GetParam().second;
    if (bytes.isNull()) {
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(kFile));
    } else {
        writeFile(kFile, bytes);
    }

    const auto store = makeStore();
    EXPECT_EQ(store->value(), Record{});
    EXPECT_EQ(entries(), QStringList{kQuarantine});
    EXPECT_EQ(readFile(kQuarantine), bytes);
    EXPECT_EQ(m_log.lines(), QStringList{u"Zorv: could not read settings.json; moved it to %1 and "
                                         u"started from defaults"_s.arg(kQuarantine)});

    // The next start finds no file: the default again, nothing to report, nothing written.
    m_log.clear();
    EXPECT_EQ(makeStore()->value(), Record{});
    EXPECT_TRUE(m_log.lines().isEmpty());
    EXPECT_EQ(entries(), QStringList{kQuarantine});
}

INSTANTIATE_TEST_SUITE_P(
    BadContent, JsonStoreQuarantineTest,
    ::testing::Values(std::pair{"empty", QByteArray("")}, std::pair{"arrayForObject", "[]"_ba},
                      std::pair{"notJson", "{value:"_ba},
                      std::pair{"typeClash", R"({"value": "5"})"_ba},
                      std::pair{"nullForObject", R"({"inner": null})"_ba},
                      std::pair{"nestedTooDeep", QByteArray(300, '[') + QByteArray(300, ']')},
                      std::pair{"folderInItsPlace", QByteArray()}),
    [](const auto &info) { return std::string(info.param.first); });

TEST_F(JsonStoreTest, SetsANamedPipeInTheFilesPlaceAsideWithoutWaitingOnIt) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(pathOf(kFile)).constData(), 0600), 0);
    EXPECT_EQ(makeStore()->value(), Record{});
    EXPECT_FALSE(QFileInfo::exists(pathOf(kFile)));
    EXPECT_TRUE(QFileInfo::exists(pathOf(kQuarantine)));
    EXPECT_EQ(m_log.lines().size(), 1);
}

TEST_F(JsonStoreTest, RemovesWhatAWriteCutShortLeftBesideItsFileAtTheNextStart) {
    const QStringList leftovers{u"settings.json.writing-fAXqPt"_s,
                                u"settings.json.writing-ABCDEF"_s};
    // Names a user may give their own copies stay, even when they look random.
    const QStringList others{
        u"layout.json.writing-fAXqPt"_s,    u"settings.json.writing-fAXqP1"_s,
        u"settings.json.writing-fAXqPtx"_s, u"settings.json.backup"_s,
        u"settings.json.fAXqPt"_s,          u"settings.json.unreadable-1"_s,
        u"settings.jsonwriting-fAXqPt"_s,   u"xsettings.json.writing-fAXqPt"_s};
    for (const QString &name : leftovers + others) {
        writeFile(name, "{");
    }
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"settings.json.folder"_s));
    writeFile(kFile, R"({"value": 4})");

    EXPECT_EQ(makeStore()->value().value, 4);
    QStringList expected = others + QStringList{kFile, u"settings.json.folder"_s};
    expected.sort();
    EXPECT_EQ(entries(), expected);
    EXPECT_TRUE(m_log.lines().isEmpty());
}

TEST_F(JsonStoreTest, PicksAFreeQuarantineNameWhenTheFirstIsTaken) {
    writeFile(kQuarantine, "earlier");
    writeFile(kFile, "garbage");

    const auto store = makeStore();
    EXPECT_EQ(readFile(kQuarantine), "earlier");
    EXPECT_EQ(readFile(kQuarantine + u"-2"_s), "garbage");
    EXPECT_EQ(entries().size(), 2);
    ASSERT_EQ(m_log.lines().size(), 1);
    EXPECT_TRUE(m_log.lines().first().contains(u"moved it to "_s + kQuarantine + u"-2 and"_s));
}

TEST_F(JsonStoreTest, TheNextWriteReplacesAFileItCouldNeitherReadNorMove) {
    // Every quarantine name is taken.
    QStringList taken{kQuarantine};
    for (int attempt = 2; attempt <= 100; ++attempt) {
        taken.append(kQuarantine + u'-' + QString::number(attempt));
    }
    for (const QString &name : taken) {
        writeFile(name, "earlier");
    }
    writeFile(kFile, "garbage");

    const auto store = makeStore();
    EXPECT_EQ(store->value(), Record{});
    ASSERT_EQ(m_log.lines().size(), 1);
    EXPECT_EQ(m_log.lines().first(),
              u"Zorv: could not read settings.json and could not move it aside (every quarantine "
              u"name is taken); started from defaults and the next save replaces it"_s);

    // The changes of this run are not kept in memory only: the next start has them.
    store->set(Record{.value = 8});
    m_clock.advance(std::chrono::seconds(1));
    EXPECT_EQ(entries().size(), taken.size() + 1);
    EXPECT_EQ(makeStore()->value(), Record{.value = 8});
    EXPECT_EQ(m_log.lines().size(), 1);
}

TEST_F(JsonStoreTest, PeekReadsWithoutAStoreAndQuarantinesForTheStoreToCome) {
    writeFile(kFile, R"({"value": 7})");
    EXPECT_EQ(JSONStore<Record>::peek(kFile, Record{}, m_dir.path(), m_log).value, 7);
    EXPECT_EQ(entries(), QStringList{kFile});

    writeFile(kFile, "[]");
    EXPECT_EQ(JSONStore<Record>::peek(kFile, Record{}, m_dir.path(), m_log), Record{});
    EXPECT_EQ(m_log.lines().size(), 1);
    EXPECT_FALSE(entries().contains(kFile));
    EXPECT_EQ(makeStore()->value(), Record{});
    EXPECT_EQ(m_log.lines().size(), 1);
}

class BackupsTest : public StoreTest {
protected:
    Backups m_backups{m_dir.path(), m_clock};
    const QString kLabel = u"layout"_s;
};

TEST_F(BackupsTest, NamesSnapshotsByLabelAndUtcStampInWesternDigits) {
    // A region with its own digits must not leak into file names.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    const auto path = m_backups.snapshot(Record{.value = 1}, kLabel, 10);
    QLocale::setDefault(previous);

    EXPECT_EQ(path, pathOf(u"layout-20261201-090000-000.json"_s));
    EXPECT_TRUE(readFile(u"layout-20261201-090000-000.json"_s).startsWith("{\n  \"inner\" : {\n"));

    // The hours run on the 24-hour clock, so afternoon stamps sort after the morning's.
    m_clock.advance(std::chrono::hours(6) + std::chrono::minutes(7) + std::chrono::seconds(8) +
                    std::chrono::milliseconds(9));
    EXPECT_EQ(m_backups.snapshot(Record{}, kLabel, 10),
              pathOf(u"layout-20261201-150708-009.json"_s));
}

TEST_F(BackupsTest, RemovesWhatWritesCutShortLeftInTheFolderWhenCreated) {
    const QStringList leftovers{
        u"layout-20200101-000000-000.json.writing-fAXqPt"_s,
        u"before-import-0b7e3a52-6f0e-4d5c-9a57-8f2c1d2e3f40.json.writing-XyZabc"_s};
    const QStringList others{u"layout-20200101-000000-000.json"_s,
                             u"layout-20200101-000000-000.json.backup"_s,
                             u"notes.txt.writing-fAXqPt"_s};
    for (const QString &name : leftovers + others) {
        writeFile(name, "{");
    }
    const Backups backups(m_dir.path(), m_clock);
    QStringList expected = others;
    expected.sort();
    EXPECT_EQ(entries(), expected);
}

TEST_F(BackupsTest, KeepsTheNewestOfTheLabelAndReplacesASnapshotOfTheSameMillisecond) {
    for (double i = 1; i <= 12; ++i) {
        m_clock.advance(std::chrono::milliseconds(1));
        m_backups.snapshot(Record{.value = i}, kLabel, 10);
    }
    m_backups.snapshot(Record{.value = 13}, kLabel, 10);

    const QStringList kept = entries();
    ASSERT_EQ(kept.size(), 10);
    EXPECT_EQ(kept.first(), u"layout-20261201-090000-003.json"_s);
    EXPECT_EQ(kept.last(), u"layout-20261201-090000-012.json"_s);
    EXPECT_EQ(m_backups.latest<Record>(kLabel)->value, 13);
}

TEST_F(BackupsTest, PrunesOnlyTheLabelsSnapshotsAndOnlyAfterAWrite) {
    const QStringList others{u"before-import-0b7e3a52-6f0e-4d5c-9a57-8f2c1d2e3f40.json"_s,
                             u"layout-20200101-000000-000.JSON"_s,
                             u"layout-20200101-000000-000.json.tmp"_s,
                             u"layoutx-20200101-000000-000.json"_s};
    for (const QString &name : others + QStringList{u"layout-20200101-000000-000.json"_s}) {
        writeFile(name, "{}");
    }
    const QStringList before = entries();

    // Neither a value that cannot be encoded nor a failed write (a folder in the way) prunes.
    const Record unencodable{.value = std::numeric_limits<double>::infinity()};
    EXPECT_FALSE(m_backups.snapshot(unencodable, kLabel, 0).has_value());
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"layout-20261201-090000-000.json"_s));
    EXPECT_FALSE(m_backups.snapshot(Record{}, kLabel, 0).has_value());
    ASSERT_TRUE(QDir(m_dir.path()).rmdir(u"layout-20261201-090000-000.json"_s));
    EXPECT_EQ(entries(), before);

    // keep 0 removes the snapshot just written as well.
    EXPECT_TRUE(m_backups.snapshot(Record{}, kLabel, 0).has_value());
    EXPECT_EQ(entries(), others);
}

// A kill between the new snapshot appearing and the oldest going would leave one over the limit:
// the folder's own record of changes shows the oldest removed first.
TEST_F(BackupsTest, RemovesTheOldestBeforeTheNewSnapshotAppears) {
    m_backups.snapshot(Record{.value = 1}, kLabel, 2);
    m_clock.advance(std::chrono::milliseconds(1));
    m_backups.snapshot(Record{.value = 2}, kLabel, 2);
    m_clock.advance(std::chrono::milliseconds(1));
    const int changes = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(changes, 0);
    ASSERT_GE(inotify_add_watch(changes, QFile::encodeName(m_dir.path()).constData(),
                                IN_DELETE | IN_MOVED_TO),
              0);
    m_backups.snapshot(Record{.value = 3}, kLabel, 2);

    alignas(inotify_event) char buffer[4096];
    const ssize_t length = ::read(changes, buffer, sizeof buffer);
    ::close(changes);
    QStringList seen;
    for (ssize_t at = 0; at < length;) {
        const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
        seen.append((event->mask & IN_DELETE ? u"removed "_s : u"added "_s) +
                    QString::fromUtf8(event->name));
        at += ssize_t(sizeof(inotify_event) + event->len);
    }
    EXPECT_EQ(seen, (QStringList{u"removed layout-20261201-090000-000.json"_s,
                                 u"added layout-20261201-090000-002.json"_s}));
}

TEST_F(BackupsTest, LatestReadsOnlyTheNewestSnapshotOfTheLabel) {
    EXPECT_FALSE(m_backups.latest<Record>(kLabel).has_value());
    m_backups.snapshot(Record{.value = 1}, kLabel, 10);
    m_clock.advance(std::chrono::milliseconds(1));
    m_backups.snapshot(Record{.value = 2}, u"other"_s, 10);
    EXPECT_EQ(m_backups.latest<Record>(kLabel)->value, 1);

    // A newest snapshot that does not decode hides the older ones.
    writeFile(u"layout-20991231-235959-999.json"_s, R"({"value": "many"})");
    EXPECT_FALSE(m_backups.latest<Record>(kLabel).has_value());
}

TEST(ZorvPathsTest, FoldersLiveInTheDataFolderAndComeBackWhenRemoved) {
    const QString root = qEnvironmentVariable("XDG_DATA_HOME") + u"/Zorv"_s;
    ASSERT_EQ(ZorvPaths::root(), root);
    ASSERT_TRUE(QDir(root).removeRecursively());

    EXPECT_EQ(ZorvPaths::backups(), root + u"/backups"_s);
    EXPECT_TRUE(QFileInfo(root + u"/backups"_s).isDir());
    EXPECT_EQ(ZorvPaths::file(u"settings.json"_s), root + u"/settings.json"_s);
    EXPECT_FALSE(QFileInfo::exists(root + u"/settings.json"_s));
}

} // namespace
} // namespace zorv
