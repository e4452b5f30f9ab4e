#include "storetestfixture.h"

#include "profiles/profileset.h"
#include "sectionlayout.h"
#include "settings/settings.h"
#include "storage/storeerror.h"

#include <QFileInfo>

#include <limits>

#include <sys/stat.h>

namespace zorv::storetest {
namespace {

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
    EXPECT_TRUE(store->isWritable());
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
    const QStringList others{u"layout.json.writing-fAXqPt"_s,  u"settings.json.writing-fAXqP1"_s,
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

TEST_F(JsonStoreTest, NeverWritesOverAFileItCouldNeitherReadNorMove) {
    // The quarantine name of a file whose name is this long exceeds the file-system limit.
    const QString name = QString(240, u'n') + u".json"_s;
    writeFile(name, "garbage");

    const auto store = makeStore(name);
    EXPECT_FALSE(store->isWritable());
    ASSERT_EQ(m_log.lines().size(), 1);
    EXPECT_TRUE(m_log.lines().first().startsWith(
        u"Zorv: could not read %1 and could not move it aside ("_s.arg(name)));
    EXPECT_TRUE(
        m_log.lines().first().endsWith(u"); started from defaults and will not write over it"_s));

    // Changes live in memory only; no way of writing touches the file.
    store->set(Record{.value = 8});
    m_clock.advance(std::chrono::seconds(1));
    store->flush();
    EXPECT_THROW(store->replaceAndFlush(Record{}), StoreError);
    EXPECT_EQ(readFile(name), "garbage");
    EXPECT_EQ(entries(), QStringList{name});
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

} // namespace
} // namespace zorv::storetest
