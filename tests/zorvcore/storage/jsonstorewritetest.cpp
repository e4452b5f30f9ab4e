#include "storetestfixture.h"

#include "storage/storeerror.h"

#include <QJsonDocument>

#include <limits>

using namespace Qt::StringLiterals;

namespace zorv::storetest {
namespace {

using JsonStoreWriteTest = StoreTest;

int writtenCount(const QByteArray &file) {
    return QJsonDocument::fromJson(file).object().value(u"count"_s).toInt(-1);
}

TEST_F(JsonStoreWriteTest, ABurstOfChangesCostsOneWriteAfterTheLast) {
    const auto store = makeStore();
    for (int i = 1; i <= 100; ++i) {
        store->update([i](Record &record) { record.count = i; });
        EXPECT_EQ(store->value().count, i);
        m_clock.advance(std::chrono::milliseconds(3));
    }
    // The last change came 3 ms ago.
    m_clock.advance(kDebounce - std::chrono::milliseconds(4));
    EXPECT_FALSE(exists(u"settings.json"_s));
    m_clock.advance(std::chrono::milliseconds(1));
    EXPECT_EQ(writtenCount(readFile(u"settings.json"_s)), 100);

    QFile::remove(pathOf(u"settings.json"_s));
    m_clock.advance(seconds(5));
    EXPECT_FALSE(exists(u"settings.json"_s));
}

TEST_F(JsonStoreWriteTest, ThreeSetsATenthApartWriteOnceAfterTheThird) {
    const auto store = makeStore();
    for (int i = 1; i <= 3; ++i) {
        Record record;
        record.count = i;
        store->set(record);
        if (i < 3) {
            m_clock.advance(std::chrono::milliseconds(100));
        }
    }
    // The first set's write would have fallen due 0.2 s after the third: it was cancelled.
    m_clock.advance(kDebounce - std::chrono::milliseconds(1));
    EXPECT_FALSE(exists(u"settings.json"_s));
    m_clock.advance(std::chrono::milliseconds(1));
    EXPECT_EQ(writtenCount(readFile(u"settings.json"_s)), 3);

    QFile::remove(pathOf(u"settings.json"_s));
    m_clock.advance(seconds(5));
    EXPECT_FALSE(exists(u"settings.json"_s));
}

TEST_F(JsonStoreWriteTest, ADestroyedStoreNeverWrites) {
    auto store = makeStore();
    store->update([](Record &record) { record.count = 1; });
    store.reset();

    m_clock.advance(seconds(5));
    EXPECT_FALSE(exists(u"settings.json"_s));
}

TEST_F(JsonStoreWriteTest, FlushWritesNowAndCancelsThePendingWrite) {
    const auto store = makeStore();
    store->update([](Record &record) { record.count = 2; });
    store->flush();
    EXPECT_EQ(writtenCount(readFile(u"settings.json"_s)), 2);

    QFile::remove(pathOf(u"settings.json"_s));
    m_clock.advance(seconds(5));
    EXPECT_FALSE(exists(u"settings.json"_s));
}

TEST_F(JsonStoreWriteTest, FlushWithNothingPendingCreatesTheFile) {
    const auto store = makeStore();
    store->flush();
    EXPECT_EQ(writtenCount(readFile(u"settings.json"_s)), 0);
}

TEST_F(JsonStoreWriteTest, RecreatesARemovedFolderWhenWriting) {
    const QString folder = pathOf(u"sub"_s);
    JSONStore<Record> store(u"settings.json"_s, Record{}, kDebounce, folder, m_clock, m_log);
    ASSERT_FALSE(QFileInfo::exists(folder));

    store.flush();
    EXPECT_TRUE(QFileInfo::exists(folder + u"/settings.json"_s));
}

TEST_F(JsonStoreWriteTest, WritesSortedPrettyJsonWithDatesAsSecondsSince2001) {
    const auto store = makeStore();
    Record record;
    record.seen = QDateTime(QDate(2001, 1, 1), QTime(0, 1, 40), Qt::UTC);
    store->set(record);
    m_clock.advance(kDebounce);

    const QByteArray file = readFile(u"settings.json"_s);
    EXPECT_TRUE(file.startsWith("{\n  \"count\" : 0,\n  \"entries\" : ["));
    EXPECT_LT(file.indexOf("\"inner\""), file.indexOf("\"name\""));
    EXPECT_LT(file.indexOf("\"ratio\""), file.indexOf("\"seen\""));
    EXPECT_TRUE(file.contains("\"seen\" : 100\n"));
    EXPECT_EQ(makeStore()->value(), record);
}

TEST_F(JsonStoreWriteTest, ReplaceAndFlushWritesAdoptsAndCancelsThePendingWrite) {
    const auto store = makeStore();
    store->update([](Record &record) { record.count = 1; });
    Record replacement;
    replacement.count = 2;
    store->replaceAndFlush(replacement);

    EXPECT_EQ(store->value(), replacement);
    EXPECT_EQ(writtenCount(readFile(u"settings.json"_s)), 2);
    QFile::remove(pathOf(u"settings.json"_s));
    m_clock.advance(seconds(5));
    EXPECT_FALSE(exists(u"settings.json"_s));
}

TEST_F(JsonStoreWriteTest, ReplaceAndFlushThatCannotEncodeChangesNothing) {
    writeFile(u"settings.json"_s, R"({"count": 5})");
    const QByteArray before = readFile(u"settings.json"_s);
    const auto store = makeStore();
    store->update([](Record &record) { record.count = 6; });

    Record unencodable;
    unencodable.ratio = std::numeric_limits<double>::quiet_NaN();
    try {
        store->replaceAndFlush(unencodable);
        FAIL() << "a non-finite number was written";
    } catch (const StoreError &error) {
        EXPECT_TRUE(error.message().contains(u"settings.json"_s)) << error.what();
    }

    EXPECT_EQ(store->value().count, 6);
    EXPECT_EQ(readFile(u"settings.json"_s), before);
    // The earlier change is still on its way to the disk.
    m_clock.advance(kDebounce);
    EXPECT_EQ(writtenCount(readFile(u"settings.json"_s)), 6);
}

TEST_F(JsonStoreWriteTest, ReplaceAndFlushThatCannotWriteChangesNothing) {
    const auto store = makeStore();
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"settings.json"_s));

    Record replacement;
    replacement.count = 3;
    EXPECT_THROW(store->replaceAndFlush(replacement), StoreError);

    EXPECT_EQ(store->value(), Record{});
    EXPECT_TRUE(QFileInfo(pathOf(u"settings.json"_s)).isDir());
    EXPECT_EQ(entries(), QStringList{u"settings.json"_s});
}

} // namespace
} // namespace zorv::storetest
