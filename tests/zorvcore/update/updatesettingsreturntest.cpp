#include "update/updatesettingsreturn.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

class UpdateSettingsReturnTest : public ::testing::Test {
protected:
    QTemporaryDir m_folder;
    // A folder that does not exist yet: prepare creates it.
    QString m_path = m_folder.filePath(u"Zorv/update-settings-return.json"_s);
    QDateTime m_now = QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC);

    void writeFile(const QByteArray &bytes) {
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

TEST_F(UpdateSettingsReturnTest, WritesCompactPaneThenCreatedInReferenceSeconds) {
    UpdateSettingsReturn::prepare(u"spacing"_s, m_path, m_now);
    QFile file(m_path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // 2026-12-01T09:00:00Z is 817,808,400 s after 2001-01-01T00:00:00Z.
    EXPECT_EQ(file.readAll(), R"({"pane":"spacing","created":817808400})");
}

TEST_F(UpdateSettingsReturnTest, HonoursAMarkerAtMostTenMinutesOldAndOnlyOnce) {
    struct Row {
        double ageSeconds;
        std::optional<QString> expected;
    };
    for (const Row &row : {Row{0, u"spacing"_s}, Row{600, u"spacing"_s}, Row{601, std::nullopt},
                           Row{-1, std::nullopt}}) {
        UpdateSettingsReturn::prepare(u"spacing"_s, m_path, m_now);
        const QDateTime later = m_now.addMSecs(static_cast<qint64>(row.ageSeconds * 1000));
        EXPECT_EQ(UpdateSettingsReturn::consume(m_path, later), row.expected) << row.ageSeconds;
        EXPECT_FALSE(QFile::exists(m_path)) << row.ageSeconds;
        EXPECT_EQ(UpdateSettingsReturn::consume(m_path, later), std::nullopt);
    }
}

TEST_F(UpdateSettingsReturnTest, PrepareWithoutAKnownPaneOnlyRemovesTheMarker) {
    for (const std::optional<QString> &pane :
         {std::optional<QString>(), std::optional<QString>(u"layout"_s)}) {
        UpdateSettingsReturn::prepare(u"about"_s, m_path, m_now);
        ASSERT_TRUE(QFile::exists(m_path));
        UpdateSettingsReturn::prepare(pane, m_path, m_now);
        EXPECT_FALSE(QFile::exists(m_path));
    }
}

TEST_F(UpdateSettingsReturnTest, BadMarkersYieldNothingAndAreDeleted) {
    UpdateSettingsReturn::prepare(u"general"_s, m_path, m_now); // creates the folder
    for (const QByteArray &bytes : {QByteArray("not json"), QByteArray(R"({"pane":"general"})"),
                                    QByteArray(R"({"pane":"layout","created":817808400})"),
                                    QByteArray(R"({"pane":7,"created":817808400})")}) {
        writeFile(bytes);
        EXPECT_EQ(UpdateSettingsReturn::consume(m_path, m_now), std::nullopt) << bytes.constData();
        EXPECT_FALSE(QFile::exists(m_path));
    }
}

} // namespace
} // namespace zorv
