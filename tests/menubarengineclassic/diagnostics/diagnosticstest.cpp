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

QByteArray numberedLines(int from, int to) {
    QByteArray text;
    for (int i = from; i <= to; ++i) {
        text += "{\"n\":" + QByteArray::number(i) + "}\n";
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

TEST_F(DiagnosticsTest, AppendKeepsTheNewestNonBlankLinesUpToTheCap) {
    const struct {
        const char *what;
        QByteArray log; // null: no log yet
        QByteArray kept;
    } cases[] = {
        {"missing", QByteArray(), ""},
        {"overFull", numberedLines(1, 700), numberedLines(102, 700)},
        // 600 lines, blank ones not counted: the oldest goes.
        {"fullWithBlankLines",
         "\n\n" + numberedLines(1, 300) + "\n\n" + numberedLines(301, 600) + "\n",
         numberedLines(2, 600)},
        {"noTrailingLineFeed", "{\"n\":1}", "{\"n\":1}\n"},
        {"invalidUtf8", "{\"n\":1}\n{\"n\":\"\xff\xfe\"}\n", ""},
    };
    for (const auto &[what, log, kept] : cases) {
        SCOPED_TRACE(what);
        if (!log.isNull()) {
            QFile file(m_folder + u"/events.jsonl"_s);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(log);
        }
        m_diagnostics.append(u"events.jsonl"_s, QJsonObject{{u"kind"_s, u"new"_s}});
        EXPECT_EQ(read(u"events.jsonl"_s),
                  kept + "{\"at\":\"2026-12-05T14:44:07Z\",\"kind\":\"new\"}\n");
    }
}

} // namespace
} // namespace zorv
