#include "wholefile.h"

#include <QFile>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorv {

namespace {

// Opens the regular file at `path` for reading into `file`. Opened without blocking, so a named
// pipe in the file's place cannot hold the caller up, and checked on the open descriptor, so
// nothing can be swapped in between check and read.
bool openRegularFile(const QString &path, QFile &file) {
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return false;
    }
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return false;
    }
    return true;
}

} // namespace

std::optional<QByteArray> readWholeFile(const QString &path) {
    QFile file;
    if (!openRegularFile(path, file)) {
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> readFileHead(const QString &path, qint64 maxBytes) {
    QFile file;
    if (!openRegularFile(path, file)) {
        return std::nullopt;
    }
    QByteArray bytes = file.read(std::max<qint64>(maxBytes, 0));
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> readLastLines(const QString &path, qint64 maxBytes) {
    QFile file;
    if (!openRegularFile(path, file)) {
        return std::nullopt;
    }
    const qint64 size = file.size();
    if (size <= maxBytes) {
        QByteArray bytes = file.readAll();
        return file.error() == QFileDevice::NoError ? std::optional(bytes) : std::nullopt;
    }
    // One byte more than kept, so that a line starting right at the boundary is seen to start.
    if (!file.seek(size - maxBytes - 1)) {
        return std::nullopt;
    }
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    const qsizetype lineFeed = bytes.indexOf('\n');
    bytes.remove(0, lineFeed < 0 ? bytes.size() : lineFeed + 1);
    return bytes;
}

} // namespace zorv
