#include "atomicfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

std::optional<QString> writeSynced(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return std::nullopt;
}

std::filesystem::path nativePath(const QString &path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

std::optional<QString> writeUnsynced(const QString &path, const QByteArray &bytes) {
    QTemporaryFile temporary(path + u".XXXXXX"_s);
    if (!temporary.open()) {
        return temporary.errorString();
    }
    if (temporary.write(bytes) != bytes.size() || !temporary.flush()) {
        return temporary.errorString();
    }
    // QTemporaryFile::rename() refuses to replace an existing file; the system's rename replaces
    // it in one step.
    std::error_code error;
    std::filesystem::rename(nativePath(temporary.fileName()), nativePath(path), error);
    if (error) {
        return QString::fromStdString(error.message());
    }
    temporary.setAutoRemove(false);
    return std::nullopt;
}

// Both writers name the temporary file after its target with a dot and six random ASCII letters
// ("settings.json.fAXqPt"); QSaveFile does so when it makes its unnamed file visible just before
// the rename.
constexpr qsizetype kTemporarySuffixLength = 7;

bool hasTemporarySuffix(const QString &name) {
    if (name.size() <= kTemporarySuffixLength ||
        name.at(name.size() - kTemporarySuffixLength) != u'.') {
        return false;
    }
    for (qsizetype i = name.size() - kTemporarySuffixLength + 1; i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))) {
            return false;
        }
    }
    return true;
}

} // namespace

void removeStaleTemporaryFiles(const QString &folder,
                               const std::function<bool(const QString &)> &isTarget) {
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString &name : names) {
        if (!hasTemporarySuffix(name) || !isTarget(name.chopped(kTemporarySuffixLength))) {
            continue;
        }
        if (QFileInfo(dir.filePath(name)).isFile()) {
            QFile::remove(dir.filePath(name));
        }
    }
}

std::optional<QString> writeFileAtomically(const QString &path, const QByteArray &bytes,
                                           FileDurability durability) {
    return durability == FileDurability::Synced ? writeSynced(path, bytes)
                                                : writeUnsynced(path, bytes);
}

} // namespace zorv
