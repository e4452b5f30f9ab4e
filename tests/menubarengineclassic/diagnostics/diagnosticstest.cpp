#include "diagnostics/diagnostics.h"
#include "manualclock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr char kAt[] = "2026-12-05T14:44:07Z";

QByteArray numberedLines(int from, int to) {
    QByteArray text;
    for (int i = from; i <= to; ++i) {
        text += "{\"n\":" + QByteArray::number(i) + "}\n";
    }
    return text;
}

class DiagnosticsTest : public ::testing::Test {
protected:
    [[nodiscard]] QString folder() const { return m_dir.filePath(u"Zorv"_s); }

    [[nodiscard]] QByteArray read(const QString &name) const {
        QFile file(QDir(folder()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeLog(const QByteArray &bytes) const {
        QDir().mkpath(folder());
        QFile file(QDir(folder()).filePath(u"events.jsonl"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir m_dir;
    // Half a second past the whole second: "at" keeps whole seconds only.
    ManualClock m_clock{QDateTime(QDate(2026, 12, 5), QTime(14, 44, 7, 500), Qt::UTC)};
    Diagnostics m_diagnostics{folder(), m_clock};
};

const QJsonObject kRecord{{u"reason"_s, u"watchdog: icon off-screen/left"_s},
                          {u"kind"_s, u"reveal"_s},
                          {u"at"_s, u"from the writer"_s}};

TEST_F(DiagnosticsTest, WriteReplacesTheSnapshotWithSortedStampedPrettyJson) {
    m_diagnostics.write(u"diagnostics.json"_s, QJsonObject{{u"kind"_s, u"first"_s}});
    m_diagnostics.write(u"diagnostics.json"_s, kRecord);

    EXPECT_EQ(read(u"diagnostics.json"_s),
              QByteArray("{\n  \"at\" : \"") + kAt +
                  "\",\n  \"kind\" : \"reveal\",\n  \"reason\" : \"watchdog: icon "
                  "off-screen\\/left\"\n}");
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden),
              QStringList{u"diagnostics.json"_s});
}

TEST_F(DiagnosticsTest, AppendAddsOneSortedStampedCompactLine) {
    m_diagnostics.append(u"events.jsonl"_s, kRecord);

    EXPECT_EQ(read(u"events.jsonl"_s),
              QByteArray("{\"at\":\"") + kAt +
                  "\",\"kind\":\"reveal\",\"reason\":\"watchdog: icon off-screen\\/left\"}\n");
}

struct ExistingLog {
    const char *what;
    QByteArray bytes;
    // The lines of the old log that survive the append, in order.
    QByteArray kept;
};

void PrintTo(const ExistingLog &param, std::ostream *out) {
    *out << param.what;
}

class DiagnosticsAppendTest : public DiagnosticsTest,
                              public ::testing::WithParamInterface<ExistingLog> {};

TEST_P(DiagnosticsAppendTest, KeepsTheNewestNonBlankLinesUpToTheCap) {
    if (!GetParam().bytes.isNull()) {
        writeLog(GetParam().bytes);
    }

    m_diagnostics.append(u"events.jsonl"_s, QJsonObject{{u"kind"_s, u"new"_s}});

    const QByteArray newLine = QByteArray("{\"at\":\"") + kAt + "\",\"kind\":\"new\"}\n";
    EXPECT_EQ(read(u"events.jsonl"_s), GetParam().kept + newLine);
}

INSTANTIATE_TEST_SUITE_P(
    Logs, DiagnosticsAppendTest,
    ::testing::Values(ExistingLog{"missing", QByteArray(), ""},
                      ExistingLog{"full", numberedLines(1, 600), numberedLines(2, 600)},
                      ExistingLog{"overFull", numberedLines(1, 700), numberedLines(102, 700)},
                      ExistingLog{"blankLines",
                                  "\n\n" + numberedLines(1, 300) + "\n\n" +
                                      numberedLines(301, 600) + "\n",
                                  numberedLines(2, 600)},
                      ExistingLog{"noTrailingLineFeed", "{\"n\":1}", "{\"n\":1}\n"},
                      ExistingLog{"invalidUtf8", "{\"n\":1}\n{\"n\":\"\xff\xfe\"}\n", ""}),
    [](const auto &info) { return std::string(info.param.what); });

TEST_F(DiagnosticsTest, ARecordThatCannotBeWrittenLeavesTheFilesAlone) {
    m_diagnostics.write(u"diagnostics.json"_s, QJsonObject{{u"kind"_s, u"good"_s}});
    m_diagnostics.append(u"events.jsonl"_s, QJsonObject{{u"kind"_s, u"good"_s}});
    const QByteArray snapshot = read(u"diagnostics.json"_s);
    const QByteArray log = read(u"events.jsonl"_s);

    const QJsonObject bad{{u"value"_s, std::numeric_limits<double>::infinity()}};
    m_diagnostics.write(u"diagnostics.json"_s, bad);
    m_diagnostics.append(u"events.jsonl"_s, bad);

    EXPECT_EQ(read(u"diagnostics.json"_s), snapshot);
    EXPECT_EQ(read(u"events.jsonl"_s), log);
}

TEST_F(DiagnosticsTest, AFileThatCannotBeReplacedStaysAndLeavesNoTemporaryFiles) {
    ASSERT_TRUE(QDir().mkpath(QDir(folder()).filePath(u"events.jsonl"_s)));

    m_diagnostics.append(u"events.jsonl"_s, kRecord);
    m_diagnostics.write(u"events.jsonl"_s, kRecord);

    EXPECT_TRUE(QFileInfo(QDir(folder()).filePath(u"events.jsonl"_s)).isDir());
    EXPECT_EQ(QDir(folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{u"events.jsonl"_s});
}

} // namespace
} // namespace zorv
