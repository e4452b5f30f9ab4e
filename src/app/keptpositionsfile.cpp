#include "keptpositionsfile.h"

#include "decodeerror.h"
#include "jsonreader.h"
#include "jsonwriter.h"
#include "scenario/scenarioerror.h"
#include "scenario/scenariojson.h"
#include "storage/atomicfile.h"
#include "storage/wholefile.h"

#include <QFileInfo>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// A few hundred entries at most; anything bigger is not this file.
constexpr qint64 maximumFileSize = 4 * 1024 * 1024;

} // namespace

RememberedPositions KeptPositionsFile::read(const QString &path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return {};
    }
    // Only a regular file: a pipe in its place would block the start for good.
    if (!info.isFile()) {
        throw ScenarioError(u"%1: not a regular file."_s.arg(path));
    }
    if (info.size() > maximumFileSize) {
        throw ScenarioError(
            u"%1: the file is larger than %2 bytes."_s.arg(path).arg(maximumFileSize));
    }
    const std::optional<QByteArray> bytes = readWholeFile(path);
    if (!bytes) {
        throw ScenarioError(u"%1: cannot read the remembered positions."_s.arg(path));
    }
    try {
        return scenariojson::toPositions(JsonValueRef(parseJson(*bytes)));
    } catch (const DecodeError &error) {
        throw ScenarioError(path + u": "_s + error.message());
    }
}

std::optional<QString> KeptPositionsFile::write(const QString &path,
                                                const RememberedPositions &positions) {
    QJsonObject owners;
    for (auto owner = positions.cbegin(); owner != positions.cend(); ++owner) {
        QJsonObject names;
        for (auto name = owner->cbegin(); name != owner->cend(); ++name) {
            names.insert(name.key(), name.value());
        }
        owners.insert(owner.key(), names);
    }
    const std::optional<QByteArray> bytes = writeJson(owners, JsonFormat::pretty());
    if (!bytes) {
        return u"a remembered position JSON cannot represent"_s;
    }
    return writeFileAtomically(path, *bytes + '\n', FileDurability::Synced);
}

} // namespace zorv
