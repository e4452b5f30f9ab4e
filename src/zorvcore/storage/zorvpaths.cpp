#include "zorvpaths.h"

#include <QDir>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QString ensured(const QString &path) {
    QDir().mkpath(path);
    return path;
}

} // namespace

QString ZorvPaths::root() {
    return ensured(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                   u"/Zorv"_s);
}

QString ZorvPaths::backups() {
    return ensured(root() + u"/backups"_s);
}

QString ZorvPaths::file(const QString &name) {
    return QDir(root()).filePath(name);
}

} // namespace zorv
