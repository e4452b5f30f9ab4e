#include "diagnostics/diagnostics.h"
#include "manualclock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// Log lines {"n":from} to {"n":to}, each with `stamp` before its number.
QByteArray numberedLines(int from, int to, const QByteArray &stamp = {}) {
    QByteArray text;
    for (int i = from; i <= to; ++i) {
        text += "{" + stamp + "\"n\":" + QByteArray::number(i) + "}\n";
    }
    return text;
}

class DiagnosticsTest : public ::testing::Test {
protected:
    [[nodiscard]] QByteArray read(const QString &name) const {
        QFile file(m_folder + u'/' + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    const QString m_folder = m_dir.filePath(u"Zorv"_s);
    // Half a second past the whole second: "at" keeps whole seconds only.
    ManualClock m_clock{QDateTime(QDate(2026, 12, 5), QTime(14, 44, 7, 500), Qt::UTC)};
    Diagnostics m_diagnostics{m_folder, m_clock};
};

TEST_F(DiagnosticsTest, WritesSortedStampedRecordsAndLeavesFilesAloneOnFailure) {
    const QJsonObject record{{u"reason"_s, u"a/b"_s}, {u"kind"_s, u"x"_s}, {u"at"_s, u"old"_s}};
    const QJsonObject bad{{u"value"_s, std::numeric_limits<double>::infinity()}};
    m_diagnostics.write(u"diagnostics.json"_s, QJsonObject{{u"kind"_s, u"first"_s}});
    // A folder in a file's place stays, and no temporary file is left behind.
    ASSERT_TRUE(QDir(m_folder).mkdir(u"blocked"_s));
    for (const QJsonObject &each : {record, bad}) {
        for (const QString &name : {u"diagnostics.json"_s, u"blocked"_s}) {
            m_diagnostics.write(name, each);
        }
        for (const QString &name : {u"events.jsonl"_s, u"blocked"_s}) {
            m_diagnostics.append(name, each);
        }
    }

    EXPECT_EQ(read(u"diagnostics.json"_s), "{\n  \"at\" : \"2026-12-05T14:44:07Z\",\n  \"kind\" : "
                                           "\"x\",\n  \"reason\" : \"a\\/b\"\n}");
    EXPECT_EQ(read(u"events.jsonl"_s),
              "{\"at\":\"2026-12-05T14:44:07Z\",\"kind\":\"x\",\"reason\":\"a\\/b\"}\n");
    EXPECT_EQ(QDir(m_folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{u"blocked"_s, u"diagnostics.json"_s, u"events.jsonl"_s}));
}

// A snapshot that only changes in its volatile keys is left as it is for a while.
TEST_F(DiagnosticsTest, WriteWhenChangedSkipsRecordsThatDifferOnlyInVolatileKeys) {
    const struct {
        const char *what;
        double after; // seconds since the previous step
        int volatileValue;
        int lastingValue;
        bool removeFirst;
        QTime written; // the "at" the file shows afterwards
    } steps[] = {
        {"first", 0.0, 1, 1, false, QTime(14, 44, 7)},
        {"onlyVolatileChanged", 30.0, 2, 1, false, QTime(14, 44, 7)},
        {"lastingChanged", 30.0, 2, 2, false, QTime(14, 45, 7)},
        {"fileRemoved", 30.0, 2, 2, true, QTime(14, 45, 37)},
        {"stillUnchanged", 599.0, 3, 2, false, QTime(14, 45, 37)},
        {"unchangedForLong", 1.0, 3, 2, false, QTime(14, 55, 37)},
    };
    for (const auto &[what, after, volatileValue, lastingValue, removeFirst, written] : steps) {
        SCOPED_TRACE(what);
        m_clock.advance(seconds(after));
        if (removeFirst) {
            QFile::remove(m_folder + u"/diagnostics.json"_s);
        }
        m_diagnostics.writeWhenChanged(
            u"diagnostics.json"_s,
            QJsonObject{{u"frames"_s, volatileValue}, {u"items"_s, lastingValue}}, {u"frames"_s},
            seconds(600.0));
        EXPECT_TRUE(
            read(u"diagnostics.json"_s)
                .contains(u"2026-12-05T%1Z"_s.arg(written.toString(u"HH:mm:ss"_s)).toUtf8()));
    }
}

// A reader that needs the file now gets the newest record left out, once; with none left out the
// file stays as it is.
TEST_F(DiagnosticsTest, WriteLeftOutPutsTheNewestSkippedRecordOnDisk) {
    const auto offer = [this](int frames) {
        m_diagnostics.writeWhenChanged(u"diagnostics.json"_s,
                                       QJsonObject{{u"frames"_s, frames}, {u"items"_s, 1}},
                                       {u"frames"_s}, seconds(600.0));
    };
    m_diagnostics.writeLeftOut(u"diagnostics.json"_s);
    EXPECT_FALSE(QFile::exists(m_folder + u"/diagnostics.json"_s)) << "nothing given yet";
    offer(1);
    m_clock.advance(seconds(30));
    m_diagnostics.writeLeftOut(u"diagnostics.json"_s);
    EXPECT_TRUE(read(u"diagnostics.json"_s).contains("\"frames\" : 1,\n  \"items\" : 1"));
    EXPECT_TRUE(read(u"diagnostics.json"_s).contains("14:44:07Z")) << "nothing was left out";
    offer(2);
    offer(3);
    EXPECT_TRUE(read(u"diagnostics.json"_s).contains("\"frames\" : 1,"));
    m_diagnostics.writeLeftOut(u"diagnostics.json"_s);
    EXPECT_TRUE(read(u"diagnostics.json"_s).contains("\"frames\" : 3,"));
    EXPECT_TRUE(read(u"diagnostics.json"_s).contains("14:44:37Z"));
    QFile::remove(m_folder + u"/diagnostics.json"_s);
    m_diagnostics.writeLeftOut(u"diagnostics.json"_s);
    EXPECT_FALSE(QFile::exists(m_folder + u"/diagnostics.json"_s)) << "written once";
}

// A log found at start is cut back to the newest lines at the first line appended; a line a crash
// left unfinished ends there, and a log too big to read is read from its end.
TEST_F(DiagnosticsTest, FirstAppendCutsAFoundLogBackToTheNewestNonBlankLines) {
    const QByteArray huge(Diagnostics::kMaxLogReadBytes, 'x');
    const struct {
        const char *what;
        QByteArray log; // null: no log yet
        QByteArray kept;
    } cases[] = {
        {"missing", QByteArray(), ""},
        {"belowCap", numberedLines(1, 10), numberedLines(1, 10)},
        {"atCap", numberedLines(1, 600), numberedLines(1, 600)},
        {"overFull", numberedLines(1, 700), numberedLines(101, 700)},
        {"fullWithBlankLines",
         "\n\n" + numberedLines(1, 300) + "\n\n" + numberedLines(301, 600) + "\n",
         numberedLines(1, 600)},
        {"unfinishedByACrash", "{\"n\":1}\n{\"n\":2,\"ki", "{\"n\":1}\n{\"n\":2,\"ki\n"},
        {"invalidUtf8", "{\"n\":1}\n{\"n\":\"\xff\xfe\"}\n", ""},
        {"hugeGarbageLine", "\xff" + huge + "\n" + numberedLines(1, 10), numberedLines(1, 10)},
        {"hugeLastLine", numberedLines(1, 10) + "x" + huge, ""},
    };
    for (const auto &[what, log, kept] : cases) {
        SCOPED_TRACE(what);
        QFile::remove(m_folder + u"/events.jsonl"_s);
        if (!log.isNull()) {
            QFile file(m_folder + u"/events.jsonl"_s);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(log);
        }
        Diagnostics(m_folder, m_clock)
            .append(u"events.jsonl"_s, QJsonObject{{u"kind"_s, u"new"_s}});
        EXPECT_EQ(read(u"events.jsonl"_s),
                  kept + "{\"at\":\"2026-12-05T14:44:07Z\",\"kind\":\"new\"}\n");
    }
}

// Lines are appended to the same file until the log reaches twice its cap, then it is cut back
// to the newest cap's worth.
TEST_F(DiagnosticsTest, AppendsInPlaceAndCutsBackAtTwiceTheCap) {
    const auto inode = [this] {
        struct stat status {};
        return ::stat(QFile::encodeName(m_folder + u"/events.jsonl"_s).constData(), &status) == 0
                   ? status.st_ino
                   : 0;
    };
    const struct {
        int appends;
        int firstKept;
        bool sameFile; // as after the first line, or after the last cut-back
    } steps[] = {{1, 1, true},      {1199, 1, true},   {1200, 601, false},
                 {1201, 601, true}, {1799, 601, true}, {1800, 1201, false}};
    int appended = 0;
    std::optional<ino_t> file;
    for (const auto &[appends, firstKept, sameFile] : steps) {
        SCOPED_TRACE(appends);
        for (; appended < appends; ++appended) {
            m_diagnostics.append(u"events.jsonl"_s, QJsonObject{{u"n"_s, appended + 1}});
        }
        EXPECT_EQ(read(u"events.jsonl"_s),
                  numberedLines(firstKept, appends, "\"at\":\"2026-12-05T14:44:07Z\","));
        EXPECT_EQ(file.value_or(inode()) == inode(), sameFile);
        file = inode();
    }
}

} // namespace
} // namespace zorv
