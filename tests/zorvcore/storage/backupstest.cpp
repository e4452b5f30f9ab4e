#include "storage/backups.h"
#include "manualclock.h"
#include "testrecord.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

namespace zorv::storetest {
namespace {

class BackupsTest : public ::testing::Test {
protected:
    [[nodiscard]] QString folder() const { return m_dir.filePath(u"backups"_s); }

    [[nodiscard]] QStringList names() const {
        return QDir(folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    void writeFile(const QString &name, const QByteArray &bytes) const {
        QDir().mkpath(folder());
        QFile file(QDir(folder()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    [[nodiscard]] static Record recordWithCount(int count) {
        Record record;
        record.count = count;
        return record;
    }

    QTemporaryDir m_dir;
    ManualClock m_clock{QDateTime(QDate(2026, 12, 1), QTime(9, 5, 7, 42), Qt::UTC)};
    Backups m_backups{folder(), m_clock};
};

TEST_F(BackupsTest, NamesSnapshotsByLabelAndUtcStampInWesternDigits) {
    // A region with its own digits must not leak into file names.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    const auto path = m_backups.snapshot(recordWithCount(1), u"layout"_s, 10);
    QLocale::setDefault(previous);

    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, QDir(folder()).filePath(u"layout-20261201-090507-042.json"_s));
    QFile file(*path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("{\n  \"count\" : 1,\n"));
}

TEST_F(BackupsTest, ASecondSnapshotInTheSameMillisecondReplacesTheFirst) {
    const auto first = m_backups.snapshot(recordWithCount(1), u"layout"_s, 10);
    const auto second = m_backups.snapshot(recordWithCount(2), u"layout"_s, 10);

    EXPECT_EQ(first, second);
    EXPECT_EQ(names().size(), 1);
    EXPECT_EQ(m_backups.latest<Record>(u"layout"_s)->count, 2);
}

TEST_F(BackupsTest, KeepsTheNewestOfTheLabelOnly) {
    for (int i = 0; i < 12; ++i) {
        m_backups.snapshot(recordWithCount(i), u"layout"_s, 10);
        m_clock.advance(std::chrono::milliseconds(1));
    }

    const QStringList kept = names();
    ASSERT_EQ(kept.size(), 10);
    EXPECT_EQ(kept.first(), u"layout-20261201-090507-044.json"_s);
    EXPECT_EQ(kept.last(), u"layout-20261201-090507-053.json"_s);
    EXPECT_EQ(m_backups.latest<Record>(u"layout"_s)->count, 11);
}

TEST_F(BackupsTest, KeepZeroRemovesEveryFileOfTheLabelButNoOtherFile) {
    const QStringList others{
        u"before-import-0b7e3a52-6f0e-4d5c-9a57-8f2c1d2e3f40.json"_s,
        u"layout-20200101-000000-000.JSON"_s, u"layout-20200101-000000-000.json.tmp"_s,
        u"layoutx-20200101-000000-000.json"_s, u"profiles-20200101-000000-000.json"_s};
    for (const QString &name : others) {
        writeFile(name, "{}");
    }
    writeFile(u"layout-20200101-000000-000.json"_s, "{}");

    EXPECT_TRUE(m_backups.snapshot(recordWithCount(1), u"layout"_s, 0).has_value());

    EXPECT_EQ(names(), others);
    EXPECT_FALSE(m_backups.latest<Record>(u"layout"_s).has_value());
}

TEST_F(BackupsTest, AFailedSnapshotWritesAndPrunesNothing) {
    writeFile(u"layout-20200101-000000-000.json"_s, "{}");
    Record unencodable;
    unencodable.ratio = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(m_backups.snapshot(unencodable, u"layout"_s, 0).has_value());

    // A folder where the snapshot should go makes the write itself fail.
    QDir(folder()).mkdir(u"layout-20261201-090507-042.json"_s);
    EXPECT_FALSE(m_backups.snapshot(recordWithCount(1), u"layout"_s, 0).has_value());

    EXPECT_EQ(names(), QStringList{u"layout-20200101-000000-000.json"_s});
}

TEST_F(BackupsTest, LatestReadsOnlyTheNewestSnapshot) {
    EXPECT_FALSE(m_backups.latest<Record>(u"layout"_s).has_value());

    m_backups.snapshot(recordWithCount(1), u"layout"_s, 10);
    m_clock.advance(std::chrono::milliseconds(1));
    m_backups.snapshot(recordWithCount(2), u"other"_s, 10);
    EXPECT_EQ(m_backups.latest<Record>(u"layout"_s)->count, 1);

    // A newest snapshot that does not decode hides the older ones.
    writeFile(u"layout-20991231-235959-999.json"_s, R"({"count": "many"})");
    EXPECT_FALSE(m_backups.latest<Record>(u"layout"_s).has_value());
}

} // namespace
} // namespace zorv::storetest
