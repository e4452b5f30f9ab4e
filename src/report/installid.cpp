#include "installid.h"

#include "decodeerror.h"
#include "jsonreader.h"
#include "jsonwriter.h"
#include "storage/atomicfile.h"
#include "storage/wholefile.h"

#include <QDir>
#include <QJsonObject>
#include <QUuid>

#include <optional>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

std::optional<QString> storedValue(const QString &path) {
    const auto bytes = readWholeFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    QJsonValue parsed;
    try {
        parsed = parseJson(*bytes);
    } catch (const DecodeError &) {
        return std::nullopt;
    }
    if (!parsed.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = parsed.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!it.value().isString()) {
            return std::nullopt;
        }
    }
    const QString value = object.value(u"install"_s).toString();
    return value.isEmpty() ? std::nullopt : std::optional<QString>(value);
}

} // namespace

QString InstallID::value(const QString &dataFolder) {
    const QString path = QDir(dataFolder).filePath(u"install.json"_s);
    if (const auto stored = storedValue(path)) {
        return *stored;
    }
    const QString fresh = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    QDir().mkpath(dataFolder);
    if (const auto bytes = writeJson(QJsonObject{{u"install"_s, fresh}}, JsonFormat::compact())) {
        (void)writeFileAtomically(path, *bytes, FileDurability::Synced);
    }
    return fresh;
}

} // namespace zorv
