#include "secondarybarstate.h"

#include "jsonwriter.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace zorv {

QByteArray SecondaryBarState::toJson() const {
    QJsonArray frameValues;
    if (frame) {
        frameValues = {frame->x(), frame->y(), frame->width(), frame->height()};
    }
    const QJsonObject object{
        {u"visible"_s, visible},
        {u"includesAlwaysHidden"_s, includesAlwaysHidden},
        {u"frame"_s, frameValues},
        {u"items"_s, QJsonArray::fromStringList(items)},
    };
    return writeJson(object, JsonFormat::pretty()).value_or(QByteArray());
}

bool SecondaryBarState::write(const QString &folder) const {
    const QByteArray json = toJson();
    if (json.isEmpty()) {
        return false;
    }
    QSaveFile file(folder + u'/' + fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(json);
    return file.commit();
}

} // namespace zorv
