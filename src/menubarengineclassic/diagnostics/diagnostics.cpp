#include "diagnostics.h"

#include "clock.h"
#include "jsondates.h"
#include "jsonwriter.h"
#include "storage/atomicfile.h"
#include "storage/wholefile.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <utility>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr JsonFormat kSnapshotFormat = JsonFormat::pretty().withEscapedSlashes();
constexpr JsonFormat kLogLineFormat = JsonFormat::compact().withEscapedSlashes();

bool isValidUtf8(const QByteArray &bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    // decode() converts lazily: the conversion to QString is what runs the decoder.
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// Adds `bytes` at the end of the file in one write; false when not all of them got there.
bool appendToFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered) &&
           file.write(bytes) == bytes.size();
}

} // namespace

Diagnostics::Diagnostics(QString folder, const Clock &clock)
    : m_folder(std::move(folder)), m_clock(clock) {}

void Diagnostics::write(const QString &fileName, const QJsonObject &record) const {
    const auto bytes = writeJson(stamped(record), kSnapshotFormat);
    if (!bytes) {
        return;
    }
    // Atomic, so a reader (the problem report) never picks up half a snapshot.
    (void)writeFileAtomically(pathOf(fileName), *bytes, FileDurability::Unsynced);
}

void Diagnostics::writeWhenChanged(const QString &fileName, const QJsonObject &record,
                                   const QStringList &volatileKeys, Duration refreshAfter) const {
    QJsonObject lasting = record;
    for (const QString &key : volatileKeys) {
        lasting.remove(key);
    }
    const MonotonicTime now = m_clock.now();
    const auto last = m_written.find(fileName);
    if (last != m_written.end() && last->record == lasting &&
        now < deadlineAfter(last->at, refreshAfter) && QFileInfo::exists(pathOf(fileName))) {
        last->leftOut = record;
        return;
    }
    write(fileName, record);
    m_written.insert(fileName, Written{lasting, now, std::nullopt});
}

void Diagnostics::writeLeftOut(const QString &fileName) const {
    const auto last = m_written.find(fileName);
    if (last == m_written.end() || !last->leftOut) {
        return;
    }
    write(fileName, *std::exchange(last->leftOut, std::nullopt));
}

void Diagnostics::append(const QString &fileName, const QJsonObject &record) const {
    const auto line = writeJson(stamped(record), kLogLineFormat);
    if (!line) {
        return;
    }
    const QString path = pathOf(fileName);
    auto lines = m_logLines.find(path);
    if (lines == m_logLines.end()) {
        lines = m_logLines.insert(path, cutBack(path));
    }
    if (!appendToFile(path, *line + '\n')) {
        // Part of the line may have got there: the next line cuts back first, which ends it.
        m_logLines.erase(lines);
        return;
    }
    if (++*lines >= kCutBackAtLines) {
        *lines = cutBack(path);
    }
}

QJsonObject Diagnostics::stamped(QJsonObject record) const {
    record.insert(u"at"_s, isoDateString(m_clock.wallNow()));
    return record;
}

QString Diagnostics::pathOf(const QString &fileName) const {
    QDir().mkpath(m_folder);
    return QDir(m_folder).filePath(fileName);
}

qsizetype Diagnostics::cutBack(const QString &path) {
    const auto text = readLastLines(path, kMaxLogReadBytes);
    if (!text) {
        return 0;
    }
    QByteArrayList lines = text->split('\n');
    lines.removeIf([](const QByteArray &line) { return line.isEmpty(); });
    if (!isValidUtf8(*text)) {
        lines.clear();
    }
    if (lines.size() > kMaxLogLines) {
        lines.remove(0, lines.size() - kMaxLogLines);
    }
    QByteArray kept = lines.join('\n');
    if (!kept.isEmpty()) {
        kept += '\n';
    }
    // The text read may be only the end of the file.
    const bool unchanged = kept == *text && QFileInfo(path).size() == text->size();
    if (!unchanged && writeFileAtomically(path, kept, FileDurability::Unsynced)) {
        // Not cut back: counted as full, so that the next line tries again.
        return kCutBackAtLines - 1;
    }
    return lines.size();
}

} // namespace zorv
