#include "wholefile.h"

#include <QFile>

namespace zorv {

std::optional<QByteArray> readWholeFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace zorv
