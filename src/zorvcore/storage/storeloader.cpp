#include "storeloader.h"

#include "atomicfile.h"
#include "decodeerror.h"
#include "jsonmerge.h"
#include "jsonreader.h"
#include "systemlog.h"
#include "wholefile.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Gives up looking for a free quarantine name after this many candidates.
constexpr int kMaxQuarantineCandidates = 100;

bool exists(const QString &path) {
    const QFileInfo info(path);
    // A dangling symbolic link is something in the file's place too.
    return info.exists() || info.isSymLink();
}

struct SetAsideResult {
    QString quarantinePath; // empty when the file could not be moved
    QString failure;
};

SetAsideResult setAside(const QString &path, const QDateTime &now) {
    const QString stem = path + u".unreadable-"_s + QString::number(now.toSecsSinceEpoch());
    for (int attempt = 1; attempt <= kMaxQuarantineCandidates; ++attempt) {
        const QString candidate = attempt == 1 ? stem : stem + u'-' + QString::number(attempt);
        // The move never replaces a file that holds the name; then the next name is tried.
        QFile file(path);
        if (file.rename(candidate)) {
            return {candidate, {}};
        }
        if (!exists(candidate)) {
            return {{}, file.errorString()};
        }
    }
    return {{}, u"every quarantine name is taken"_s};
}

} // namespace

StoreLoadOutcome loadStoreFile(const QString &path, const QJsonValue &defaults,
                               const std::function<void(const QJsonValue &)> &decode,
                               const QDateTime &now, SystemLog &log) {
    const QFileInfo info(path);
    const QString fileName = info.fileName();
    removeStaleTemporaryFiles(info.absolutePath(),
                              [&fileName](const QString &target) { return target == fileName; });
    if (!exists(path)) {
        return StoreLoadOutcome::Missing;
    }
    if (const auto bytes = readWholeFile(path)) {
        try {
            decode(deepMerge(defaults, parseJson(*bytes)));
            return StoreLoadOutcome::Loaded;
        } catch (const DecodeError &) {
            // Set aside below, like a file that cannot be read at all.
        }
    }

    const SetAsideResult moved = setAside(path, now);
    if (!moved.quarantinePath.isEmpty()) {
        log.write(u"Zorv: could not read %1; moved it to %2 and started from defaults"_s.arg(
            fileName, QFileInfo(moved.quarantinePath).fileName()));
        return StoreLoadOutcome::SetAside;
    }
    log.write(u"Zorv: could not read %1 and could not move it aside (%2); started from defaults "
              u"and the next save replaces it"_s.arg(fileName, moved.failure));
    return StoreLoadOutcome::LeftInPlace;
}

} // namespace zorv
