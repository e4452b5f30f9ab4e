#include "diagnostics.h"

#include "clock.h"
#include "jsondates.h"
#include "jsonwriter.h"
#include "storage/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

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

void Diagnostics::append(const QString &fileName, const QJsonObject &record) const {
    const auto line = writeJson(stamped(record), kLogLineFormat);
    if (!line) {
        return;
    }
    const QString path = pathOf(fileName);
    QByteArrayList lines = existingLines(path);
    lines.append(*line);
    if (lines.size() > kMaxLogLines) {
        lines.remove(0, lines.size() - kMaxLogLines);
    }
    (void)writeFileAtomically(path, lines.join('\n') + '\n', FileDurability::Unsynced);
}

QJsonObject Diagnostics::stamped(QJsonObject record) const {
    record.insert(u"at"_s, isoDateString(m_clock.wallNow()));
    return record;
}

QString Diagnostics::pathOf(const QString &fileName) const {
    QDir().mkpath(m_folder);
    return QDir(m_folder).filePath(fileName);
}

QByteArrayList Diagnostics::existingLines(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError || !isValidUtf8(text)) {
        return {};
    }
    QByteArrayList lines = text.split('\n');
    lines.removeIf([](const QByteArray &line) { return line.isEmpty(); });
    return lines;
}

} // namespace zorv
