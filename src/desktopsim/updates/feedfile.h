#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

namespace zorv {

// Reads an update feed named by a file address. Only a regular file is read, and never more than
// the bound: a FIFO, a device, a socket or a folder is refused without a read, so that a feed
// can never block the main thread. Any thread.
class FeedFile {
public:
    FeedFile() = delete;

    // The file's bytes, or a sentence saying why they could not be read.
    [[nodiscard]] static std::variant<QByteArray, QString> read(const QString &path, qint64 limit);
    // The sentence for a feed longer than its bound.
    static inline const QString tooLarge = QStringLiteral("The update feed is too large.");
};

} // namespace zorv
