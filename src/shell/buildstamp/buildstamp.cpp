#include "buildstamp.h"

#include "decodeerror.h"
#include "jsonreader.h"

#include <QFile>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace zorv {

std::optional<BuildStamp> BuildStamp::parse(const QByteArray &bytes) {
    try {
        const QJsonValue document = parseJson(bytes);
        const JsonObjectRef object = JsonValueRef(document).toObject();
        BuildStamp stamp;
        stamp.sha = object.required<QString>(u"sha");
        stamp.subject = object.required<QString>(u"subject");
        stamp.committed = object.required<QString>(u"committed");
        stamp.branch = object.required<QString>(u"branch");
        stamp.builtAt = object.required<QString>(u"built_at");
        return stamp;
    } catch (const DecodeError &) {
        return std::nullopt;
    }
}

BuildStamp BuildStamp::load() {
    return load({resourcePath, topLevelResourcePath});
}

BuildStamp BuildStamp::load(const QStringList &paths) {
    for (const QString &path : paths) {
        QFile file(path);
        if (!file.exists()) {
            continue;
        }
        if (!file.open(QIODevice::ReadOnly) || file.size() > maximumBytes) {
            return {};
        }
        return parse(file.read(maximumBytes)).value_or(BuildStamp{});
    }
    return {};
}

} // namespace zorv
