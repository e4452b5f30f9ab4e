#include "updatesettingsreturn.h"

#include "decodeerror.h"
#include "jsondates.h"
#include "jsonreader.h"
#include "jsonwriter.h"
#include "storage/atomicfile.h"
#include "storage/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

const QString kPaneKey = u"pane"_s;
const QString kCreatedKey = u"created"_s;

// Compact JSON with "pane" before "created". The canonical writer sorts keys, so each member is
// written on its own and the two are joined.
std::optional<QByteArray> markerBytes(const QString &pane, const QDateTime &created) {
    const auto paneMember = writeJson(QJsonObject{{kPaneKey, pane}}, JsonFormat::compact());
    const auto createdMember =
        writeJson(QJsonObject{{kCreatedKey, referenceDateJson(created)}}, JsonFormat::compact());
    if (!paneMember || !createdMember) {
        return std::nullopt;
    }
    return paneMember->chopped(1) + ',' + createdMember->mid(1);
}

// The settings panes a marker may reopen.
bool isPaneName(const QString &pane) {
    static const QStringList panes{u"general"_s, u"arrange"_s,    u"triggers"_s, u"profiles"_s,
                                   u"search"_s,  u"appearance"_s, u"spacing"_s,  u"about"_s};
    return panes.contains(pane);
}

struct Marker {
    QString pane;
    QDateTime created;
};

std::optional<Marker> readMarker(const QString &path) {
    const auto bytes = readWholeFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    try {
        const JsonObjectRef object = JsonValueRef(parseJson(*bytes)).toObject();
        return Marker{object.required(kPaneKey).toString(),
                      object.required(kCreatedKey).toReferenceDate()};
    } catch (const DecodeError &) {
        return std::nullopt;
    }
}

} // namespace

void UpdateSettingsReturn::prepare(const std::optional<QString> &pane, const QString &path,
                                   const QDateTime &now) {
    QFile::remove(path);
    if (!pane || !isPaneName(*pane)) {
        return;
    }
    const std::optional<QByteArray> bytes = markerBytes(*pane, now);
    if (!bytes) {
        return;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    (void)writeFileAtomically(path, *bytes, FileDurability::Synced);
}

std::optional<QString> UpdateSettingsReturn::consume(const QString &path, const QDateTime &now) {
    const std::optional<Marker> marker = readMarker(path);
    QFile::remove(path);
    if (!marker || !isPaneName(marker->pane)) {
        return std::nullopt;
    }
    const double age = static_cast<double>(marker->created.msecsTo(now)) / 1000.0;
    if (age < 0 || age > maximumAgeSeconds) {
        return std::nullopt;
    }
    return marker->pane;
}

} // namespace zorv
