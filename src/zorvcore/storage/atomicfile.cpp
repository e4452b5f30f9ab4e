#include "atomicfile.h"

#include <QFile>
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

} // namespace

std::optional<QString> writeFileAtomically(const QString &path, const QByteArray &bytes,
                                           FileDurability durability) {
    return durability == FileDurability::Synced ? writeSynced(path, bytes)
                                                : writeUnsynced(path, bytes);
}

} // namespace zorv
