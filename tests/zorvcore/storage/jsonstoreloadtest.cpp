#include "storetestfixture.h"

#include "profiles/profileset.h"
#include "sectionlayout.h"
#include "settings/settings.h"
#include "storage/storeerror.h"

#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace zorv::storetest {
namespace {

// The records the app keeps in its four stores fit the store.
static_assert(StoreValue<Settings> && StoreValue<SectionLayout> && StoreValue<ProfileSet>);

using JsonStoreLoadTest = StoreTest;

TEST_F(JsonStoreLoadTest, FillsMissingKeysFromDefaultsAtEveryDepthAndTakesArraysWhole) {
    const QByteArray file = R"({"name": "mine", "entries": [{"id": "x", "size": 2}],
        "inner": {"tags": ["z"], "leaf": {"level": 7}}})";
    writeFile(u"settings.json"_s, file);

    const auto store = makeStore();

    Record expected;
    expected.name = u"mine"_s;
    expected.entries = {{u"x"_s, 2}};
    expected.inner.tags = {u"z"_s};
    expected.inner.leaf.level = 7;
    EXPECT_EQ(store->value(), expected);
    EXPECT_TRUE(m_log.lines().isEmpty());
    // Filling in is not a change: the file stays as it was until the value changes.
    m_clock.advance(seconds(2));
    EXPECT_EQ(readFile(u"settings.json"_s), file);
}

TEST_F(JsonStoreLoadTest, DropsUnknownKeysAtTheNextWrite) {
    writeFile(u"settings.json"_s, R"({"legacy": 1, "name": "old", "inner": {"legacy": true}})");

    const auto store = makeStore();
    ASSERT_EQ(store->value().name, u"old"_s);
    store->update([](Record &record) { record.count = 4; });
    m_clock.advance(kDebounce);

    const QJsonObject written = QJsonDocument::fromJson(readFile(u"settings.json"_s)).object();
    EXPECT_EQ(written.value(u"count"_s).toInt(), 4);
    EXPECT_EQ(written.value(u"name"_s).toString(), u"old"_s);
    EXPECT_FALSE(written.contains(u"legacy"_s));
    EXPECT_FALSE(written.value(u"inner"_s).toObject().contains(u"legacy"_s));
}

TEST_F(JsonStoreLoadTest, ReadsATopLevelArrayAsItIs) {
    writeFile(u"layout.json"_s, R"(["x"])");

    const JSONStore<Names> store(u"layout.json"_s, Names{}, kDebounce, m_dir.path(), m_clock,
                                 m_log);

    EXPECT_EQ(store.value().names, QList<QString>{u"x"_s});
    EXPECT_TRUE(m_log.lines().isEmpty());
}

TEST_F(JsonStoreLoadTest, MissingFileGivesTheDefaultSilently) {
    const auto store = makeStore();

    EXPECT_EQ(store->value(), Record{});
    EXPECT_TRUE(m_log.lines().isEmpty());
    EXPECT_TRUE(entries().isEmpty());
}

struct BadFile {
    const char *what;
    QByteArray bytes;
};

void PrintTo(const BadFile &param, std::ostream *out) {
    *out << param.what;
}

class JsonStoreQuarantineTest : public StoreTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(JsonStoreQuarantineTest, SetsTheFileAsideAndStartsFromDefaults) {
    writeFile(u"settings.json"_s, GetParam().bytes);

    const auto store = makeStore();

    EXPECT_EQ(store->value(), Record{});
    EXPECT_TRUE(store->isWritable());
    EXPECT_EQ(entries(), QStringList{quarantineName(u"settings.json"_s)});
    EXPECT_EQ(readFile(quarantineName(u"settings.json"_s)), GetParam().bytes);
    EXPECT_EQ(m_log.lines(),
              QStringList{u"Zorv: could not read settings.json; moved it to %1 and started from "
                          u"defaults"_s.arg(quarantineName(u"settings.json"_s))});

    // The next start finds no file: the default again, and nothing to report.
    m_log.clear();
    const auto again = makeStore();
    EXPECT_EQ(again->value(), Record{});
    EXPECT_TRUE(m_log.lines().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    BadContent, JsonStoreQuarantineTest,
    ::testing::Values(BadFile{"empty", ""}, BadFile{"arrayForObject", "[]"},
                      BadFile{"notJson", "{name:"}, BadFile{"bareScalar", "42"},
                      BadFile{"typeClash", R"({"name": 5})"},
                      BadFile{"nullForString", R"({"name": null})"},
                      BadFile{"objectInArrayLacksKey", R"({"entries": [{"id": "a"}]})"},
                      BadFile{"nestedTooDeep",
                              R"({"inner": )" + QByteArray(300, '[') + QByteArray(300, ']') + "}"}),
    [](const auto &info) { return std::string(info.param.what); });

TEST_F(JsonStoreLoadTest, SetsAsideAFolderInTheFilesPlaceAndWritesAfterwards) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"settings.json"_s));

    const auto store = makeStore();
    ASSERT_EQ(m_log.lines().size(), 1);
    EXPECT_TRUE(QFileInfo(pathOf(quarantineName(u"settings.json"_s))).isDir());

    store->flush();
    EXPECT_TRUE(QFileInfo(pathOf(u"settings.json"_s)).isFile());
}

TEST_F(JsonStoreLoadTest, PicksAFreeQuarantineNameWhenTheFirstIsTaken) {
    writeFile(quarantineName(u"settings.json"_s), "earlier");
    writeFile(u"settings.json"_s, "garbage");

    const auto store = makeStore();

    const QString second = quarantineName(u"settings.json"_s) + u"-2"_s;
    EXPECT_EQ(readFile(quarantineName(u"settings.json"_s)), "earlier");
    EXPECT_EQ(readFile(second), "garbage");
    EXPECT_FALSE(exists(u"settings.json"_s));
    ASSERT_EQ(m_log.lines().size(), 1);
    EXPECT_TRUE(m_log.lines().first().contains(u"moved it to "_s + second + u" and"_s));
}

TEST_F(JsonStoreLoadTest, NeverWritesOverAFileItCouldNeitherReadNorMove) {
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

    // Changes live in memory only; the unreadable file stays as it was.
    store->update([](Record &record) { record.count = 8; });
    EXPECT_EQ(store->value().count, 8);
    m_clock.advance(seconds(1));
    store->flush();
    EXPECT_THROW(store->replaceAndFlush(Record{}), StoreError);
    EXPECT_EQ(readFile(name), "garbage");
    EXPECT_EQ(entries(), QStringList{name});
}

TEST_F(JsonStoreLoadTest, PeekReadsWithoutAStoreAndQuarantinesForTheStoreToCome) {
    writeFile(u"settings.json"_s, R"({"name": "peeked"})");
    EXPECT_EQ(JSONStore<Record>::peek(u"settings.json"_s, Record{}, m_dir.path(), m_log).name,
              u"peeked"_s);
    EXPECT_TRUE(exists(u"settings.json"_s));

    writeFile(u"settings.json"_s, "[]");
    EXPECT_EQ(JSONStore<Record>::peek(u"settings.json"_s, Record{}, m_dir.path(), m_log), Record{});
    ASSERT_EQ(m_log.lines().size(), 1);
    EXPECT_FALSE(exists(u"settings.json"_s));

    const auto store = makeStore();
    EXPECT_EQ(store->value(), Record{});
    EXPECT_EQ(m_log.lines().size(), 1);
}

} // namespace
} // namespace zorv::storetest
