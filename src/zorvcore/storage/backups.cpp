#include "backups.h"

#include "atomicfile.h"
#include "clock.h"
#include "jsonwriter.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

Backups::Backups(QString folder, const Clock &clock) : m_folder(std::move(folder)), m_clock(clock) {
    removeStaleTemporaryFiles(m_folder,
                              [](const QString &target) { return target.endsWith(u".json"_s); });
}

std::optional<QString> Backups::snapshotJson(const QJsonValue &json, const QString &label,
                                             int keep) const {
    // The C locale keeps the stamp in Western digits whatever the user's region.
    const QString stamp =
        QLocale::c().toString(m_clock.wallNow().toUTC(), u"yyyyMMdd-HHmmss-zzz"_s);
    const auto bytes = writeJson(json, JsonFormat::pretty());
    if (!bytes) {
        return std::nullopt;
    }
    QDir().mkpath(m_folder);
    const QString name = label + u'-' + stamp + u".json"_s;
    const QString path = QDir(m_folder).filePath(name);
    // The oldest go before the new snapshot takes its place, so that a kill at any moment leaves
    // no more than `keep` of the label; a write that fails before that point prunes nothing.
    const auto makeRoom = [&] { prune(label, keep - 1, name); };
    if (writeFileAtomically(path, *bytes, FileDurability::Synced, makeRoom)) {
        return std::nullopt;
    }
    prune(label, keep);
    return path;
}

std::optional<QJsonValue> Backups::latestJson(const QString &label) const {
    const QStringList names = files(label);
    if (names.isEmpty()) {
        return std::nullopt;
    }
    const auto bytes = readWholeFile(QDir(m_folder).filePath(names.last()));
    if (!bytes) {
        return std::nullopt;
    }
    try {
        return parseJson(*bytes);
    } catch (const DecodeError &) {
        return std::nullopt;
    }
}

QStringList Backups::files(const QString &label) const {
    const QString prefix = label + u'-';
    QStringList names;
    const QStringList entries = QDir(m_folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : entries) {
        if (name.startsWith(prefix) && name.endsWith(u".json"_s)) {
            names.append(name);
        }
    }
    std::stable_sort(names.begin(), names.end());
    return names;
}

void Backups::prune(const QString &label, int keep, const QString &incoming) const {
    QStringList names = files(label);
    names.removeOne(incoming);
    const qsizetype surplus = names.size() - std::max(keep, 0);
    for (qsizetype i = 0; i < surplus; ++i) {
        // A file that cannot be removed stays; the next snapshot tries again.
        QFile::remove(QDir(m_folder).filePath(names.at(i)));
    }
}

} // namespace zorv
