#include "scenarioloader.h"

#include "decodeerror.h"
#include "jsonreader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

const QString resourceFolder = u":/zorv/scenarios"_s;

// Hand-written files; anything bigger is not a scenario.
constexpr qint64 maximumFileSize = 4 * 1024 * 1024;

} // namespace

QStringList ScenarioLoader::shippedNames() {
    QStringList names;
    const QFileInfoList files =
        QDir(resourceFolder).entryInfoList({u"*.json"_s}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        names.append(file.completeBaseName());
    }
    return names;
}

QString ScenarioLoader::resolve(const QString &fileOrName) {
    if (shippedNames().contains(fileOrName)) {
        return resourceFolder + u'/' + fileOrName + u".json"_s;
    }
    return fileOrName;
}

Scenario ScenarioLoader::load(const QString &fileOrName) {
    const QString path = resolve(fileOrName);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw ScenarioError(u"%1: cannot read the scenario (%2). Shipped scenarios: %3."_s.arg(
            path, file.errorString(), shippedNames().join(u", "_s)));
    }
    if (file.size() > maximumFileSize) {
        throw ScenarioError(
            u"%1: the file is larger than %2 bytes."_s.arg(path).arg(maximumFileSize));
    }
    Scenario scenario = parse(file.readAll(), path);
    const QDir folder = QFileInfo(path).absoluteDir();
    for (QString &picture : scenario.desktopPictures) {
        picture = QDir::cleanPath(folder.absoluteFilePath(picture));
    }
    if (scenario.updates && !scenario.updates->feed.contains(u"://"_s)) {
        scenario.updates->feed = QDir::cleanPath(folder.absoluteFilePath(scenario.updates->feed));
    }
    return scenario;
}

Scenario ScenarioLoader::parse(const QByteArray &bytes, const QString &source) {
    try {
        return Scenario::fromJson(JsonValueRef(parseJson(bytes)));
    } catch (const DecodeError &error) {
        throw ScenarioError(source + u": "_s + error.message());
    }
}

} // namespace zorv
