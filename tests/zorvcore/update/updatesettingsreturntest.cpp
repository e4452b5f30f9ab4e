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
};

TEST_F(UpdateSettingsReturnTest, HonoursAMarkerAtMostTenMinutesOldAndOnlyOnce) {
    for (const auto &[age, expected] : {std::pair{0, std::optional(u"spacing"_s)},
                                        {600, u"spacing"_s},
                                        {601, std::nullopt},
                                        {-1, std::nullopt}}) {
        UpdateSettingsReturn::prepare(u"spacing"_s, m_path, m_now);
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        // 2026-12-01T09:00:00Z is 817,808,400 s after 2001-01-01T00:00:00Z.
        EXPECT_EQ(file.readAll(), R"({"pane":"spacing","created":817808400})");
        file.close();
        EXPECT_EQ(UpdateSettingsReturn::consume(m_path, m_now.addSecs(age)), expected) << age;
        EXPECT_FALSE(QFile::exists(m_path));
        EXPECT_EQ(UpdateSettingsReturn::consume(m_path, m_now), std::nullopt);
    }
}

TEST_F(UpdateSettingsReturnTest, UnknownPanesAndBadMarkersYieldNothingAndAreDeleted) {
    for (const std::optional<QString> &pane :
         {std::optional<QString>(), std::optional(u"layout"_s)}) {
        UpdateSettingsReturn::prepare(u"about"_s, m_path, m_now);
        ASSERT_TRUE(QFile::exists(m_path));
        UpdateSettingsReturn::prepare(pane, m_path, m_now);
        EXPECT_FALSE(QFile::exists(m_path));
    }
    for (const QByteArray bytes :
         {"not json", R"({"pane":"general"})", R"({"pane":"layout","created":817808400})",
          R"({"pane":7,"created":817808400})"}) {
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        EXPECT_EQ(UpdateSettingsReturn::consume(m_path, m_now), std::nullopt) << bytes.constData();
        EXPECT_FALSE(QFile::exists(m_path));
    }
}

} // namespace
} // namespace zorv
