#include "update/updatesettingsreturn.h"
#include "update/updatestatus.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST(UpdateAvailabilityTest, OnlyAnOfferedVersionHasAMenuRow) {
    EXPECT_EQ(
        UpdateAvailability::available(u"2.1"_s).menuRow(),
        (UpdateAvailability::MenuRow{u"Version 2.1 Available"_s, u"Click to learn more\u2026"_s}));
    EXPECT_EQ(UpdateAvailability::upToDate().menuRow(), std::nullopt);
}

TEST(UpdateAvailabilityTest, StatusLineTakesTheFirstRuleThatApplies) {
    using U = UpdateAvailability;
    const struct {
        UpdateAvailability availability;
        bool checking, failed, everChecked;
        QString expected;
    } rows[] = {
        {U::available(u"2.1"_s), true, false, false, u"Checking\u2026"_s},
        {U::available(u"2.1"_s), false, true, true, u"Version 2.1 is available."_s},
        {U::upToDate(), false, true, true, u"You're up to date."_s},
        {U::unknown(), false, true, true, u"The update server could not be reached."_s},
        {U::unknown(), false, false, true, u"Not checked since Zorv opened."_s},
        {U::unknown(), false, false, false, u"Not checked yet."_s},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(row.availability.statusLine(row.checking, row.failed, row.everChecked),
                  row.expected);
    }
}

TEST(UpdateAvailabilityTest, LastCheckLineNamesTheDayInTheUsersZoneAndLocale) {
    const QDateTime now(QDate(2026, 12, 1), QTime(15, 0), Qt::UTC);
    const QTimeZone utc = QTimeZone::utc();
    const QLocale us(u"en_US"_s);
    const QLocale german(u"de_DE"_s);
    const QLocale japanese(u"ja_JP"_s);
    auto at = [](int day, int hour, int minute) {
        return QDateTime(QDate(2026, day < 10 ? 12 : 11, day), QTime(hour, minute), Qt::UTC);
    };
    const struct {
        std::optional<QDateTime> checked;
        QTimeZone zone;
        QLocale locale;
        QString expected;
    } rows[] = {
        {std::nullopt, utc, us, u"Never checked"_s},
        {at(1, 9, 5), utc, us, u"Last check: Today, 9:05 AM"_s},
        {at(30, 21, 5), utc, us, u"Last check: Yesterday, 9:05 PM"_s},
        {at(29, 9, 5), utc, us, u"Last check: Nov 29, 9:05 AM"_s},
        {at(29, 9, 5), utc, japanese, u"Last check: 11\u670829\u65e5, 9:05"_s},
        // 23:30 UTC is already the next day an hour east of Greenwich.
        {at(30, 23, 30), utc, german, u"Last check: Yesterday, 23:30"_s},
        {at(30, 23, 30), QTimeZone(3600), german, u"Last check: Today, 00:30"_s},
        // The C locale's time pattern carries seconds; the line never does.
        {at(1, 9, 5), utc, QLocale::c(), u"Last check: Today, 09:05"_s},
        // Month and day keep each locale's own words, and times avoid fields Qt cannot render.
        {at(29, 15, 5), utc, us, u"Last check: Nov 29, 3:05 PM"_s},
        {at(29, 15, 5), utc, QLocale(u"en_GB"_s), u"Last check: 29 Nov, 15:05"_s},
        {at(29, 15, 5), utc, german, u"Last check: 29. Nov., 15:05"_s},
        {at(29, 15, 5), utc, QLocale(u"es_ES"_s), u"Last check: 29 de nov, 15:05"_s},
        {at(29, 15, 5), utc, QLocale(u"ru_RU"_s), u"Last check: 29 нояб., 15:05"_s},
        {at(29, 15, 5), utc, QLocale(u"hu_HU"_s), u"Last check: nov. 29., 15:05"_s},
        {at(29, 15, 5), utc, QLocale(u"lt_LT"_s), u"Last check: lapkr. 29 d., 15:05"_s},
        {at(29, 15, 5), utc, QLocale(u"ko_KR"_s), u"Last check: 11월 29일, 오후 3:05"_s},
        {at(29, 15, 5), utc, QLocale(u"zh_CN"_s), u"Last check: 11月29日, 15:05"_s},
        // The locale's time pattern "Bh:mm" holds a day period Qt cannot render.
        {at(29, 15, 5), utc, QLocale(u"zh_TW"_s), u"Last check: 11月29日, 15:05"_s},
        {at(1, 15, 0), utc, QLocale(u"zh_TW"_s), u"Last check: Today, 15:00"_s},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(UpdateAvailability::lastCheckLine(row.checked, now, row.zone, row.locale),
                  row.expected)
            << row.locale.name().toStdString();
    }
}

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
