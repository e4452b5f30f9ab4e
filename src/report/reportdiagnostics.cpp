#include "reportdiagnostics.h"

#include "decodeerror.h"
#include "jsonreader.h"
#include "jsonwriter.h"
#include "storage/wholefile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QStringDecoder>
#include <QStringList>

#include <optional>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QJsonValue scrub(const QJsonValue &value) {
    if (value.isObject()) {
        QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            it.value() =
                it.key() == u"title"_s ? QJsonValue(u"(title not sent)"_s) : scrub(it.value());
        }
        return object;
    }
    if (value.isArray()) {
        QJsonArray array = value.toArray();
        for (auto it = array.begin(); it != array.end(); ++it) {
            *it = scrub(*it);
        }
        return array;
    }
    return value;
}

// The file (a log: its lines within its last maxLogBytes) as UTF-8 text; nullopt when it is
// missing, unreadable or not valid UTF-8.
std::optional<QString> readText(const QString &path, bool isLog) {
    const auto bytes =
        isLog ? readLastLines(path, ReportDiagnostics::maxLogBytes) : readWholeFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(*bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

QString logTail(const QString &content) {
    QStringList lines = content.split(u'\n', Qt::SkipEmptyParts);
    if (lines.size() > ReportDiagnostics::maxLogLines) {
        lines = lines.last(ReportDiagnostics::maxLogLines);
    }
    for (QString &line : lines) {
        line = ReportDiagnostics::withoutTitles(line);
    }
    return lines.join(u'\n');
}

} // namespace

QString ReportDiagnostics::snapshot(const QString &dataFolder, bool trusted) {
    QString result = u"Trusted   "_s + (trusted ? u"true"_s : u"false"_s) + u'\n';
    const QDir folder(dataFolder);
    for (const QString &name :
         {u"diagnostics.json"_s, u"events.jsonl"_s, u"reconcile-log.jsonl"_s}) {
        const bool isLog = name.endsWith(u".jsonl"_s);
        const auto content = readText(folder.filePath(name), isLog);
        QString body;
        if (!content) {
            body = missingFile;
        } else if (isLog) {
            body = logTail(*content);
        } else {
            body = withoutTitles(*content);
        }
        result += u"\n===== "_s + name + u" =====\n"_s + body + u'\n';
    }
    return result;
}

QString ReportDiagnostics::withoutTitles(const QString &text) {
    QJsonValue parsed;
    try {
        parsed = parseJson(text.toUtf8());
    } catch (const DecodeError &) {
        return unreadable;
    }
    const auto bytes = writeJson(scrub(parsed), JsonFormat::compact().withEscapedSlashes());
    return bytes ? QString::fromUtf8(*bytes) : unreadable;
}

} // namespace zorv
