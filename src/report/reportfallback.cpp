#include "reportfallback.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace zorv::ReportProblem {

namespace {

// More same-minute reports than anyone writes by hand; past this the folder is taken as broken.
constexpr int maxNameAttempts = 1000;

} // namespace

QString Fallback::text(const QString &appName, const Facts &facts, const QString &installID,
                       const QString &userText, const QString &diagnostics) {
    return appName + u" problem report\n"_s                                     //
           + u"Version   "_s + facts.version + u" ("_s + facts.build + u")\n"_s //
           + u"macOS     "_s + facts.macOS + u'\n'                              //
           + u"Mac       "_s + facts.machine + u'\n'                            //
           + u"Install   "_s + installID + u'\n'                                //
           + u"\nWhat happened:\n"_s + userText.trimmed() + u'\n'               //
           + u"\n===== diagnostics =====\n"_s + diagnostics;
}

std::optional<QString> Fallback::save(const QString &text, const QString &appName,
                                      const QString &folder, const QDateTime &now) {
    const QDir dir(folder);
    // A Desktop someone removed is made again rather than losing the report.
    if (!dir.mkpath(u"."_s)) {
        return std::nullopt;
    }
    const QString stem = appName + u"-report-"_s + now.toLocalTime().toString(u"yyyy-MM-dd-HHmm"_s);
    QTemporaryFile temporary(dir.filePath(u".report-XXXXXX"_s));
    const QByteArray bytes = text.toUtf8();
    if (!temporary.open() || temporary.write(bytes) != bytes.size() || !temporary.flush()) {
        return std::nullopt;
    }
    temporary.close();
    // A rename that finds the name taken fails without replacing that file, so a report written
    // by someone else in between is never overwritten either.
    for (int attempt = 1; attempt <= maxNameAttempts; ++attempt) {
        const QString name =
            stem + (attempt == 1 ? QString() : u"-"_s + QString::number(attempt)) + u".txt"_s;
        const QString path = dir.filePath(name);
        if (QFile::exists(path)) {
            continue;
        }
        if (QFile::rename(temporary.fileName(), path)) {
            temporary.setAutoRemove(false);
            return path;
        }
        if (!QFile::exists(path)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace zorv::ReportProblem
