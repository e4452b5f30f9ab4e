#include "storetestfixture.h"

#include "storage/backups.h"

#include <QLocale>

#include <limits>

namespace zorv::storetest {
namespace {

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

} // namespace
} // namespace zorv::storetest
