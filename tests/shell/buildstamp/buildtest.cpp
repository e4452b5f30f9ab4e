#include "buildstamp/build.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QByteArray complete = R"({"sha": "3f2a9c1d0e4b", "subject": "Tidy the menu",
    "committed": "2026-12-05T19:40:00+01:00", "branch": "main",
    "built_at": "2026-12-05T19:42:07Z", "extra": 1})";

BundleFacts bundle(const QString &version = u"1.4"_s) {
    return {u"app.zorv.Zorv"_s, version, u"14"_s, u"Zorv"_s};
}

TEST(BuildStampTest, AStampNeedsAllFiveStrings) {
    const BuildStamp fallback;
    const struct {
        const char *name;
        QByteArray bytes;
        std::optional<QString> sha;
    } cases[] = {
        {"complete, other keys ignored", complete, u"3f2a9c1d0e4b"_s},
        {"dirty tree", QByteArray(complete).replace("0e4b\"", "0e4b+\""), u"3f2a9c1d0e4b+"_s},
        {"build time spelt as the field name", QByteArray(complete).replace("built_at", "builtAt"),
         std::nullopt},
        {"a number for the branch", QByteArray(complete).replace("\"main\"", "7"), std::nullopt},
        {"null subject", QByteArray(complete).replace("\"Tidy the menu\"", "null"), std::nullopt},
        {"empty file (a build without git)", "", std::nullopt},
        {"not JSON", "sha=3f2a", std::nullopt},
        {"an array", "[]", std::nullopt},
    };
    for (const auto &c : cases) {
        const auto stamp = BuildStamp::parse(c.bytes);
        EXPECT_EQ(stamp ? std::optional<QString>(stamp->sha) : std::nullopt, c.sha) << c.name;
    }
    EXPECT_EQ(fallback.sha, u"unknown"_s);
    EXPECT_EQ(fallback.subject, u"unknown"_s);
    EXPECT_EQ(fallback.branch, u"unknown"_s);
    EXPECT_TRUE(fallback.committed.isEmpty() && fallback.builtAt.isEmpty());
}

TEST(BuildStampTest, LoadsTheFirstStampFoundAndFallsBackOtherwise) {
    QTemporaryDir folder;
    const QString good = folder.filePath(u"good.json"_s);
    const QString bad = folder.filePath(u"bad.json"_s);
    const QString huge = folder.filePath(u"huge.json"_s);
    const auto write = [](const QString &path, const QByteArray &bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(good, complete);
    write(bad, "{");
    write(huge, complete + QByteArray(BuildStamp::maximumBytes, ' '));
    const QString missing = folder.filePath(u"missing.json"_s);
    EXPECT_EQ(BuildStamp::load({missing, good}).sha, u"3f2a9c1d0e4b"_s);
    EXPECT_EQ(BuildStamp::load({bad, good}), BuildStamp{});
    EXPECT_EQ(BuildStamp::load({huge}), BuildStamp{});
    EXPECT_EQ(BuildStamp::load({missing}), BuildStamp{});
    // This build's own stamp is compiled in: from git, or empty (and so the fall-back) without.
    EXPECT_TRUE(QFile::exists(BuildStamp::resourcePath));
}

TEST(BuildTest, TextsFromTheStampAndTheBundle) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QTimeZone utc = QTimeZone::utc();
    const Build stamped(*BuildStamp::parse(complete), bundle());
    EXPECT_EQ(stamped.shortText(), u"v1.4 · 3f2a9c1d0e4b"_s);
    EXPECT_EQ(stamped.line(english, utc), u"v1.4 · 3f2a9c1d0e4b · built Dec 5, 7:42 PM"_s);
    EXPECT_EQ(stamped.committed(), QDateTime(QDate(2026, 12, 5), QTime(18, 40), Qt::UTC));
    EXPECT_FALSE(stamped.dirty());

    const Build unstamped(BuildStamp{}, bundle(u"0"_s));
    EXPECT_EQ(unstamped.line(english, utc), u"v0 · unknown · built unknown"_s);
    EXPECT_FALSE(unstamped.dirty());
    EXPECT_FALSE(unstamped.committed() || unstamped.builtAt());

    BuildStamp dirty = *BuildStamp::parse(complete);
    dirty.sha += u'+';
    EXPECT_TRUE(Build(dirty, bundle()).dirty());
    EXPECT_TRUE(Build(dirty, bundle()).shortText().endsWith(u"0e4b+"_s));
}

TEST(BuildTest, ReadsOnlyInternetDateTimes) {
    const struct {
        const char *text;
        bool reads;
    } cases[] = {
        {"2026-12-05T19:42:07Z", true},
        {"2026-12-05T19:42:07+01:00", true},
        {"2026-12-05T19:42:07.250Z", false},
        {"2026-12-05T19:42:07", false},
        {"2026-12-05 19:42:07Z", false},
        {"2026-13-05T19:42:07Z", false},
        {"", false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Build::parseDate(QString::fromLatin1(c.text)).has_value(), c.reads) << c.text;
    }
}

} // namespace
} // namespace zorv
