#include "simfilesystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

const QString translocationMark = u"/AppTranslocation/"_s;

QString clean(const QString &path) {
    return QDir::cleanPath(path);
}

QString notFound(const QString &path) {
    return u"The file “%1” couldn’t be opened because there is no such file."_s.arg(
        QFileInfo(path).fileName());
}

QString noPermission(const QString &path) {
    return u"You don’t have permission to save the file “%1”."_s.arg(QFileInfo(path).fileName());
}

QString alreadyExists(const QString &path) {
    return u"“%1” couldn’t be copied because an item with the same name already exists."_s.arg(
        QFileInfo(path).fileName());
}

// Copies host `from` to host `to`; `failAfter` stops after that many files (negative: never).
bool copyTree(const QString &from, const QString &to, int failAfter) {
    const QFileInfo source(from);
    if (!source.isDir()) {
        return failAfter != 0 && QFile::copy(from, to);
    }
    if (!QDir().mkpath(to)) {
        return false;
    }
    int copied = 0;
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + path.sliced(from.size());
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target)) {
                return false;
            }
            continue;
        }
        if (failAfter >= 0 && copied >= failAfter) {
            return false;
        }
        if (!QFile::copy(path, target)) {
            return false;
        }
        ++copied;
    }
    return true;
}

} // namespace

SimFileSystem::SimFileSystem(QString root, QString user)
    : m_root(clean(std::move(root))), m_user(std::move(user)),
      m_runningBundle(u"/Applications/Zorv.app"_s) {}

QString SimFileSystem::hostPath(const QString &path) const {
    return m_root + clean(u"/"_s + path);
}

QString SimFileSystem::trashFolder() const {
    return homeFolder() + u"/.Trash"_s;
}

QString SimFileSystem::runningBundlePath() const {
    return m_runningBundle;
}

std::optional<QString> SimFileSystem::translocatedOriginal(const QString &path) const {
    if (!path.contains(translocationMark) || m_translocatedFrom.isEmpty() ||
        clean(path) != m_runningBundle) {
        return std::nullopt;
    }
    return m_translocatedFrom;
}

QString SimFileSystem::applicationsFolder() const {
    return u"/Applications"_s;
}

QString SimFileSystem::homeFolder() const {
    return u"/Users/"_s + m_user;
}

QString SimFileSystem::desktopFolder() const {
    return homeFolder() + u"/Desktop"_s;
}

bool SimFileSystem::inside(const QString &path, const QString &folder) {
    return path == folder || path.startsWith(folder + u'/');
}

bool SimFileSystem::isReadOnly(const QString &path) const {
    const QString cleaned = clean(path);
    if (cleaned.contains(translocationMark)) {
        return true;
    }
    for (const QString &folder : m_readOnly) {
        if (inside(cleaned, folder)) {
            return true;
        }
    }
    return false;
}

bool SimFileSystem::exists(const QString &path) const {
    return QFileInfo::exists(hostPath(path));
}

bool SimFileSystem::isWritable(const QString &path) const {
    return exists(path) && !isReadOnly(path);
}

std::optional<QString> SimFileSystem::createFolder(const QString &path) {
    if (QFileInfo(hostPath(path)).isDir()) {
        return std::nullopt;
    }
    if (isReadOnly(path)) {
        return noPermission(path);
    }
    if (!QDir().mkpath(hostPath(path))) {
        return u"The folder “%1” couldn’t be created."_s.arg(QFileInfo(path).fileName());
    }
    return std::nullopt;
}

std::optional<QString> SimFileSystem::copyItem(const QString &from, const QString &to) {
    if (!exists(from)) {
        return notFound(from);
    }
    if (exists(to)) {
        return alreadyExists(to);
    }
    const QString parent = QFileInfo(clean(to)).path();
    if (!exists(parent) || isReadOnly(to)) {
        return noPermission(to);
    }
    const bool fails = m_failingCopies.contains(clean(parent));
    if (!copyTree(hostPath(from), hostPath(to), fails ? 1 : -1)) {
        return u"“%1” couldn’t be copied because there isn’t enough space."_s.arg(
            QFileInfo(from).fileName());
    }
    return std::nullopt;
}

std::optional<QString> SimFileSystem::moveItem(const QString &from, const QString &to) {
    if (!exists(from)) {
        return notFound(from);
    }
    if (exists(to)) {
        return alreadyExists(to);
    }
    if (isReadOnly(from) || isReadOnly(to)) {
        return noPermission(to);
    }
    if (!QDir().rename(hostPath(from), hostPath(to))) {
        return u"“%1” couldn’t be moved."_s.arg(QFileInfo(from).fileName());
    }
    return std::nullopt;
}

std::optional<QString> SimFileSystem::removeItem(const QString &path) {
    if (!exists(path)) {
        return notFound(path);
    }
    if (isReadOnly(path)) {
        return noPermission(path);
    }
    const QString host = hostPath(path);
    const bool removed =
        QFileInfo(host).isDir() ? QDir(host).removeRecursively() : QFile::remove(host);
    return removed ? std::nullopt
                   : std::optional<QString>(
                         u"“%1” couldn’t be removed."_s.arg(QFileInfo(path).fileName()));
}

std::optional<QString> SimFileSystem::trashItem(const QString &path) {
    if (!exists(path)) {
        return notFound(path);
    }
    if (isReadOnly(path)) {
        return noPermission(path);
    }
    if (!QDir().mkpath(hostPath(trashFolder()))) {
        return noPermission(trashFolder());
    }
    const QFileInfo info(clean(path));
    QString target = trashFolder() + u'/' + info.fileName();
    for (int n = 2; exists(target); ++n) {
        target = trashFolder() + u'/' + info.completeBaseName() + u' ' + QString::number(n) +
                 (info.suffix().isEmpty() ? QString() : u'.' + info.suffix());
    }
    if (!QDir().rename(hostPath(path), hostPath(target))) {
        return u"“%1” couldn’t be moved to the Trash."_s.arg(info.fileName());
    }
    return std::nullopt;
}

void SimFileSystem::setRunningBundle(const QString &path) {
    m_runningBundle = clean(path);
    m_translocatedFrom.clear();
}

void SimFileSystem::translocate(const QString &original) {
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    const QString copy = u"/private/var/folders/k7/T/AppTranslocation/"_s + id + u"/d/"_s +
                         QFileInfo(clean(original)).fileName();
    (void)copyTree(hostPath(original), hostPath(copy), -1);
    m_runningBundle = copy;
    m_translocatedFrom = clean(original);
}

void SimFileSystem::installBundle(const QString &path, const QByteArray &executable) {
    const QString host = hostPath(path);
    QDir().mkpath(host + u"/Contents/MacOS"_s);
    QFile binary(host + u"/Contents/MacOS/Zorv"_s);
    if (binary.open(QIODevice::WriteOnly)) {
        binary.write(executable);
    }
    QFile info(host + u"/Contents/Info.plist"_s);
    if (info.open(QIODevice::WriteOnly)) {
        info.write("<plist><dict><key>CFBundleIdentifier</key><string>app.zorv.Zorv</string>"
                   "</dict></plist>");
    }
}

void SimFileSystem::setReadOnly(const QString &path, bool readOnly) {
    if (readOnly) {
        m_readOnly.insert(clean(path));
    } else {
        m_readOnly.remove(clean(path));
    }
}

void SimFileSystem::setCopiesFail(const QString &folder, bool fail) {
    if (fail) {
        m_failingCopies.insert(clean(folder));
    } else {
        m_failingCopies.remove(clean(folder));
    }
}

} // namespace zorv
