#include "feedfile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Why a file of this kind is not read; empty for a regular file.
QString refusal(const struct stat &status, const QString &path) {
    if (S_ISREG(status.st_mode)) {
        return {};
    }
    if (S_ISDIR(status.st_mode)) {
        return u"The update feed “%1” is a folder, not a file."_s.arg(path);
    }
    return u"The update feed “%1” is not a regular file."_s.arg(path);
}

QString openFailure(int error, const QString &path) {
    if (error == ENOENT || error == ENOTDIR) {
        return u"The update feed file “%1” does not exist."_s.arg(path);
    }
    return u"The update feed file “%1” could not be read (%2)."_s.arg(path, qt_error_string(error));
}

// Closes the descriptor when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    [[nodiscard]] int fd() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

std::variant<QByteArray, QString> FeedFile::read(const QString &path, qint64 limit) {
    const QByteArray encoded = QFile::encodeName(path);
    // Looked at first so that a device or a FIFO is not even opened; the descriptor is looked at
    // again below, as the name may have changed hands in between.
    struct stat status {};
    if (::stat(encoded.constData(), &status) != 0) {
        return openFailure(errno, path);
    }
    if (QString refused = refusal(status, path); !refused.isEmpty()) {
        return refused;
    }
    // Non-blocking: should a FIFO have taken the name meanwhile, neither opening nor reading it
    // waits for a writer.
    const Descriptor file(
        ::open(encoded.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.fd() < 0) {
        return openFailure(errno, path);
    }
    if (::fstat(file.fd(), &status) != 0) {
        return openFailure(errno, path);
    }
    if (QString refused = refusal(status, path); !refused.isEmpty()) {
        return refused;
    }
    if (status.st_size > limit) {
        return tooLarge;
    }
    // One byte past the bound tells a file that grew since.
    QByteArray bytes(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(file.fd(), bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return openFailure(errno, path);
        }
        if (got == 0) {
            break;
        }
        filled += got;
        if (filled == bytes.size() && filled <= limit) {
            bytes.resize(std::min<qint64>(limit + 1, bytes.size() * 2));
        }
    }
    if (filled > limit) {
        return tooLarge;
    }
    bytes.truncate(filled);
    return bytes;
}

} // namespace zorv
