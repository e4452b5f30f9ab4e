#include "atomicfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// The temporary file's name: the target's, a marker no user would pick, and six random letters
// ("settings.json.writing-fAXqPt"), so that a leftover can be told from anything else in the
// folder.
const QString kTemporaryMarker = u".writing-"_s;
constexpr qsizetype kRandomLetters = 6;

std::filesystem::path nativePath(const QString &path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

std::optional<QString> write(const QString &path, const QByteArray &bytes,
                             FileDurability durability,
                             const std::function<void()> &beforeReplacing) {
    // The rename below could not replace a folder: fail before anything is written.
    if (const QFileInfo target(path); target.isDir() && !target.isSymLink()) {
        return u"A folder stands where the file goes."_s;
    }
    QTemporaryFile temporary(path + kTemporaryMarker + QString(kRandomLetters, u'X'));
    if (!temporary.open()) {
        return temporary.errorString();
    }
    if (temporary.write(bytes) != bytes.size() || !temporary.flush()) {
        return temporary.errorString();
    }
    if (durability == FileDurability::Synced && ::fsync(temporary.handle()) != 0) {
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    if (beforeReplacing) {
        beforeReplacing();
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

// The target of a temporary file's name, or nothing when the name is not one.
std::optional<QString> temporaryFileTarget(const QString &name) {
    const qsizetype suffixLength = kTemporaryMarker.size() + kRandomLetters;
    if (name.size() <= suffixLength || !name.chopped(kRandomLetters).endsWith(kTemporaryMarker)) {
        return std::nullopt;
    }
    for (qsizetype i = name.size() - kRandomLetters; i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))) {
            return std::nullopt;
        }
    }
    return name.chopped(suffixLength);
}

} // namespace

void removeStaleTemporaryFiles(const QString &folder,
                               const std::function<bool(const QString &)> &isTarget) {
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString &name : names) {
        const std::optional<QString> target = temporaryFileTarget(name);
        if (!target || !isTarget(*target)) {
            continue;
        }
        if (QFileInfo(dir.filePath(name)).isFile()) {
            QFile::remove(dir.filePath(name));
        }
    }
}

std::optional<QString> writeFileAtomically(const QString &path, const QByteArray &bytes,
                                           FileDurability durability,
                                           const std::function<void()> &beforeReplacing) {
    return write(path, bytes, durability, beforeReplacing);
}

} // namespace zorv
