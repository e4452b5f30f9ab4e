#include "reportbuilder.h"

#include "decodeerror.h"
#include "jsonreader.h"
#include "jsonwriter.h"

#include <QTextBoundaryFinder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv::ReportProblem {

namespace {

// Counts user-perceived characters, not UTF-16 units or bytes.
qsizetype characterCount(const QString &text) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1) {
        ++count;
    }
    return count;
}

QString withoutFirstCharacters(const QString &text, qsizetype count) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype position = 0;
    for (qsizetype i = 0; i < count; ++i) {
        position = finder.toNextBoundary();
        if (position == -1) {
            return QString();
        }
    }
    return text.sliced(position);
}

std::optional<QString> stringMember(const QByteArray &reply, const QString &key) {
    QJsonValue parsed;
    try {
        parsed = parseJson(reply);
    } catch (const DecodeError &) {
        return std::nullopt;
    }
    const QJsonValue value = parsed.toObject().value(key);
    return value.isString() ? std::optional<QString>(value.toString()) : std::nullopt;
}

} // namespace

std::optional<QByteArray> Builder::body(const QString &text, const QString &appName,
                                        const QString &installID, const QString &diagnostics,
                                        const Facts &env, const Serialiser &serialise) {
    QJsonObject object{
        {u"appName"_s, appName},     {u"bundleId"_s, env.bundleID}, {u"version"_s, env.version},
        {u"build"_s, env.build},     {u"macOS"_s, env.macOS},       {u"machine"_s, env.machine},
        {u"installId"_s, installID}, {u"text"_s, text.trimmed()},
    };
    QString cut = diagnostics;
    for (;;) {
        object.insert(u"diagnostics"_s, cut);
        auto bytes = serialise(object);
        if (!bytes) {
            return std::nullopt;
        }
        if (bytes->size() <= maxBodyBytes || cut.isEmpty()) {
            return bytes;
        }
        const qsizetype characters = characterCount(cut);
        const qsizetype drop =
            std::min(std::max(bytes->size() - targetBodyBytes, characters / 10), characters);
        cut = u"[\u2026 "_s + QString::number(drop) +
              u" earlier characters trimmed to fit \u2026]\n"_s + withoutFirstCharacters(cut, drop);
        if (characterCount(cut) <= minDiagnosticsCharacters) {
            cut.clear();
        }
    }
}

std::optional<QByteArray> Builder::serialise(const QJsonObject &object) {
    return writeJson(object, JsonFormat::compact().withEscapedSlashes());
}

std::optional<QString> Builder::reportID(const QByteArray &reply) {
    return stringMember(reply, u"id"_s);
}

std::optional<QString> Builder::errorText(const QByteArray &reply) {
    return stringMember(reply, u"error"_s);
}

} // namespace zorv::ReportProblem
